#include "common/entorno.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace prueba {

namespace {
std::unique_ptr<QTemporaryDir> g_raiz;
}

void PrepararEntorno() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  g_raiz = std::make_unique<QTemporaryDir>();
  const QString home = g_raiz->path() + "/home";
  QDir().mkpath(home + "/Documentos");
  qputenv("HOME", home.toUtf8());
  qputenv("XDG_DOCUMENTS_DIR", (home + "/Documentos").toUtf8());
  qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
  qputenv("XDG_RUNTIME_DIR", g_raiz->path().toUtf8());
  qunsetenv("http_proxy");
  qunsetenv("HTTP_PROXY");
}

QString CarpetaTemporalRaiz() { return g_raiz ? g_raiz->path() : QString(); }

}  // namespace prueba
