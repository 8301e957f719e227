#include "common/cli.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace prueba {

namespace {

ResultadoCli Ejecutar(const QString& programa, const QStringList& argumentos, const QString& urlBase,
                      const QString& locale) {
  QProcess proceso;
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  if (!urlBase.isEmpty()) entorno.insert(QStringLiteral("ALCABALA_URL_BASE"), urlBase);
  entorno.insert(QStringLiteral("LC_ALL"), locale);
  entorno.insert(QStringLiteral("LANG"), locale);
  proceso.setProcessEnvironment(entorno);
  proceso.start(programa, argumentos);
  ResultadoCli resultado;
  if (!proceso.waitForFinished(60000)) return resultado;
  resultado.codigo = proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1;
  resultado.salidaCruda = proceso.readAllStandardOutput();
  resultado.salida = QString::fromUtf8(resultado.salidaCruda);
  resultado.errores = QString::fromUtf8(proceso.readAllStandardError());
  return resultado;
}

const QString Programa = QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli");

}  // namespace

ResultadoCli EjecutarCli(const QStringList& argumentos, const QString& urlBase, const QString& locale) {
  return Ejecutar(Programa, argumentos, urlBase, locale);
}

ResultadoCli EjecutarCliTrasShell(const QString& preambulo, const QStringList& argumentos, const QString& locale) {
  const QString guion = preambulo + QStringLiteral("\nexec \"$0\" \"$@\"");
  return Ejecutar(QStringLiteral("/bin/sh"), QStringList{QStringLiteral("-c"), guion, Programa} + argumentos, QString(),
                  locale);
}

}  // namespace prueba
