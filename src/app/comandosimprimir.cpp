#include "app/comandosimprimir.h"

#include "app/comandosalcabala.h"
#include "app/impresion.h"
#include "reports/plantillas.h"
#include "storage/dataset.h"

namespace {

void ImprimirLado(const ContextoComandos& contexto, const QLocale& locale, const QString& plantilla,
                  const QString& titulo) {
  const RegistroPlano declaracion = contexto.alcabala->CopiaRegistroActual();
  const RegistroPlano contribuyente = contexto.contribuyente->CopiaRegistroActual();
  OpcionesRender opciones;
  opciones.locale = locale;
  ImprimirFormulario(contexto.ventana, BuscarPlantilla(plantilla), DatosFormulario(declaracion, contribuyente), titulo,
                     opciones);
}

}  // namespace

void MenuItemImprimirAnversoAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale) {
  ImprimirLado(contexto, locale, PlantillaAnverso, TituloAnverso);
}

void MenuItemImprimirReversoAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale) {
  ImprimirLado(contexto, locale, PlantillaReverso, TituloReverso);
}
