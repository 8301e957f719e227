#include "app/comandosinformes.h"

#include <QAction>
#include <QWidget>
#include <optional>

#include "app/controles/comando.h"
#include "app/controles/impresion.h"
#include "general/errores.h"
#include "reports/listaempresas.h"

namespace {

// The scan with the hourglass and the progress window, both gone when it ends.
std::optional<ListaEmpresas> EscanearConProgreso(const ContextoInformes& contexto, InformeEmpresas informe) {
  CursorOcupado cursor;
  VentanaProgresoEscaneo progreso(contexto.ventana, contexto.retardoProgresoMs);
  return PrepararListaEmpresas(*contexto.tabla, informe, contexto.ano, contexto.mes, contexto.carpetas,
                               progreso.Aviso());
}

}  // namespace

void EjecutarInformeEmpresas(const ContextoInformes& contexto, InformeEmpresas informe) {
  const std::optional<ListaEmpresas> lista = EscanearConProgreso(contexto, informe);
  if (!lista) return;
  OpcionesRender opciones;
  opciones.locale = contexto.locale;
  MostrarVistaPrevia(contexto.ventana, *lista->plantilla, lista->Datos(), lista->titulo, opciones);
}

void ConectarInformesEmpresas(QWidget* ventana, std::function<ContextoInformes()> contexto) {
  for (const DefinicionInformeEmpresas& definicion : InformesEmpresas()) {
    QAction* accion = ventana->findChild<QAction*>(definicion.menu);
    if (accion == nullptr)
      throw ErrorAlcabala(QStringLiteral("Falta el elemento de menú «%1».").arg(definicion.menu));
    const InformeEmpresas informe = definicion.informe;
    ConectarComando(accion, ventana, [contexto, informe] { EjecutarInformeEmpresas(contexto(), informe); });
  }
}
