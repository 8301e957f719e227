#include "storage/periodos.h"

#include <QSqlQuery>

#include "storage/conexion.h"

QString SqlAnosDeclarados() { return QStringLiteral("SELECT DISTINCT ano FROM alcabalas ORDER BY ano DESC"); }

QString SqlMesesDeclarados(int ano) {
  return QStringLiteral("SELECT mes FROM alcabalas WHERE ano = %1 ORDER BY mes DESC").arg(ano);
}

QString SqlUltimoPeriodo() {
  return QStringLiteral("SELECT ano, mes FROM alcabalas ORDER BY ano DESC, mes DESC LIMIT 1");
}

QString SqlEliminarDeclaracion(int ano, int mes) {
  return QStringLiteral("DELETE FROM alcabalas WHERE ano = %1 AND mes = %2").arg(ano).arg(mes);
}

namespace {

QList<int> ListaEnteros(Conexion& conexion, const QString& sql) {
  QList<int> valores;
  QSqlQuery consulta = conexion.Consulta(sql);
  while (consulta.next()) valores << consulta.value(0).toInt();
  consulta.finish();
  return valores;
}

}  // namespace

QList<int> AnosDeclarados(Conexion& conexion) { return ListaEnteros(conexion, SqlAnosDeclarados()); }

QList<int> MesesDeclarados(Conexion& conexion, int ano) { return ListaEnteros(conexion, SqlMesesDeclarados(ano)); }

AnoMes UltimoPeriodo(Conexion& conexion) {
  QSqlQuery consulta = conexion.Consulta(SqlUltimoPeriodo());
  AnoMes periodo;
  if (consulta.next()) {
    periodo.ano = consulta.value(0).toInt();
    periodo.mes = consulta.value(1).toInt();
  }
  consulta.finish();
  return periodo;
}

int EliminarDeclaracion(Conexion& conexion, int ano, int mes) {
  Transaccion transaccion(conexion);
  QSqlQuery consulta = conexion.Consulta(SqlEliminarDeclaracion(ano, mes));
  const int eliminadas = consulta.numRowsAffected();
  consulta.finish();
  transaccion.Confirmar();
  return eliminadas;
}
