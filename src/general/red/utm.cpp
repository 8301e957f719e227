#include "general/red/utm.h"

#include <QRegularExpression>

#include "general/configuracion.h"
#include "general/errores.h"
#include "general/valores.h"

QString DireccionUTM(int ano) {
  return UrlBase() + QStringLiteral("UTM/") + QString::number(ano) + QStringLiteral(".xml");
}

std::optional<double> ConvertirMontoUTM(const QString& texto, const QLocale& locale) {
  // Blanks of the markup around the value are no part of it; any other
  // character (a no-break space among them) is.
  static const QRegularExpression bordes(QStringLiteral("^[ \\t\\r\\n]+|[ \\t\\r\\n]+$"));
  QString monto = texto;
  monto.remove(bordes);
  if (monto.isEmpty()) return 0;
  // A signed number is a number, but no UTM value: none for the month.
  static const QRegularExpression firmado(QStringLiteral("^[+-]([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
  if (firmado.match(monto).hasMatch()) return 0;
  static const QRegularExpression decimal(QStringLiteral("^([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
  if (!decimal.match(monto).hasMatch()) return std::nullopt;
  const qsizetype punto = monto.indexOf(QLatin1Char('.'));
  if (punto >= 0) monto.replace(punto, 1, locale.decimalPoint());
  QLocale lectura(locale);
  lectura.setNumberOptions(lectura.numberOptions() | QLocale::RejectGroupSeparator);
  bool correcto = false;
  const double valor = lectura.toDouble(monto, &correcto);
  if (!correcto) return std::nullopt;
  return valor;
}

double LeerValorUTM(const xmlDoc* documento, int ano, int mes, const QLocale& locale) {
  if (NombreRaiz(documento) != QLatin1String("UTMs")) return 0;
  const std::vector<xmlNode*> meses = ElementosHijos(ElementoRaiz(documento));
  if (mes < 1 || static_cast<size_t>(mes) > meses.size()) return 0;
  const xmlNode* monto = PrimerHijo(meses[static_cast<size_t>(mes - 1)], "Monto");
  if (!monto) return 0;
  const QString texto = TextoElemento(monto);
  const std::optional<double> valor = ConvertirMontoUTM(texto, locale);
  if (!valor) {
    throw ErrorAlcabala(QStringLiteral("El monto de la UTM de %1 del %2 no es un número: «%3»")
                            .arg(NombreDelMes(mes))
                            .arg(ano)
                            .arg(texto.trimmed().left(40)));
  }
  return *valor;
}

double ValorUTM(int ano, int mes, const QLocale& locale) {
  const QString direccion = DireccionUTM(ano);
  FalloDescarga fallo;
  const DocumentoXML documento = DescargarXML(direccion, &fallo);
  if (!documento) {
    // The server has no document for the year: no value. Any other failure
    // is no answer about the month at all, and is said as such.
    if (fallo.estado == 404 || fallo.estado == 410) return 0;
    throw ErrorAlcabala(QStringLiteral("No se pudo descargar %1: %2").arg(direccion, fallo.motivo));
  }
  const double valor = LeerValorUTM(documento.get(), ano, mes, locale);
  return valor > 0 ? valor : 0;  // a value that is not positive is no value (NaN included)
}
