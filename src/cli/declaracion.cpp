#include "cli/declaracion.h"

#include "declarations/lectura.h"
#include "general/errores.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/leercontribuyente.h"

namespace {

RegistroPlano LeerAlcabala(Conexion& conexion, const QString& ruta, int ano, int mes, const QLocale& locale) {
  const QList<RegistroPlano> leidas = LeerDeclaracionesDelPeriodo(conexion, ano, mes, locale);
  if (leidas.isEmpty())
    throw ErrorAlcabala(QStringLiteral("El archivo «%1» no tiene la declaración de %2 de %3")
                            .arg(NombreSinExtension(ruta), NombreDelMes(mes))
                            .arg(ano));
  return leidas.first();
}

}  // namespace

FormularioLeido LeerDeclaracion(const QString& ruta, int ano, int mes, const QLocale& locale) {
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, ruta);
  FormularioLeido leida{LeerAlcabala(conexion, ruta, ano, mes, locale), LeerContribuyente(conexion)};
  conexion.Cerrar();
  return leida;
}
