#include "general/utm.h"

#include <QRegularExpression>

#include "general/configuracion.h"
#include "general/errores.h"
#include "general/valores.h"

QString DireccionUTM(int ano) {
  return UrlBase() + QStringLiteral("UTM/") + QString::number(ano) + QStringLiteral(".xml");
}

std::optional<double> ConvertirMontoUTM(const QString& texto, const QLocale& locale) {
  QString monto = texto.trimmed();
  if (monto.isEmpty()) return 0;
  const QString separador = locale.decimalPoint();
  const qsizetype punto = monto.indexOf(QLatin1Char('.'));
  if (punto >= 0) monto.replace(punto, 1, separador);
  // The plain decimal form only: the locale's reading alone would also take
  // thousands separators and exponents.
  const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)$")
                                       .arg(QRegularExpression::escape(separador)));
  QLocale lectura(locale);
  lectura.setNumberOptions(lectura.numberOptions() | QLocale::RejectGroupSeparator);
  bool correcto = decimal.match(monto).hasMatch();
  const double valor = correcto ? lectura.toDouble(monto, &correcto) : 0;
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
  const DocumentoXML documento = DescargarXML(DireccionUTM(ano));
  if (!documento) return 0;
  return LeerValorUTM(documento.get(), ano, mes, locale);
}
