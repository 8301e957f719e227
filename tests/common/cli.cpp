#include "common/cli.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace prueba {

ResultadoCli EjecutarCli(const QStringList& argumentos, const QString& urlBase, const QString& locale) {
  QProcess proceso;
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  if (!urlBase.isEmpty()) entorno.insert(QStringLiteral("ALCABALA_URL_BASE"), urlBase);
  entorno.insert(QStringLiteral("LC_ALL"), locale);
  entorno.insert(QStringLiteral("LANG"), locale);
  proceso.setProcessEnvironment(entorno);
  proceso.start(QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli"), argumentos);
  ResultadoCli resultado;
  if (!proceso.waitForFinished(60000)) return resultado;
  resultado.codigo = proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1;
  resultado.salidaCruda = proceso.readAllStandardOutput();
  resultado.salida = QString::fromUtf8(resultado.salidaCruda);
  resultado.errores = QString::fromUtf8(proceso.readAllStandardError());
  return resultado;
}

}  // namespace prueba
