#include "declarations/lectura.h"

#include <QStringList>

#include "declarations/motor/calculo.h"
#include "storage/conexion.h"

namespace {

void DefinirCalculo(DataSet& alcabala, const QLocale& locale) {
  alcabala.DefinirCalculados(CamposCalculadosAlcabala(),
                             [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
}

QList<RegistroPlano> LeerFiltradas(Conexion& conexion, const QString& condicion, const QVariantList& parametros,
                                      const QLocale& locale) {
  DataSet alcabala(&conexion, QStringLiteral("alcabalas"), true);
  alcabala.PonerFiltro(condicion, parametros);
  DefinirCalculo(alcabala, locale);
  alcabala.Abrir();
  QList<RegistroPlano> leidas;
  for (alcabala.Primero(); !alcabala.Eof(); alcabala.Siguiente()) leidas.append(alcabala.CopiaRegistroActual());
  alcabala.Cerrar();
  return leidas;
}

}  // namespace

void LimitarAPeriodos(DataSet& alcabala, const QList<AnoMes>& periodos, const QLocale& locale) {
  QStringList condiciones;
  QVariantList parametros;
  for (const AnoMes& periodo : periodos) {
    condiciones << QStringLiteral("(ano = ? AND mes = ?)");
    parametros << periodo.ano << periodo.mes;
  }
  // No period: no row (the condition is still read through the table).
  alcabala.PonerFiltro(condiciones.isEmpty() ? QStringLiteral("0") : condiciones.join(QLatin1String(" OR ")),
                       parametros);
  DefinirCalculo(alcabala, locale);
}

QList<RegistroPlano> LeerDeclaracionesDelPeriodo(Conexion& conexion, int ano, int mes, const QLocale& locale) {
  return LeerFiltradas(conexion, QStringLiteral("ano = ? AND mes = ?"), {ano, mes}, locale);
}

QList<RegistroPlano> LeerDeclaracionesDelAno(Conexion& conexion, int ano, const QLocale& locale) {
  return LeerFiltradas(conexion, QStringLiteral("ano = ?"), {ano}, locale);
}
