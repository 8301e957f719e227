#include "reports/resumenes.h"

#include "declarations/calculo.h"
#include "general/errores.h"
#include "reports/plantillas.h"
#include "storage/dataset.h"

const QList<DefinicionResumen>& Resumenes() {
  static const QList<DefinicionResumen> resumenes = {
      {ClaseResumen::IVA, QStringLiteral("iva"), PlantillaResumenIVA, QStringLiteral("RESUMEN IVA DEL ")},
      {ClaseResumen::Retenciones, QStringLiteral("retenciones"), PlantillaResumenRetenciones,
       QStringLiteral("RESUMEN RETENCIONES DEL ")},
      {ClaseResumen::PPM, QStringLiteral("ppm"), PlantillaResumenPPM, QStringLiteral("RESUMEN PPM DEL ")},
  };
  return resumenes;
}

const DefinicionResumen& Resumen(ClaseResumen clase) {
  for (const DefinicionResumen& r : Resumenes())
    if (r.clase == clase) return r;
  throw ErrorAlcabala(QStringLiteral("No existe el resumen pedido."));
}

QString TituloResumen(const DefinicionResumen& resumen, int ano) { return resumen.prefijo + QString::number(ano); }

QList<RegistroPlano> DeclaracionesDelAno(Conexion& conexion, int ano, const QLocale& locale) {
  // Year 0 would mean every year to the data set; no declaration has it.
  if (ano == 0) return {};
  DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
  alcabalas.DefinirCalculados(CamposCalculadosAlcabala(),
                              [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
  alcabalas.Restringir(ano);
  alcabalas.Abrir();
  QList<RegistroPlano> filas;
  filas.reserve(alcabalas.CantidadFilas());
  for (int i = 0; i < alcabalas.CantidadFilas(); ++i) filas << alcabalas.CopiaFila(i);
  return filas;
}

DatosInforme DatosResumen(const QList<RegistroPlano>& declaraciones, const Registro& contribuyente,
                          const QString& titulo) {
  DatosInforme datos;
  for (const RegistroPlano& declaracion : declaraciones) datos.filas << &declaracion;
  datos.actuales.insert(VistaContribuyente, &contribuyente);
  datos.parametros.insert(ParametroTitulo, titulo);
  return datos;
}
