// alcabala-cli imprimir ARCHIVO AAAA-MM anverso|reverso [--pdf SALIDA.pdf |
// --impresora NOMBRE] [--horizontal MM] [--vertical MM]: one side of a
// period's declaration, drawn with the same templates and renderer as the
// window's printouts, into a PDF file or onto a printer. The file is opened
// for reading only and never upgraded. Given offsets shift the output, PDF
// included; without them a printer gets its saved calibration and a PDF none.

#include <QPrinter>

#include "cli/declaracion.h"
#include "cli/ligero/periodo.h"
#include "cli/dibujo.h"
#include "cli/ligero/subcomando.h"
#include "reports/calibracion.h"
#include "reports/plantillas.h"
#include "reports/renderizador.h"

namespace {

const QString kUso = QStringLiteral("imprimir ARCHIVO AAAA-MM anverso|reverso ") + UsoDestinoDibujo +
                     QStringLiteral(" ") + UsoDesplazamiento;

struct OpcionesImprimir {
  QString ruta;
  int ano = 0;
  int mes = 0;
  bool anverso = true;
  DestinoDibujo destino;
  DesplazamientoPedido desplazamiento;  // given on the command line
};

bool LeerOpciones(QStringList argumentos, OpcionesImprimir* opciones) {
  if (!LeerDestinoDibujo(argumentos, &opciones->destino) ||
      !LeerDesplazamiento(argumentos, &opciones->desplazamiento) || argumentos.size() != 3)
    return false;
  if (!LeerPeriodoArgumento(argumentos.at(1), &opciones->ano, &opciones->mes)) return false;
  opciones->ruta = argumentos.at(0);
  const QString lado = argumentos.at(2);
  if (lado != QLatin1String("anverso") && lado != QLatin1String("reverso")) return false;
  opciones->anverso = lado == QLatin1String("anverso");
  return true;
}

// The offsets given (one alone leaves the other at 0), or the saved ones of
// the printer the pages go to; a PDF is not shifted unless asked.
QPointF DesplazamientoPara(QPagedPaintDevice& dispositivo, const DesplazamientoPedido& pedido) {
  if (pedido.Pedido()) return pedido.Sobre(Calibracion{}).Desplazamiento();
  if (auto* impresora = dynamic_cast<QPrinter*>(&dispositivo))
    return LeerCalibracion(impresora->printerName()).Desplazamiento();
  return {};
}

int Imprimir(ContextoCli& contexto) {
  OpcionesImprimir opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, kUso);

  const FormularioLeido leida = LeerDeclaracion(opciones.ruta, opciones.ano, opciones.mes, contexto.locale);

  const Plantilla& plantilla = BuscarPlantilla(opciones.anverso ? PlantillaAnverso : PlantillaReverso);
  OpcionesRender render;
  render.locale = contexto.locale;
  DibujarEnDestino(opciones.destino, opciones.anverso ? TituloAnverso : TituloReverso,
                   [&](QPagedPaintDevice& dispositivo) {
                     render.desplazamientoMm = DesplazamientoPara(dispositivo, opciones.desplazamiento);
                     Renderizar(plantilla, DatosFormulario(leida.declaracion, leida.contribuyente), dispositivo, render);
                   });
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("imprimir"), kUso, Imprimir, true});

}  // namespace
