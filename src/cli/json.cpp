#include "cli/json.h"

#include <QStringList>
#include <charconv>
#include <cmath>

QString JsonTexto(const QString& texto) {
  QString resultado;
  resultado.reserve(texto.size() + 2);
  resultado += QLatin1Char('"');
  for (const QChar c : texto) {
    switch (c.unicode()) {
      case u'"': resultado += QLatin1String("\\\""); break;
      case u'\\': resultado += QLatin1String("\\\\"); break;
      case u'\n': resultado += QLatin1String("\\n"); break;
      case u'\r': resultado += QLatin1String("\\r"); break;
      case u'\t': resultado += QLatin1String("\\t"); break;
      case u'\b': resultado += QLatin1String("\\b"); break;
      case u'\f': resultado += QLatin1String("\\f"); break;
      default:
        if (c.unicode() < 0x20)
          resultado += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
          resultado += c;
    }
  }
  resultado += QLatin1Char('"');
  return resultado;
}

QString JsonMoneda(Moneda valor) {
  const qint64 crudo = valor.Crudo();
  const bool negativo = crudo < 0;
  // The unsigned magnitude is safe for the most negative value too.
  const quint64 magnitud = negativo ? 0 - static_cast<quint64>(crudo) : static_cast<quint64>(crudo);
  const quint64 escala = static_cast<quint64>(Moneda::Escala);
  QString texto = QString::number(magnitud / escala);
  const quint64 fraccion = magnitud % escala;
  if (fraccion != 0) {
    QString decimales = QStringLiteral("%1").arg(fraccion, 4, 10, QLatin1Char('0'));
    while (decimales.endsWith(QLatin1Char('0'))) decimales.chop(1);
    texto += QLatin1Char('.') + decimales;
  }
  return negativo ? QLatin1Char('-') + texto : texto;
}

QString JsonReal(float valor) {
  if (!std::isfinite(valor)) return QStringLiteral("null");
  char buffer[64];
  const auto resultado = std::to_chars(buffer, buffer + sizeof buffer, valor);
  return QString::fromLatin1(buffer, static_cast<int>(resultado.ptr - buffer));
}

QString JsonValorCampo(const QVariant& valor, const DefinicionCampo& campo) {
  if (!valor.isValid() || valor.isNull()) return QStringLiteral("null");
  switch (campo.tipo) {
    case TipoColumna::S:
    case TipoColumna::L:
      return QString::number(valor.toLongLong());
    case TipoColumna::B:
      return valor.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case TipoColumna::C:
      if (valor.metaType() == QMetaType::fromType<Moneda>()) return JsonMoneda(valor.value<Moneda>());
      return JsonMoneda(Moneda::DesdeCrudo(std::llround(valor.toDouble() * Moneda::Escala)));
    case TipoColumna::F:
      return JsonReal(valor.toFloat());
    case TipoColumna::W:
      return JsonTexto(valor.toString());
  }
  return QStringLiteral("null");
}

QString JsonRegistro(const Registro& registro, const QList<DefinicionCampo>& campos) {
  QStringList pares;
  for (const DefinicionCampo& campo : campos)
    pares << JsonTexto(campo.nombre) + QStringLiteral(": ") + JsonValorCampo(registro.Valor(campo.nombre), campo);
  return QLatin1Char('{') + pares.join(QLatin1String(", ")) + QLatin1Char('}');
}
