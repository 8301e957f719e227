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

// The system's message for an error number (errno), in the user's language.
QString MensajeDelSistema(int error);

// Writes UTF-8 text to standard output after what the stream holds, without
// converting it back and forth (a document made in one piece).
void EscribirSalida(ContextoCli& contexto, const QByteArray& utf8);

// Runs a subcommand with the arguments after its name: any error it raises
// becomes its Spanish message on standard error and exit code 1, and so does
// standard output that did not take everything (a full disk, a closed pipe).
// Returns the exit code.
int EjecutarSubcomando(const Subcomando& subcomando, const QStringList& argumentos, QTextStream& salida,
                       QTextStream& errores);
