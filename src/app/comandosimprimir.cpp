#include "app/comandosimprimir.h"

#include "app/comandosalcabala.h"
#include "app/controles/impresion.h"
#include "dialogs/formajusteimpresion.h"
#include "reports/calibracion.h"
#include "reports/plantillas.h"
#include "storage/dataset.h"

namespace {

void ImprimirLado(const ContextoComandos& contexto, const QLocale& locale, const QString& plantilla,
                  const QString& titulo) {
  const RegistroPlano declaracion = contexto.alcabala->CopiaRegistroActual();
  const RegistroPlano contribuyente = contexto.contribuyente->CopiaRegistroActual();
  OpcionesRender opciones;
  opciones.locale = locale;
  // The pre-printed form on the printer chosen: shifted by that printer's calibration.
  ImprimirFormulario(contexto.ventana, BuscarPlantilla(plantilla), DatosFormulario(declaracion, contribuyente), titulo,
                     opciones, [](const QString& impresora) { return LeerCalibracion(impresora).Desplazamiento(); });
}

}  // namespace

void MenuItemImprimirAnversoAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale) {
  ImprimirLado(contexto, locale, PlantillaAnverso, TituloAnverso);
}

void MenuItemImprimirReversoAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale) {
  ImprimirLado(contexto, locale, PlantillaReverso, TituloReverso);
}

void MenuItemAjustarImpresionClick(QWidget* ventana, const QLocale& locale) {
  TFormAjusteImpresion dialogo(ImpresorasInstaladas(), ImpresoraPredeterminada(), locale, ventana);
  dialogo.exec();
}
