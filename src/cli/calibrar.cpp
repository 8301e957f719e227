// alcabala-cli calibrar IMPRESORA [--horizontal MM] [--vertical MM]: with
// offsets, saves how far the front and back printouts move on that printer
// (millimetres, positive right and down; an offset not given keeps its saved
// value); then, or without them, prints the printer's offsets.

#include "cli/dibujo.h"
#include "cli/ligero/subcomando.h"
#include "reports/calibracion.h"

namespace {

const QString kUso = QStringLiteral("calibrar IMPRESORA ") + UsoDesplazamiento;

int Calibrar(ContextoCli& contexto) {
  QStringList argumentos = contexto.argumentos;
  DesplazamientoPedido pedido;
  if (!LeerDesplazamiento(argumentos, &pedido) || argumentos.size() != 1 || argumentos.first().isEmpty())
    return ErrorDeUso(contexto, kUso);
  const QString impresora = argumentos.first();
  const Calibracion c = pedido.Sobre(LeerCalibracion(impresora));
  if (pedido.Pedido()) GuardarCalibracion(impresora, c);
  contexto.salida << "horizontal " << TextoMilimetros(c.horizontalMm, contexto.locale) << " mm\n"
                  << "vertical " << TextoMilimetros(c.verticalMm, contexto.locale) << " mm\n";
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("calibrar"), kUso, Calibrar});

}  // namespace
