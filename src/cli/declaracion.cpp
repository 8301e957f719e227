#include "cli/declaracion.h"

#include <QFileInfo>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/lectura.h"
#include "general/errores.h"
#include "general/nombresarchivo.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/leercontribuyente.h"

namespace {

// A file of an older layout lacks some columns of the table: a declaration
// read from it gets them as empty fields (null: printed blank), so whatever
// reads the declaration finds every column. The file is not changed.
void CompletarColumnasFaltantes(RegistroPlano& leida) {
  QList<DefinicionCampo> faltantes;
  for (const ColumnaTabla& columna : ColumnasAlcabalas())
    if (!leida.TieneCampo(columna.nombre))
      faltantes.append(DefinicionCampo{columna.nombre, columna.tipo, columna.tamano});
  for (const DefinicionCampo& campo : faltantes) leida.Agregar(campo, QVariant());
}

RegistroPlano LeerAlcabala(Conexion& conexion, const QString& ruta, int ano, int mes, const QLocale& locale) {
  const QList<RegistroPlano> leidas = LeerDeclaracionesDelPeriodo(conexion, ano, mes, locale);
  if (leidas.isEmpty())
    throw ErrorAlcabala(QStringLiteral("El archivo «%1» no tiene la declaración de %2 de %3")
                            .arg(NombreSinExtension(ruta), NombreDelMes(mes))
                            .arg(ano));
  // Printing a box the calculation could not compute would show a blank
  // where an amount is due.
  const QStringList sinCalcular = CajasNoCalculadas(leidas.first());
  if (!sinCalcular.isEmpty())
    throw ErrorCalculo(RutaVisible(QFileInfo(ruta).fileName()) + QStringLiteral(": ") +
                       MensajeCajasNoCalculadas(sinCalcular, ano, mes));
  RegistroPlano leida = leidas.first();
  CompletarColumnasFaltantes(leida);
  return leida;
}

}  // namespace

FormularioLeido LeerDeclaracion(const QString& ruta, int ano, int mes, const QLocale& locale) {
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, ruta);
  FormularioLeido leida{LeerAlcabala(conexion, ruta, ano, mes, locale), LeerContribuyente(conexion)};
  conexion.Cerrar();
  return leida;
}
