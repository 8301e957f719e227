#include "declarations/catalogo/presentacion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "general/errores.h"
#include "general/moneda.h"
#include "general/valores.h"

// ---- From a value to its text -------------------------------------------------

namespace {

bool EsMoneda(const QVariant& valor) { return valor.metaType() == QMetaType::fromType<Moneda>(); }

// Whole units of any stored number, halves away from zero; amounts in integers.
qint64 Entero(const QVariant& valor) {
  if (EsMoneda(valor)) return PesosRedondeados(valor.value<Moneda>());
  return std::llround(NuloACeroDouble(valor));
}

bool EsDecimal(const QVariant& valor) {
  const int tipo = valor.metaType().id();
  return tipo == QMetaType::Float || tipo == QMetaType::Double;
}

// A single-precision value as it was typed: seven significant digits, so a
// rate of 0.3 prints 0.3 and not the digits of its widened binary value;
// never in exponent notation, trailing zeros dropped.
QString TextoSimple(float valor, const QLocale& locale) {
  constexpr int DigitosSimple = 7;
  const double doble = static_cast<double>(valor);
  const int enteros = doble == 0 ? 1 : std::max(1, static_cast<int>(std::floor(std::log10(std::fabs(doble)))) + 1);
  QLocale sinGrupos = locale;
  sinGrupos.setNumberOptions(QLocale::OmitGroupSeparator);
  QString texto = sinGrupos.toString(doble, 'f', std::max(0, DigitosSimple - enteros));
  if (texto.contains(locale.decimalPoint())) {
    while (texto.endsWith(QLatin1Char('0'))) texto.chop(1);
    if (texto.endsWith(locale.decimalPoint())) texto.chop(locale.decimalPoint().size());
  }
  return texto;
}

QString SinBlancosFinales(QString texto) {
  // Fixed-length text comes back padded; the blanks are not the user's.
  while (texto.endsWith(QLatin1Char(' '))) texto.chop(1);
  return texto;
}

}  // namespace

QString TextoConFormato(const QVariant& valor, FormatoValor formato, const QLocale& locale) {
  if (formato == FormatoValor::Rut) return TextoRut(static_cast<qint32>(NuloACeroEntero(valor)), PropositoTexto::Mostrar, false);
  if (EsNulo(valor)) return QString();
  switch (formato) {
    case FormatoValor::Grupos: {
      const qint64 entero = Entero(valor);
      return entero == 0 ? QString() : AgruparMiles(entero, locale);
    }
    case FormatoValor::GruposCero:
      return AgruparMiles(Entero(valor), locale);
    case FormatoValor::GruposDecimal:
      return FormatoGruposDecimal(NuloACeroDouble(valor), locale);
    case FormatoValor::Telefono: {
      const qint64 numero = NuloACeroEntero(valor);
      return numero == 0 ? QString() : QString::number(numero);
    }
    case FormatoValor::Plano:
      if (valor.metaType().id() == QMetaType::Float) return TextoSimple(valor.toFloat(), locale);
      if (EsDecimal(valor)) return FormatoEdicionDecimal(NuloACeroDouble(valor), locale);
      if (EsMoneda(valor) || valor.canConvert<qint64>()) return QString::number(Entero(valor));
      return NuloAVacio(valor);
    case FormatoValor::Texto:
      return SinBlancosFinales(NuloAVacio(valor));
    case FormatoValor::Marca:
      return NuloAFalso(valor) ? QStringLiteral("X") : QString();
    case FormatoValor::TextoTal:
    case FormatoValor::Rut:
      break;
  }
  return NuloAVacio(valor);
}

FormatoValor FormatoDePresentacion(Presentacion presentacion) {
  switch (presentacion) {
    case Presentacion::Grupos: return FormatoValor::Grupos;
    case Presentacion::GruposDecimal: return FormatoValor::GruposDecimal;
    case Presentacion::Telefono: return FormatoValor::Telefono;
    case Presentacion::Rut: return FormatoValor::Rut;
    case Presentacion::Texto: return FormatoValor::Texto;
    case Presentacion::Lista: return FormatoValor::Plano;
    case Presentacion::TextoDerecha:
    case Presentacion::Casilla: return FormatoValor::TextoTal;
  }
  return FormatoValor::TextoTal;
}

FormatoValor FormatoDeCampo(const QString& campo) {
  for (const Caja& caja : Catalogo())
    if (caja.campo == campo) return FormatoDePresentacion(caja.presentacion);
  return FormatoValor::Texto;
}

QString TextoDeValor(const QVariant& valor, Presentacion presentacion, bool editando, bool dataSetVacio,
                     const QLocale& locale) {
  if (dataSetVacio) return QString();
  if (!editando) return TextoConFormato(valor, FormatoDePresentacion(presentacion), locale);
  switch (presentacion) {
    case Presentacion::Grupos:
      if (EsNulo(valor)) return QString();
      if (valor.metaType() == QMetaType::fromType<Moneda>()) return QString::number(PesosRedondeados(valor.value<Moneda>()));
      return QString::number(std::llround(NuloACeroDouble(valor)));
    case Presentacion::GruposDecimal:
      if (EsNulo(valor)) return QString();
      return FormatoEdicionDecimal(NuloACeroDouble(valor), locale);
    case Presentacion::Telefono:
      if (EsNulo(valor)) return QString();
      return QString::number(NuloACeroEntero(valor));
    case Presentacion::Rut:
      return TextoRut(static_cast<qint32>(NuloACeroEntero(valor)), PropositoTexto::Editar, false);
    default:
      return TextoConFormato(valor, FormatoDePresentacion(presentacion), locale);
  }
}

// ---- From a typed text to its value -------------------------------------------

namespace {

[[noreturn]] void NoEsNumero(const QString& texto) {
  throw ErrorAlcabala(QStringLiteral("«%1» no es un número válido").arg(texto));
}

[[noreturn]] void NoCabe(const QString& texto, const QString& maximo) {
  throw ErrorAlcabala(
      QStringLiteral("El número %1 no cabe en esta casilla: el mayor que admite es %2").arg(texto, maximo));
}

// Splits a typed number into sign, whole digits and decimal digits. Group
// separators of the locale are allowed between digits.
struct NumeroLeido {
  bool negativo = false;
  QString enteros;
  QString decimales;
};

NumeroLeido LeerNumero(const QString& original, const QLocale& locale, bool admiteDecimales) {
  const QString grupo = locale.groupSeparator();
  const QString decimal = locale.decimalPoint();
  QString texto = original.trimmed();
  NumeroLeido n;
  if (texto.startsWith(QLatin1Char('-')) || texto.startsWith(QLatin1Char('+'))) {
    n.negativo = texto.startsWith(QLatin1Char('-'));
    texto.remove(0, 1);
  }
  bool enDecimales = false;
  for (int i = 0; i < texto.size(); ++i) {
    const QChar c = texto.at(i);
    if (c.isDigit() && c.unicode() < 128) {
      (enDecimales ? n.decimales : n.enteros) += c;
    } else if (admiteDecimales && !enDecimales && texto.mid(i, decimal.size()) == decimal) {
      enDecimales = true;
      i += decimal.size() - 1;
    } else if (!enDecimales && !grupo.isEmpty() && texto.mid(i, grupo.size()) == grupo && !n.enteros.isEmpty()) {
      i += grupo.size() - 1;
    } else {
      NoEsNumero(original.trimmed());
    }
  }
  if (n.enteros.isEmpty() && n.decimales.isEmpty()) NoEsNumero(original.trimmed());
  while (n.enteros.size() > 1 && n.enteros.startsWith(QLatin1Char('0'))) n.enteros.remove(0, 1);
  if (n.enteros.isEmpty()) n.enteros = QStringLiteral("0");
  return n;
}

QVariant EnteroDeTexto(const QString& texto, qint64 minimo, qint64 maximo, const QLocale& locale) {
  const NumeroLeido n = LeerNumero(texto, locale, false);
  const QString maximoTexto = AgruparMiles(maximo, locale);
  if (n.enteros.size() > 18) NoCabe(texto.trimmed(), maximoTexto);
  const qint64 valor = (n.negativo ? -1 : 1) * n.enteros.toLongLong();
  if (valor > maximo || valor < minimo) NoCabe(texto.trimmed(), maximoTexto);
  return QVariant(static_cast<int>(valor));
}

QVariant MonedaDeTexto(const QString& texto, const QLocale& locale) {
  const NumeroLeido n = LeerNumero(texto, locale, true);
  constexpr qint64 MaximoPesos = std::numeric_limits<qint64>::max() / Moneda::Escala;
  if (n.enteros.size() > 15 || n.enteros.toLongLong() > MaximoPesos)
    NoCabe(texto.trimmed(), AgruparMiles(MaximoPesos, locale));
  if (n.decimales.size() > 4)
    throw ErrorAlcabala(QStringLiteral("«%1» tiene más de cuatro decimales").arg(texto.trimmed()));
  const qint64 fraccion = n.decimales.leftJustified(4, QLatin1Char('0')).toLongLong();
  const qint64 crudo = n.enteros.toLongLong() * Moneda::Escala + fraccion;
  return QVariant::fromValue(Moneda::DesdeCrudo(n.negativo ? -crudo : crudo));
}

QVariant RealDeTexto(const QString& texto, const QLocale& locale) {
  const NumeroLeido n = LeerNumero(texto, locale, true);
  const QString normal = (n.negativo ? QStringLiteral("-") : QString()) + n.enteros +
                         (n.decimales.isEmpty() ? QString() : QStringLiteral(".") + n.decimales);
  bool ok = false;
  const double valor = normal.toDouble(&ok);
  if (!ok || !std::isfinite(valor)) NoEsNumero(texto.trimmed());
  if (std::fabs(valor) > std::numeric_limits<float>::max())
    NoCabe(texto.trimmed(), locale.toString(static_cast<double>(std::numeric_limits<float>::max()), 'g', 3));
  return QVariant(static_cast<float>(valor));
}


}  // namespace

QVariant ValorDeTexto(const QString& texto, TipoColumna tipo, int tamano, const QLocale& locale) {
  const bool vacio = texto.trimmed().isEmpty();
  switch (tipo) {
    case TipoColumna::S:
      return vacio ? QVariant(0) : EnteroDeTexto(texto, -32768, 32767, locale);
    case TipoColumna::L:
      return vacio ? QVariant(0)
                   : EnteroDeTexto(texto, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
                                   locale);
    case TipoColumna::C:
      return vacio ? QVariant::fromValue(Moneda()) : MonedaDeTexto(texto, locale);
    case TipoColumna::F:
      return vacio ? QVariant(0.0f) : RealDeTexto(texto, locale);
    case TipoColumna::B:
      return QVariant(!vacio && texto.trimmed() != QLatin1String("0"));
    case TipoColumna::W:
      if (tamano > 0 && texto.size() > tamano)
        throw ErrorAlcabala(QStringLiteral("El texto tiene %1 caracteres y esta casilla admite %2 como máximo")
                                .arg(texto.size())
                                .arg(tamano));
      return QVariant(texto);
  }
  return QVariant();
}

