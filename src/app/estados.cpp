#include "app/estados.h"

#include <QAction>
#include <QComboBox>
#include <QWidget>

#include "app/paginas.h"
#include "declarations/catalogo/catalogo.h"
#include "general/valores.h"
#include "storage/conexion.h"

namespace {

// The field of the address-change check box (box 583), found by its family.
const QString& CampoCambioDomicilio() {
  static const QString campo = CajaDeFamilia(FamiliaEntrada::Casilla583)->campo;
  return campo;
}

void Activar(QAction* accion, bool activo) {
  if (accion != nullptr) accion->setEnabled(activo);
}

void Activar(const QList<QAction*>& acciones, bool activo) {
  for (QAction* accion : acciones) Activar(accion, activo);
}

void Activar(const QList<QWidget*>& controles, bool activo) {
  for (QWidget* control : controles)
    if (control != nullptr) control->setEnabled(activo);
}

}  // namespace

EstadoControles CalcularEstadoControles(const EntradasEstado& e) {
  const bool consulta = e.estado == EstadoDataSet::Consulta;
  const bool edicion = e.estado == EstadoDataSet::Edicion;
  EstadoControles r;
  r.crearArchivo = !e.conectado || consulta;
  r.abrirArchivo = !edicion;
  r.cerrarArchivo = consulta;
  r.contribuyente = e.contribuyente;
  r.crearAlcabala = consulta;
  r.editarAlcabala = (consulta || edicion) && e.filas;
  r.guardarAlcabala = edicion;
  r.eliminarAlcabala = consulta && e.filas;
  r.imprimir = consulta && e.filas;
  r.informes = consulta && e.filas;
  r.listas = r.editarAlcabala;
  r.tituloEditar = edicion ? QStringLiteral("&Cancelar Edición") : QStringLiteral("&Editar");
  r.pistaEditar = edicion ? QStringLiteral("Cancelar Edición Alcabala") : QStringLiteral("Editar Alcabala");
  return r;
}

EntradasEstado LeerEntradasEstado(const Conexion& conexion, const DataSet& alcabala, const DataSet& contribuyente) {
  EntradasEstado e;
  e.conectado = conexion.Abierta();
  e.estado = alcabala.Estado();
  e.filas = alcabala.Activo() && !alcabala.EstaVacio();
  e.contribuyente = contribuyente.Activo() && contribuyente.Estado() == EstadoDataSet::Consulta &&
                    !contribuyente.EstaVacio();
  return e;
}

void AplicarEstadoControles(const EstadoControles& estado, const ControlesVentana& c) {
  Activar(c.crearArchivo, estado.crearArchivo);
  Activar(c.abrirArchivo, estado.abrirArchivo);
  Activar(c.cerrarArchivo, estado.cerrarArchivo);
  Activar(c.contribuyente, estado.contribuyente);
  Activar(c.crearAlcabala, estado.crearAlcabala);
  Activar(c.editarAlcabala, estado.editarAlcabala);
  Activar(c.guardarAlcabala, estado.guardarAlcabala);
  Activar(c.eliminarAlcabala, estado.eliminarAlcabala);
  Activar(c.imprimir, estado.imprimir);
  Activar(c.informes, estado.informes);
  if (c.comboBoxAno != nullptr) c.comboBoxAno->setEnabled(estado.listas);
  if (c.comboBoxMes != nullptr) c.comboBoxMes->setEnabled(estado.listas);
  if (c.editarAlcabala != nullptr) {
    // The tool button shows the action's text, tool tip and status tip.
    c.editarAlcabala->setText(estado.tituloEditar);
    c.editarAlcabala->setToolTip(estado.pistaEditar);
    c.editarAlcabala->setStatusTip(estado.pistaEditar);
  }
}

void EstablecerEstadoControles(const Conexion& conexion, const DataSet& alcabala, const DataSet& contribuyente,
                               const ControlesVentana& controles) {
  AplicarEstadoControles(CalcularEstadoControles(LeerEntradasEstado(conexion, alcabala, contribuyente)), controles);
}

void ActivarControles(PaginasFormulario& paginas, const DataSet& alcabala) {
  Activar(paginas.ControlesEntrada(), true);
  const QString& casilla = CampoCambioDomicilio();
  if (alcabala.Activo() && alcabala.TieneCampo(casilla) && NuloAFalso(alcabala.Valor(casilla)))
    ActivarControlesAntecedentes(paginas);
}

void DesactivarControles(PaginasFormulario& paginas) {
  paginas.SoltarFoco();
  Activar(paginas.ControlesEntrada(), false);
  DesactivarControlesAntecedentes(paginas);
}

void ActivarControlesAntecedentes(PaginasFormulario& paginas) { Activar(paginas.ControlesAntecedentes(), true); }

void DesactivarControlesAntecedentes(PaginasFormulario& paginas) {
  Activar(paginas.ControlesAntecedentes(), false);
}
