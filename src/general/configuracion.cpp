#include "general/configuracion.h"

#include <QByteArray>

#ifndef ALCABALA_URL_BASE_PREDETERMINADA
#define ALCABALA_URL_BASE_PREDETERMINADA "http://127.0.0.1:8642/"
#endif

QString UrlBase() {
  QString base = qEnvironmentVariable("ALCABALA_URL_BASE").trimmed();
  if (base.isEmpty()) base = QStringLiteral(ALCABALA_URL_BASE_PREDETERMINADA);
  if (!base.endsWith(QLatin1Char('/'))) base += QLatin1Char('/');
  return base;
}
