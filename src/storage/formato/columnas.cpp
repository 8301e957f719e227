#include "storage/formato/columnas.h"

#include "storage/formato/valorcolumna.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

#include "general/errores.h"
#include "general/moneda.h"

namespace {

constexpr qint64 MinimoS = std::numeric_limits<qint16>::min();
constexpr qint64 MaximoS = std::numeric_limits<qint16>::max();
constexpr qint64 MinimoL = std::numeric_limits<qint32>::min();
constexpr qint64 MaximoL = std::numeric_limits<qint32>::max();
// Largest magnitude a double may have and still become a 64-bit integer.
constexpr double LimiteEntero64 = 9.2e18;

bool EsMoneda(const QVariant& valor) { return valor.metaType() == QMetaType::fromType<Moneda>(); }

bool EsTexto(const QVariant& valor) { return valor.metaType().id() == QMetaType::QString; }

bool EsReal(const QVariant& valor) {
  const int id = valor.metaType().id();
  return id == QMetaType::Double || id == QMetaType::Float;
}

QString NombreTipo(const DefinicionCampo& campo) {
  switch (campo.tipo) {
    case TipoColumna::S: return QStringLiteral("entero de 16 bits");
    case TipoColumna::L: return QStringLiteral("entero de 32 bits");
    case TipoColumna::C: return QStringLiteral("monto");
    case TipoColumna::F: return QStringLiteral("número de precisión simple");
    case TipoColumna::B: return QStringLiteral("lógico");
    case TipoColumna::W: return QStringLiteral("texto");
  }
  return QString();
}

QString TextoValor(const QVariant& valor) {
  if (EsMoneda(valor)) return QString::number(valor.value<Moneda>().ADouble(), 'f', 4);
  return valor.toString();
}

[[noreturn]] void ErrorNoCabe(const QVariant& valor, const DefinicionCampo& campo) {
  throw ErrorAlcabala(QStringLiteral("El valor %1 no cabe en el campo \"%2\" (%3).")
                          .arg(TextoValor(valor), campo.nombre, NombreTipo(campo)));
}

[[noreturn]] void ErrorNoValido(const QVariant& valor, const DefinicionCampo& campo) {
  throw ErrorAlcabala(QStringLiteral("\"%1\" no es un valor válido para el campo \"%2\" (%3).")
                          .arg(TextoValor(valor), campo.nombre, NombreTipo(campo)));
}

// Integer division rounding to the nearest, ties to the even quotient.
qint64 DividirRedondeando(qint64 dividendo, qint64 divisor) {
  qint64 cociente = dividendo / divisor;
  const qint64 resto = dividendo % divisor;
  const qint64 doble = 2 * (resto < 0 ? -resto : resto);
  if (doble > divisor || (doble == divisor && cociente % 2 != 0)) cociente += dividendo < 0 ? -1 : 1;
  return cociente;
}

qint64 RedondearReal(double valor, const QVariant& original, const DefinicionCampo& campo) {
  if (!std::isfinite(valor) || std::fabs(valor) >= LimiteEntero64) ErrorNoCabe(original, campo);
  return static_cast<qint64>(std::nearbyint(valor));  // ties to even in the default rounding mode
}

// An integer from any value the program may hand to an integer field.
qint64 EnteroDe(const QVariant& valor, const DefinicionCampo& campo) {
  if (EsMoneda(valor)) return DividirRedondeando(valor.value<Moneda>().Crudo(), Moneda::Escala);
  if (EsReal(valor)) return RedondearReal(valor.toDouble(), valor, campo);
  if (EsTexto(valor)) {
    bool ok = false;
    const qint64 entero = valor.toString().trimmed().toLongLong(&ok);
    if (!ok) ErrorNoValido(valor, campo);
    return entero;
  }
  if (valor.metaType().id() == QMetaType::ULongLong) {
    const qulonglong sinSigno = valor.toULongLong();
    if (sinSigno > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) ErrorNoCabe(valor, campo);
    return static_cast<qint64>(sinSigno);
  }
  bool ok = false;
  const qint64 entero = valor.toLongLong(&ok);
  if (!ok) ErrorNoValido(valor, campo);
  return entero;
}

// "1234", "-12.5", "0.0001": an exact decimal with at most four decimals.
bool LeerDecimalExacto(const QString& texto, qint64* crudo) {
  static const QRegularExpression patron(QStringLiteral("^([+-]?)(\\d{1,15})(?:\\.(\\d{1,4}))?$"));
  const auto coincidencia = patron.match(texto.trimmed());
  if (!coincidencia.hasMatch()) return false;
  const qint64 entero = coincidencia.captured(2).toLongLong();
  const QString decimales = coincidencia.captured(3).leftJustified(4, QLatin1Char('0'));
  qint64 valor = entero * Moneda::Escala + decimales.toLongLong();
  if (coincidencia.captured(1) == QLatin1String("-")) valor = -valor;
  *crudo = valor;
  return true;
}

Moneda MonedaDe(const QVariant& valor, const DefinicionCampo& campo) {
  if (EsMoneda(valor)) return valor.value<Moneda>();
  if (EsReal(valor)) return Moneda::DesdeCrudo(RedondearReal(valor.toDouble() * Moneda::Escala, valor, campo));
  if (EsTexto(valor)) {
    qint64 crudo = 0;
    if (!LeerDecimalExacto(valor.toString(), &crudo)) ErrorNoValido(valor, campo);
    return Moneda::DesdeCrudo(crudo);
  }
  const qint64 pesos = EnteroDe(valor, campo);
  if (pesos > std::numeric_limits<qint64>::max() / Moneda::Escala ||
      pesos < std::numeric_limits<qint64>::min() / Moneda::Escala)
    ErrorNoCabe(valor, campo);
  return Moneda::DesdePesos(pesos);
}

double RealDe(const QVariant& valor, const DefinicionCampo& campo) {
  if (EsMoneda(valor)) return valor.value<Moneda>().ADouble();
  bool ok = false;
  const double real = EsTexto(valor) ? valor.toString().trimmed().toDouble(&ok) : valor.toDouble(&ok);
  if (!ok) ErrorNoValido(valor, campo);
  return real;
}

QString Rellenar(const QString& texto, int tamano) {
  if (tamano <= 0) return texto;
  return texto.leftJustified(tamano, QLatin1Char(' '), false);
}

// The literal of a column default: 0, -1.5, 'texto' or NULL.
QVariant LiteralSql(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty() || t.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) return QVariant();
  if (t.size() >= 2 && t.startsWith(QLatin1Char('\'')) && t.endsWith(QLatin1Char('\''))) {
    QString interior = t.mid(1, t.size() - 2);
    interior.replace(QLatin1String("''"), QLatin1String("'"));
    return interior.isNull() ? QVariant(QStringLiteral("")) : QVariant(interior);
  }
  QString sinParentesis = t;
  while (sinParentesis.startsWith(QLatin1Char('(')) && sinParentesis.endsWith(QLatin1Char(')')))
    sinParentesis = sinParentesis.mid(1, sinParentesis.size() - 2).trimmed();
  bool ok = false;
  const qint64 entero = sinParentesis.toLongLong(&ok);
  if (ok) return QVariant(entero);
  const double real = sinParentesis.toDouble(&ok);
  if (ok) return QVariant(real);
  return QVariant(sinParentesis);
}

bool EsBlanco(QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The size of a declared type "NCHAR(n)" (blanks allowed around the
// parenthesis and the number, as upper-cased and trimmed); -1 for any other
// type. Read by hand: every opening of a file declares a few hundred columns.
int TamanoNchar(const QString& tipo) {
  const QLatin1String prefijo("NCHAR");
  if (!tipo.startsWith(prefijo)) return -1;
  qsizetype i = prefijo.size();
  auto SaltarBlancos = [&] {
    while (i < tipo.size() && EsBlanco(tipo.at(i))) ++i;
  };
  SaltarBlancos();
  if (i >= tipo.size() || tipo.at(i) != u'(') return -1;
  ++i;
  SaltarBlancos();
  const qsizetype inicioDigitos = i;
  while (i < tipo.size() && tipo.at(i) >= u'0' && tipo.at(i) <= u'9') ++i;
  if (i == inicioDigitos) return -1;
  const int tamano = QStringView(tipo).mid(inicioDigitos, i - inicioDigitos).toInt();
  SaltarBlancos();
  if (i >= tipo.size() || tipo.at(i) != u')' || i + 1 != tipo.size()) return -1;
  return tamano;
}

}  // namespace

bool EsValorNulo(const QVariant& valor) { return !valor.isValid() || valor.isNull(); }

QString TipoSql(TipoColumna tipo, int tamano) {
  switch (tipo) {
    case TipoColumna::S: return QStringLiteral("SMALLINT");
    case TipoColumna::L: return QStringLiteral("INTEGER");
    case TipoColumna::C: return QStringLiteral("CURRENCY");
    case TipoColumna::F: return QStringLiteral("REAL");
    case TipoColumna::B: return QStringLiteral("BOOLEAN");
    case TipoColumna::W: return QStringLiteral("NCHAR(%1)").arg(tamano);
  }
  return QString();
}

DefinicionCampo CampoDeColumna(const QString& nombre, const QString& tipoDeclarado) {
  DefinicionCampo campo;
  campo.nombre = nombre;
  const QString tipo = tipoDeclarado.trimmed().toUpper();
  const int tamanoNchar = TamanoNchar(tipo);
  if (tipo == QLatin1String("SMALLINT")) campo.tipo = TipoColumna::S;
  else if (tipo == QLatin1String("INTEGER")) campo.tipo = TipoColumna::L;
  else if (tipo == QLatin1String("CURRENCY")) campo.tipo = TipoColumna::C;
  else if (tipo == QLatin1String("REAL")) campo.tipo = TipoColumna::F;
  else if (tipo == QLatin1String("BOOLEAN")) campo.tipo = TipoColumna::B;
  else if (tamanoNchar >= 0) {
    campo.tipo = TipoColumna::W;
    campo.tamano = tamanoNchar;
  } else if (tipo.contains(QLatin1String("INT"))) campo.tipo = TipoColumna::L;
  else if (tipo.contains(QLatin1String("CHAR")) || tipo.contains(QLatin1String("CLOB")) ||
           tipo.contains(QLatin1String("TEXT")))
    campo.tipo = TipoColumna::W;
  else if (tipo.contains(QLatin1String("REAL")) || tipo.contains(QLatin1String("FLOA")) ||
           tipo.contains(QLatin1String("DOUB")))
    campo.tipo = TipoColumna::F;
  else campo.tipo = TipoColumna::C;
  return campo;
}

QVariant LeerValorColumna(const QVariant& crudo, const DefinicionCampo& campo) {
  if (EsValorNulo(crudo)) return QVariant();
  const bool real = EsReal(crudo);
  switch (campo.tipo) {
    case TipoColumna::S:
    case TipoColumna::L:
      return static_cast<int>(real ? static_cast<qint64>(std::nearbyint(crudo.toDouble())) : crudo.toLongLong());
    case TipoColumna::C:
      return QVariant::fromValue(
          Moneda::DesdeCrudo(real ? static_cast<qint64>(std::llround(crudo.toDouble())) : crudo.toLongLong()));
    case TipoColumna::F:
      return static_cast<float>(crudo.toDouble());
    case TipoColumna::B:
      return EsTexto(crudo) ? crudo.toBool() : (real ? crudo.toDouble() != 0.0 : crudo.toLongLong() != 0);
    case TipoColumna::W:
      return Rellenar(crudo.toString(), campo.tamano);
  }
  return QVariant();
}

QVariant ConvertirValorCampo(const QVariant& valor, const DefinicionCampo& campo) {
  if (EsValorNulo(valor)) return QVariant();
  switch (campo.tipo) {
    case TipoColumna::S:
    case TipoColumna::L: {
      const qint64 entero = EnteroDe(valor, campo);
      const bool corto = campo.tipo == TipoColumna::S;
      if (entero < (corto ? MinimoS : MinimoL) || entero > (corto ? MaximoS : MaximoL)) ErrorNoCabe(valor, campo);
      return static_cast<int>(entero);
    }
    case TipoColumna::C:
      return QVariant::fromValue(MonedaDe(valor, campo));
    case TipoColumna::F: {
      const double real = RealDe(valor, campo);
      if (!std::isfinite(real) || std::fabs(real) > std::numeric_limits<float>::max()) ErrorNoCabe(valor, campo);
      return static_cast<float>(real);
    }
    case TipoColumna::B:
      if (EsMoneda(valor)) return !valor.value<Moneda>().EsCero();
      return valor.toBool();
    case TipoColumna::W: {
      QString texto = EsMoneda(valor) ? TextoValor(valor) : valor.toString();
      if (campo.tamano > 0 && texto.size() > campo.tamano) texto.truncate(campo.tamano);
      return texto;
    }
  }
  return QVariant();
}

QVariant ValorParaGuardar(const QVariant& valor, const DefinicionCampo& campo) {
  if (EsValorNulo(valor)) return QVariant();
  const QVariant convertido = ConvertirValorCampo(valor, campo);
  switch (campo.tipo) {
    case TipoColumna::S:
    case TipoColumna::L:
      return static_cast<qlonglong>(convertido.toInt());
    case TipoColumna::C:
      return static_cast<qlonglong>(convertido.value<Moneda>().Crudo());
    case TipoColumna::F:
      return static_cast<double>(convertido.toFloat());
    case TipoColumna::B:
      return static_cast<qlonglong>(convertido.toBool() ? 1 : 0);
    case TipoColumna::W:
      return Rellenar(convertido.toString(), campo.tamano);
  }
  return QVariant();
}

QVariant ValorPredeterminadoColumna(const QVariant& textoSql, const DefinicionCampo& campo) {
  if (EsValorNulo(textoSql)) return QVariant();
  const QVariant literal = LiteralSql(textoSql.toString());
  if (EsValorNulo(literal)) return QVariant();
  // A text default shows as typed (the file pads it when the row is stored).
  if (campo.tipo == TipoColumna::W) return ConvertirValorCampo(literal, campo);
  return LeerValorColumna(literal, campo);
}

QString TextoRelleno(const char* utf8, int largo, int tamano) {
  return Rellenar(QString::fromUtf8(utf8, largo), tamano);
}

QVariant ValorVacio(TipoColumna tipo) {
  switch (tipo) {
    case TipoColumna::S:
    case TipoColumna::L: return 0;
    case TipoColumna::C: return QVariant::fromValue(Moneda());
    case TipoColumna::F: return 0.0f;
    case TipoColumna::B: return false;
    case TipoColumna::W: return QStringLiteral("");
  }
  return QVariant();
}
