#include "reports/resumenes.h"

#include "general/errores.h"
#include "reports/plantillas.h"

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

DatosInforme DatosResumen(const QList<RegistroPlano>& declaraciones, const Registro& contribuyente,
                          const QString& titulo, const QDate& hecho) {
  DatosInforme datos;
  for (const RegistroPlano& declaracion : declaraciones) datos.filas << &declaracion;
  datos.actuales.insert(VistaContribuyente, &contribuyente);
  datos.parametros.insert(ParametroTitulo, titulo);
  datos.parametros.insert(ParametroHecho, TextoHecho(hecho));
  return datos;
}
