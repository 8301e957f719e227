#include "cli/ligero/json.h"

#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "storage/formato/valorcolumna.h"

namespace {

// An ASCII character inside a string literal: escaped where JSON wants it.
void AnadirCaracterAscii(QByteArray& destino, char c) {
  switch (c) {
    case '"': destino += "\\\""; return;
    case '\\': destino += "\\\\"; return;
    case '\n': destino += "\\n"; return;
    case '\r': destino += "\\r"; return;
    case '\t': destino += "\\t"; return;
    case '\b': destino += "\\b"; return;
    case '\f': destino += "\\f"; return;
    default: break;
  }
  if (static_cast<unsigned char>(c) < 0x20) {
    static constexpr char kHex[] = "0123456789abcdef";
    const char escape[] = {'\\', 'u', '0', '0', kHex[(c >> 4) & 0xf], kHex[c & 0xf]};
    destino.append(escape, sizeof escape);
    return;
  }
  destino += c;
}

void AnadirDecimal(QByteArray& destino, quint64 valor) {
  char buffer[24];
  const auto resultado = std::to_chars(buffer, buffer + sizeof buffer, valor);
  destino.append(buffer, static_cast<int>(resultado.ptr - buffer));
}

}  // namespace

void AnadirJsonTexto(QByteArray& destino, const QString& texto) {
  destino += '"';
  const int largo = static_cast<int>(texto.size());
  for (int i = 0; i < largo;) {
    if (texto.at(i).unicode() < 0x80) {
      AnadirCaracterAscii(destino, static_cast<char>(texto.at(i).unicode()));
      ++i;
      continue;
    }
    // A run of other characters goes out as UTF-8 in one piece.
    int fin = i + 1;
    while (fin < largo && texto.at(fin).unicode() >= 0x80) ++fin;
    destino += QStringView(texto).mid(i, fin - i).toUtf8();
    i = fin;
  }
  destino += '"';
}

void AnadirJsonTextoAscii(QByteArray& destino, const char* texto, int largo) {
  destino += '"';
  for (int i = 0; i < largo; ++i) AnadirCaracterAscii(destino, texto[i]);
  destino += '"';
}

void AnadirJsonEntero(QByteArray& destino, qint64 valor) {
  if (valor < 0) destino += '-';
  // The unsigned magnitude is safe for the most negative value too.
  AnadirDecimal(destino, valor < 0 ? 0 - static_cast<quint64>(valor) : static_cast<quint64>(valor));
}

void AnadirJsonMoneda(QByteArray& destino, Moneda valor) {
  const qint64 crudo = valor.Crudo();
  const quint64 magnitud = crudo < 0 ? 0 - static_cast<quint64>(crudo) : static_cast<quint64>(crudo);
  const quint64 escala = static_cast<quint64>(Moneda::Escala);
  if (crudo < 0) destino += '-';
  AnadirDecimal(destino, magnitud / escala);
  quint64 fraccion = magnitud % escala;
  if (fraccion == 0) return;
  // Four decimals, without trailing zeros.
  char decimales[4];
  for (int i = 3; i >= 0; --i, fraccion /= 10) decimales[i] = static_cast<char>('0' + fraccion % 10);
  int usados = 4;
  while (decimales[usados - 1] == '0') --usados;
  destino += '.';
  destino.append(decimales, usados);
}

void AnadirJsonReal(QByteArray& destino, float valor) {
  if (!std::isfinite(valor)) {
    destino += "null";
    return;
  }
  char buffer[64];
  const auto resultado = std::to_chars(buffer, buffer + sizeof buffer, valor);
  destino.append(buffer, static_cast<int>(resultado.ptr - buffer));
}

QString JsonTexto(const QString& texto) {
  QByteArray utf8;
  AnadirJsonTexto(utf8, texto);
  return QString::fromUtf8(utf8);
}

QString JsonMoneda(Moneda valor) {
  QByteArray texto;
  AnadirJsonMoneda(texto, valor);
  return QString::fromLatin1(texto);
}

QString JsonReal(float valor) {
  QByteArray texto;
  AnadirJsonReal(texto, valor);
  return QString::fromLatin1(texto);
}

void AnadirJsonTextoGuardado(QByteArray& destino, const char* utf8, int largo, int tamano) {
  for (int i = 0; i < largo; ++i) {
    if (static_cast<unsigned char>(utf8[i]) >= 0x80) {
      AnadirJsonTexto(destino, TextoRelleno(utf8, largo, tamano));
      return;
    }
  }
  AnadirJsonTextoAscii(destino, utf8, largo);
  if (largo >= tamano) return;
  destino.chop(1);  // the closing quote goes after the blanks
  static constexpr char kBlancos[] = "                                                                ";
  for (int faltan = tamano - largo; faltan > 0;) {
    const int tramo = std::min(faltan, static_cast<int>(sizeof kBlancos) - 1);
    destino.append(kBlancos, tramo);
    faltan -= tramo;
  }
  destino += '"';
}

void AnadirJsonValorCampo(QByteArray& destino, const QVariant& valor, const DefinicionCampo& campo) {
  EscritorJson escritor{destino};
  VisitarValor(valor, campo.tipo, escritor);
}

QString JsonValorCampo(const QVariant& valor, const DefinicionCampo& campo) {
  QByteArray texto;
  AnadirJsonValorCampo(texto, valor, campo);
  return QString::fromUtf8(texto);
}

QString JsonRegistro(const Registro& registro, const QList<DefinicionCampo>& campos) {
  QStringList pares;
  for (const DefinicionCampo& campo : campos)
    pares << JsonTexto(campo.nombre) + QStringLiteral(": ") + JsonValorCampo(registro.Valor(campo.nombre), campo);
  return QLatin1Char('{') + pares.join(QLatin1String(", ")) + QLatin1Char('}');
}
