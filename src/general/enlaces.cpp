#include "general/enlaces.h"

#include <QUrl>

bool EsDireccionAbrible(const QString& url, bool permitirMailto) {
  const QString texto = url.trimmed();
  if (texto.isEmpty()) return false;
  const QUrl direccion(texto, QUrl::TolerantMode);
  if (!direccion.isValid() || direccion.isRelative()) return false;
  const QString esquema = direccion.scheme().toLower();
  if (esquema == QLatin1String("http") || esquema == QLatin1String("https")) {
    return !direccion.host().isEmpty();
  }
  if (esquema == QLatin1String("mailto")) {
    return permitirMailto && !direccion.path().trimmed().isEmpty();
  }
  return false;
}
