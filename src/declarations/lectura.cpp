#include "declarations/lectura.h"

#include <QFileInfo>
#include <QStringList>

#include "declarations/catalogo/catalogo.h"
#include "declarations/motor/calculo.h"
#include "general/errores.h"
#include "general/nombresarchivo.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/leercontribuyente.h"

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

std::optional<FormularioLeido> LeerFormularioSiExiste(const QString& ruta, int ano, int mes, const QLocale& locale) {
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, ruta);
  const QList<RegistroPlano> leidas = LeerDeclaracionesDelPeriodo(conexion, ano, mes, locale);
  if (leidas.isEmpty()) return std::nullopt;
  // Printing a box the calculation could not compute would show a blank
  // where an amount is due.
  const QStringList sinCalcular = CajasNoCalculadas(leidas.first());
  if (!sinCalcular.isEmpty())
    throw ErrorCalculo(RutaVisible(QFileInfo(ruta).fileName()) + QStringLiteral(": ") +
                       MensajeCajasNoCalculadas(sinCalcular, ano, mes));
  RegistroPlano declaracion = leidas.first();
  CompletarColumnasFaltantes(declaracion);
  FormularioLeido leido{declaracion, LeerContribuyente(conexion)};
  conexion.Cerrar();
  return leido;
}

FormularioLeido LeerDeclaracion(const QString& ruta, int ano, int mes, const QLocale& locale) {
  std::optional<FormularioLeido> leido = LeerFormularioSiExiste(ruta, ano, mes, locale);
  if (!leido)
    throw ErrorAlcabala(QStringLiteral("El archivo «%1» no tiene la declaración de %2 de %3")
                            .arg(NombreSinExtension(ruta), NombreDelMes(mes))
                            .arg(ano));
  return *std::move(leido);
}
