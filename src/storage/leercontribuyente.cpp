// LeerContribuyente reads through a data set, hence Qt SQL: it lives apart
// from the calculated fields, which the lean alcabala-cli links without it.

#include "storage/contribuyente.h"

RegistroPlano LeerContribuyente(Conexion& conexion) {
  DataSet contribuyente(&conexion, QStringLiteral("contribuyente"), false);
  contribuyente.DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
  contribuyente.Abrir();
  return contribuyente.CopiaRegistroActual();
}
