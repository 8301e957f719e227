#include "storage/archivos_prueba.h"

#include "declarations/catalogo/catalogo.h"
#include "common/sql.h"
#include "storage/formato/columnas.h"

namespace prueba {

QStringList ColumnasNuevas() {
  QStringList nombres;
  for (const auto& c : ColumnasActualizacion()) nombres << c.nombre;
  return nombres;
}

QString SqlAlcabalasAntigua(const QStringList& faltantes, bool anulables) {
  QStringList columnas;
  for (const auto& c : ColumnasAlcabalas()) {
    if (faltantes.contains(c.nombre)) continue;
    QString definicion = c.nombre + " " + TipoSql(c.tipo, c.tamano);
    if (!anulables) definicion += c.tipo == TipoColumna::W ? " NOT NULL DEFAULT ''" : " NOT NULL DEFAULT 0";
    columnas << definicion;
  }
  return "CREATE TABLE alcabalas (" + columnas.join(", ") + ")";
}

QString SqlContribuyente() {
  QStringList columnas;
  for (const auto& c : ColumnasContribuyente())
    columnas << c.nombre + " " + TipoSql(c.tipo, c.tamano) +
                    (c.tipo == TipoColumna::W ? " NOT NULL DEFAULT ''" : " NOT NULL DEFAULT 0");
  return "CREATE TABLE contribuyente (" + columnas.join(", ") + ")";
}

void CrearArchivoAntiguo(const QString& ruta, QStringList faltantes) {
  if (faltantes.isEmpty()) faltantes = ColumnasNuevas();
  EjecutarSql(ruta, {SqlAlcabalasAntigua(faltantes, false), "CREATE INDEX mes ON alcabalas (ano, mes)",
                     SqlContribuyente(),
                     "INSERT INTO contribuyente (RUT, ApellidoPaternoRazonSocial) VALUES (7654321, 'Antigua')"});
}

}  // namespace prueba
