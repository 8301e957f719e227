#include "storage/leercontribuyente.h"

#include "storage/dataset.h"

RegistroPlano LeerContribuyente(Conexion& conexion) {
  DataSet contribuyente(&conexion, QStringLiteral("contribuyente"), false);
  contribuyente.DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
  contribuyente.Abrir();
  return contribuyente.CopiaRegistroActual();
}
