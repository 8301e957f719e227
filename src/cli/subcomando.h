#pragma once
// Subcommands of alcabala-cli register themselves here; main() dispatches.
// A subcommand prints results on standard output and Spanish messages on
// standard error, and returns the exit code: 0 success, 1 error, 2 usage.

#include <QLocale>
#include <QStringList>
#include <QTextStream>
#include <functional>

struct ContextoCli {
  QStringList argumentos;  // after the subcommand's name
  QTextStream& salida;
  QTextStream& errores;
  QLocale locale;
};

struct Subcomando {
  QString nombre;
  QString uso;  // e.g. "utm AÑO MES"
  std::function<int(ContextoCli&)> ejecutar;
  bool dibuja = false;  // draws pages: runs under a QGuiApplication (cli/dibujo.h)
};

// Called from a static object in each subcommand's file.
bool RegistrarSubcomando(const Subcomando& subcomando);

// Prints "Uso: alcabala-cli <uso>" on standard error and returns 2.
int ErrorDeUso(ContextoCli& contexto, const QString& uso);
