#include "general/nombresarchivo.h"

namespace {

constexpr char16_t PrimerByteSuelto = 0xDC80;
constexpr char16_t UltimoByteSuelto = 0xDCFF;

bool EsByteSuelto(QChar c) { return c.unicode() >= PrimerByteSuelto && c.unicode() <= UltimoByteSuelto; }

// Length of the valid UTF-8 sequence at bytes[i], or 0 when none starts there.
int LargoUtf8Valido(const QByteArray& bytes, qsizetype i) {
  const auto byte = [&](qsizetype j) { return static_cast<unsigned char>(bytes.at(j)); };
  const unsigned char primero = byte(i);
  if (primero < 0x80) return 1;
  int largo = 0;
  unsigned char minimo = 0x80;
  unsigned char maximo = 0xBF;
  if (primero >= 0xC2 && primero <= 0xDF) largo = 2;
  else if (primero >= 0xE0 && primero <= 0xEF) {
    largo = 3;
    if (primero == 0xE0) minimo = 0xA0;         // no overlong forms
    if (primero == 0xED) maximo = 0x9F;         // no surrogates
  } else if (primero >= 0xF0 && primero <= 0xF4) {
    largo = 4;
    if (primero == 0xF0) minimo = 0x90;
    if (primero == 0xF4) maximo = 0x8F;         // nothing beyond U+10FFFF
  } else
    return 0;
  if (i + largo > bytes.size()) return 0;
  if (byte(i + 1) < minimo || byte(i + 1) > maximo) return 0;
  for (int k = 2; k < largo; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return largo;
}

}  // namespace

QString RutaDeBytes(const QByteArray& bytes) {
  QString ruta;
  ruta.reserve(bytes.size());
  qsizetype inicio = 0;  // start of the valid run not yet decoded
  qsizetype i = 0;
  const auto cerrarTramo = [&] {
    if (i > inicio) ruta += QString::fromUtf8(bytes.constData() + inicio, i - inicio);
  };
  while (i < bytes.size()) {
    const int largo = LargoUtf8Valido(bytes, i);
    if (largo > 0) {
      i += largo;
      continue;
    }
    cerrarTramo();
    ruta += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes.at(i))));
    inicio = ++i;
  }
  cerrarTramo();
  return ruta;
}

QByteArray BytesDeRuta(const QString& ruta) {
  if (!RutaConBytesSueltos(ruta)) return ruta.toUtf8();
  QByteArray bytes;
  bytes.reserve(ruta.size());
  qsizetype inicio = 0;
  for (qsizetype i = 0; i <= ruta.size(); ++i) {
    if (i < ruta.size() && !EsByteSuelto(ruta.at(i))) continue;
    bytes += ruta.mid(inicio, i - inicio).toUtf8();
    if (i < ruta.size()) bytes += static_cast<char>(ruta.at(i).unicode() - 0xDC00);
    inicio = i + 1;
  }
  return bytes;
}

bool RutaConBytesSueltos(const QString& ruta) {
  for (QChar c : ruta)
    if (EsByteSuelto(c)) return true;
  return false;
}

QString RutaVisible(const QString& ruta) {
  if (!RutaConBytesSueltos(ruta)) return ruta;
  QString visible = ruta;
  for (QChar& c : visible)
    if (EsByteSuelto(c)) c = QChar::ReplacementCharacter;
  return visible;
}

QByteArray CarpetaDeBytes(const QByteArray& ruta) {
  const qsizetype barra = ruta.lastIndexOf('/');
  if (barra < 0) return QByteArrayLiteral(".");
  return barra == 0 ? QByteArrayLiteral("/") : ruta.left(barra);
}
