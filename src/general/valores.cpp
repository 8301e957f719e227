#include "general/valores.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>

#include "general/errores.h"
#include "general/nombresarchivo.h"

namespace {
const char* const kMeses[12] = {"Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
                                "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
}

QString NombreDelMes(int mes) {
  if (mes < 1 || mes > 12) return QString();
  return QString::fromLatin1(kMeses[mes - 1]);
}

int NumeroDelMes(const QString& texto) {
  const QString buscado = texto.trimmed().toUpper();
  for (int m = 1; m <= 12; ++m)
    if (buscado == QString::fromLatin1(kMeses[m - 1]).toUpper()) return m;
  return 0;
}

QString FechaLarga(const QDate& fecha) {
  return QStringLiteral("%1 de %2 de %3").arg(fecha.day()).arg(NombreDelMes(fecha.month()).toLower()).arg(fecha.year());
}

QString DigitoVerificador(qint32 cuerpo) {
  qint64 suma = 0;
  int peso = 2;
  qint64 n = cuerpo;
  while (n != 0) {
    if (peso == 8) peso = 2;
    suma += (n % 10) * peso;
    n /= 10;
    ++peso;
  }
  // Delphi's mod keeps the sign of the dividend; so does C++'s %.
  const qint64 d = 11 - (suma % 11);
  if (d == 11) return QStringLiteral("0");
  if (d == 10) return QStringLiteral("K");
  return QString::number(d);
}

QString TextoRut(qint32 cuerpo, PropositoTexto proposito, bool dataSetVacio) {
  if (dataSetVacio) return QString();
  if (proposito == PropositoTexto::Editar) return QString::number(cuerpo);
  if (cuerpo == 0) return QString();
  return QString::number(cuerpo) + QLatin1Char('-') + DigitoVerificador(cuerpo);
}

qint64 LeerRut(const QString& texto) {
  static const QRegularExpression forma(
      QStringLiteral("^([0-9]+|[0-9]{1,3}(?:\\.[0-9]{3})+)(?:-([0-9Kk]))?$"));
  const QString limpio = texto.trimmed();
  if (limpio.isEmpty()) return 0;
  const QRegularExpressionMatch partes = forma.match(limpio);
  bool correcto = partes.hasMatch();
  const qint64 cuerpo = correcto ? partes.captured(1).remove(QLatin1Char('.')).toLongLong(&correcto) : 0;
  // Nine digits at most: the body of any RUT, and what the columns hold.
  if (!correcto || cuerpo > 999999999) throw ErrorAlcabala(QStringLiteral("«%1» no es un RUT válido").arg(limpio));
  const QString digito = partes.captured(2).toUpper();
  if (!digito.isEmpty()) {
    const QString esperado = DigitoVerificador(static_cast<qint32>(cuerpo));
    if (digito != esperado)
      throw ErrorAlcabala(
          QStringLiteral("El dígito verificador de «%1» no corresponde; debería ser %2.").arg(limpio, esperado));
  }
  return cuerpo;
}

QChar TeclaRut(QChar tecla) {
  if (tecla == QLatin1Char('k')) return QLatin1Char('K');
  if (tecla == QLatin1Char('K') || tecla == QLatin1Char('.') || tecla == QLatin1Char('-')) return tecla;
  return TeclaDigito(tecla);
}

bool EsNulo(const QVariant& valor) { return !valor.isValid() || valor.isNull(); }

QVariant NuloACero(const QVariant& valor) { return EsNulo(valor) ? QVariant(0) : valor; }

QString NuloAVacio(const QVariant& valor) { return EsNulo(valor) ? QString() : valor.toString(); }

bool NuloAFalso(const QVariant& valor) { return EsNulo(valor) ? false : valor.toBool(); }

Moneda NuloACeroMoneda(const QVariant& valor) {
  // The usual case first; a null Moneda variant holds the zero amount anyway.
  if (valor.metaType() == QMetaType::fromType<Moneda>()) return *static_cast<const Moneda*>(valor.constData());
  if (EsNulo(valor)) return Moneda();
  switch (valor.metaType().id()) {
    case QMetaType::Float:
    case QMetaType::Double: {
      const double crudo = valor.toDouble() * Moneda::Escala;
      // 2^63 is exact as a double; anything at or beyond it (or not a number)
      // has no Moneda, and llround would give an unspecified value.
      if (!(std::fabs(crudo) < 9223372036854775808.0))
        throw ErrorAlcabala(QStringLiteral("El valor %1 no es un monto válido.").arg(valor.toDouble()));
      return Moneda::DesdeCrudo(static_cast<qint64>(std::llround(crudo)));
    }
    default:
      return Moneda::DesdePesos(valor.toLongLong());
  }
}

double NuloACeroDouble(const QVariant& valor) {
  if (EsNulo(valor)) return 0.0;
  if (valor.metaType() == QMetaType::fromType<Moneda>()) return valor.value<Moneda>().ADouble();
  return valor.toDouble();
}

qint64 NuloACeroEntero(const QVariant& valor) {
  if (EsNulo(valor)) return 0;
  if (valor.metaType() == QMetaType::fromType<Moneda>()) return valor.value<Moneda>().Pesos();
  return valor.toLongLong();
}

QChar TeclaDigito(QChar tecla) {
  if ((tecla >= QLatin1Char('0') && tecla <= QLatin1Char('9')) || tecla == QChar(TeclaRetroceso))
    return tecla;
  return QChar();
}

QChar TeclaDigitoConSigno(const QString& texto, QChar tecla, int posicionCursor) {
  const bool digito = tecla >= QLatin1Char('0') && tecla <= QLatin1Char('9');
  if (!digito && tecla != QChar(TeclaRetroceso) && tecla != QLatin1Char('-')) return QChar();
  if (tecla == QLatin1Char('-')) {
    if (texto.contains(QLatin1Char('-'))) return QChar();
    if (posicionCursor != 0) return QChar();
  }
  return tecla;
}

QChar TeclaDecimal(const QString& texto, QChar tecla, const QLocale& locale) {
  const QString separador = locale.decimalPoint();
  const QChar sep = separador.isEmpty() ? QLatin1Char('.') : separador.at(0);
  if (sep != QLatin1Char('.') && tecla == QLatin1Char('.')) tecla = sep;
  const bool digito = tecla >= QLatin1Char('0') && tecla <= QLatin1Char('9');
  if (!digito && tecla != QChar(TeclaRetroceso) && tecla != sep) return QChar();
  if (tecla == sep && texto.contains(sep)) return QChar();
  return tecla;
}

QString NombreSinExtension(const QString& ruta) {
  int inicio = 0;
  for (int i = ruta.size() - 1; i >= 0; --i) {
    const QChar c = ruta.at(i);
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')) {
      inicio = i + 1;
      break;
    }
  }
  QString nombre = ruta.mid(inicio);
  const int punto = nombre.lastIndexOf(QLatin1Char('.'));
  if (punto >= 0) nombre.truncate(punto);
  return RutaVisible(nombre);
}

QString CarpetaMisDocumentos() {
  QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (carpeta.isEmpty()) throw ErrorAlcabala(QStringLiteral("Could not find MyDocuments folder location."));
  while (carpeta.size() > 1 && (carpeta.endsWith(QLatin1Char('/')) || carpeta.endsWith(QLatin1Char('\\'))))
    carpeta.chop(1);
  return carpeta;
}

QString AgruparMiles(qint64 entero, const QLocale& locale) {
  const bool negativo = entero < 0;
  // Work on the unsigned magnitude so the most negative value is safe too.
  quint64 magnitud = negativo ? 0 - static_cast<quint64>(entero) : static_cast<quint64>(entero);
  const QString digitos = QString::number(magnitud);
  const QString grupo = locale.groupSeparator();
  QString resultado;
  const int n = digitos.size();
  resultado.reserve(n + n / 3 * grupo.size() + 1);
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) resultado += grupo;
    resultado += digitos.at(i);
  }
  return negativo ? QLatin1Char('-') + resultado : resultado;
}

namespace {
// Rounds half away from zero, as number display patterns do.
qint64 RedondearPresentacion(double valor) { return static_cast<qint64>(std::llround(valor)); }
}  // namespace

qint64 PesosRedondeados(Moneda valor) {
  // In integers: a total of billions of pesos keeps every digit.
  const qint64 crudo = valor.Crudo();
  const qint64 pesos = crudo / Moneda::Escala;
  const qint64 resto = crudo % Moneda::Escala;
  if (resto >= Moneda::Escala / 2) return pesos + 1;
  if (resto <= -Moneda::Escala / 2) return pesos - 1;
  return pesos;
}

QString FormatoGrupos(double valor, const QLocale& locale) {
  const qint64 entero = RedondearPresentacion(valor);
  if (entero == 0) return QString();
  return AgruparMiles(entero, locale);
}

QString FormatoGrupos(Moneda valor, const QLocale& locale) {
  const qint64 pesos = PesosRedondeados(valor);
  if (pesos == 0) return QString();
  return AgruparMiles(pesos, locale);
}

namespace {
// Up to two decimals, trailing zeros dropped. With grouping the whole part is
// grouped and a zero whole part is left out ("###,###.##"); without it the
// whole part always shows ("0.##").
QString FormatoCentesimos(double valor, const QLocale& locale, bool agrupar) {
  const qint64 centesimos = static_cast<qint64>(std::llround(valor * 100.0));
  const bool negativo = centesimos < 0;
  const quint64 magnitud = negativo ? 0 - static_cast<quint64>(centesimos) : static_cast<quint64>(centesimos);
  const qint64 enteros = static_cast<qint64>(magnitud / 100);
  const int decimales = static_cast<int>(magnitud % 100);
  QString texto;
  if (!agrupar)
    texto = QString::number(enteros);
  else if (enteros != 0)
    texto = AgruparMiles(enteros, locale);
  if (decimales != 0) {
    QString d = QStringLiteral("%1").arg(decimales, 2, 10, QLatin1Char('0'));
    if (d.endsWith(QLatin1Char('0'))) d.chop(1);
    texto += locale.decimalPoint() + d;
  }
  return negativo ? QLatin1Char('-') + texto : texto;
}
}  // namespace

QString FormatoGruposDecimal(double valor, const QLocale& locale) {
  if (std::llround(valor * 100.0) == 0) return QString();
  return FormatoCentesimos(valor, locale, true);
}

QString FormatoEdicionDecimal(double valor, const QLocale& locale) { return FormatoCentesimos(valor, locale, false); }

QString FormatoN0(Moneda valor, const QLocale& locale) {
  return AgruparMiles(PesosRedondeados(valor), locale);
}
