#include "app/comandosresumen.h"

#include "app/controles/comando.h"
#include "app/comandosalcabala.h"
#include "app/controles/impresion.h"
#include "declarations/lectura.h"
#include "reports/plantillas.h"
#include "storage/dataset.h"

void MostrarResumenAnual(const ContextoComandos& contexto, ClaseResumen clase, int ano, const QLocale& locale) {
  const DefinicionResumen& resumen = Resumen(clase);
  const QString titulo = TituloResumen(resumen, ano);
  QList<RegistroPlano> declaraciones;
  {
    // Only the reading: the preview that follows is the user's time.
    CursorOcupado cursor;
    declaraciones = LeerDeclaracionesDelAno(*contexto.conexion, ano, locale);
  }
  const RegistroPlano contribuyente = contexto.contribuyente->CopiaRegistroActual();
  OpcionesRender opciones;
  opciones.locale = locale;
  MostrarVistaPrevia(contexto.ventana, BuscarPlantilla(resumen.plantilla),
                     DatosResumen(declaraciones, contribuyente, titulo), titulo, opciones);
}
