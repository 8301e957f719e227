#pragma once
// Runs the built alcabala-cli as a user would, for the command-line tests.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace prueba {

struct ResultadoCli {
  int codigo = -1;  // -1 when the program did not end normally
  QString salida;
  QString errores;
  QByteArray salidaCruda;  // standard output as bytes (JSON)
};

// Runs alcabala-cli with the arguments under the given locale; a non-empty
// urlBase is passed as ALCABALA_URL_BASE.
ResultadoCli EjecutarCli(const QStringList& argumentos, const QString& urlBase = QString(),
                         const QString& locale = QStringLiteral("C.UTF-8"));

// Runs alcabala-cli from /bin/sh after the shell commands of preambulo, which
// may change what the program starts with (ulimit, trap) or append arguments
// with `set -- "$@" …` (bytes QProcess would not pass, say).
ResultadoCli EjecutarCliTrasShell(const QString& preambulo, const QStringList& argumentos,
                                  const QString& locale = QStringLiteral("C.UTF-8"));

}  // namespace prueba
