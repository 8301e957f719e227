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

}  // namespace prueba
