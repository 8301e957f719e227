#pragma once
// Queries on the declarations of an open data file: the years and months the
// period lists offer, the latest period, and deleting one period.

#include <QList>

class Conexion;

// A year and month as stored in a declaration row.
struct AnoMes {
  int ano = 0;
  int mes = 0;
  bool operator==(const AnoMes& o) const { return ano == o.ano && mes == o.mes; }
};

// The distinct years with a declaration, newest first
// ("SELECT DISTINCT ano FROM alcabalas ORDER BY ano DESC").
QList<int> AnosDeclarados(Conexion& conexion);

// One month per declaration of the year, latest first; a period stored twice
// appears twice ("SELECT mes FROM alcabalas WHERE ano = 2024 ORDER BY mes DESC").
QList<int> MesesDeclarados(Conexion& conexion, int ano);

// The latest declared period, or {0, 0} for a file without declarations.
AnoMes UltimoPeriodo(Conexion& conexion);

// Deletes the declaration(s) of the period in one transaction
// ("DELETE FROM alcabalas WHERE ano = 2024 AND mes = 3"); a failing delete
// removes nothing. Returns the number of rows removed.
int EliminarDeclaracion(Conexion& conexion, int ano, int mes);

// The texts of those statements, as run.
QString SqlAnosDeclarados();
QString SqlMesesDeclarados(int ano);
QString SqlUltimoPeriodo();
QString SqlEliminarDeclaracion(int ano, int mes);
