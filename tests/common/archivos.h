#pragma once
// Files as the tests compare them: byte for byte.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace prueba {

// The file's whole content; empty when it cannot be read (a missing file).
inline QByteArray BytesDeArchivo(const QString& ruta) {
  QFile archivo(ruta);
  return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

}  // namespace prueba
