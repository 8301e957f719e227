#include "app/comandosalcabala.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include "app/controles/cajas.h"
#include "app/controles/comando.h"
#include "app/estados.h"
#include "app/paginas.h"
#include "app/periodos.h"
#include "dialogs/formcrearalcabala.h"
#include "dialogs/formcontribuyente.h"
#include "general/errores.h"
#include "general/red/utm.h"
#include "general/valores.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

const QString kTituloCrear = QStringLiteral("Crear Alcabala");
const QString kTituloEliminar = QStringLiteral("Eliminar Alcabala");
const QString kPreguntaEliminar = QStringLiteral("¿Está seguro que desea eliminar este alcabala?");

void ComprobarArchivo(const ContextoComandos& c) {
  if (c.conexion == nullptr || c.alcabala == nullptr || !c.conexion->Abierta() || !c.alcabala->Activo())
    throw ErrorAlcabala(QStringLiteral("No hay un archivo de alcabalas abierto."));
}

bool Editando(const DataSet& ds) { return ds.Activo() && ds.Estado() == EstadoDataSet::Edicion; }

// The period becomes current and both lists show it: the year list is
// refilled first when refrescarAnos, the month list always (the period may
// lie in another year than the months listed).
void MostrarPeriodo(const ContextoComandos& c, PeriodoActual periodo, const Periodo& nuevo, bool refrescarAnos) {
  periodo.ano = nuevo.ano;
  periodo.mes = nuevo.mes;
  if (refrescarAnos) LlenarComboBoxAno(c.paginas->ComboBoxAno, *c.conexion);
  SeleccionarItemComboBoxAno(c.paginas->ComboBoxAno, periodo.ano);
  LlenarComboBoxMes(c.paginas->ComboBoxMes, *c.conexion, periodo.ano);
  SeleccionarItemComboBoxMes(c.paginas->ComboBoxMes, periodo.mes);
}

// The box being typed, when it is one of the form's.
CajaEdicion* CajaActiva(const PaginasFormulario& paginas) {
  auto* activa = qobject_cast<CajaEdicion*>(QApplication::focusWidget());
  if (activa == nullptr || paginas.Edicion(activa->accessibleName()) != activa) return nullptr;
  return activa;
}

// Unless released, switches the input boxes back on while the declaration
// is still being edited: a save that fails loses nothing the user typed.
class ReactivarSiSigueEditando {
 public:
  ReactivarSiSigueEditando(PaginasFormulario& paginas, DataSet& alcabala) : paginas_(paginas), alcabala_(alcabala) {}
  ~ReactivarSiSigueEditando() {
    RestaurarSinLanzar([this] {
      if (Editando(alcabala_)) ActivarControles(paginas_, alcabala_);
    });
  }
  ReactivarSiSigueEditando(const ReactivarSiSigueEditando&) = delete;
  ReactivarSiSigueEditando& operator=(const ReactivarSiSigueEditando&) = delete;

 private:
  PaginasFormulario& paginas_;
  DataSet& alcabala_;
};

}  // namespace

bool PreguntarSiNo(QWidget* padre, const QString& titulo, const QString& texto) {
  QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::Yes | QMessageBox::No, padre);
  // A stray Enter must not delete anything.
  caja.setDefaultButton(QMessageBox::No);
  return caja.exec() == QMessageBox::Yes;
}

void Avisar(QWidget* padre, const QString& titulo, const QString& texto) {
  QMessageBox caja(QMessageBox::Information, titulo, texto, QMessageBox::Ok, padre);
  caja.setDefaultButton(QMessageBox::Ok);
  caja.exec();
}

void MenuItemCrearAlcabalaClick(const ContextoComandos& contexto, PeriodoActual periodo) {
  ComprobarArchivo(contexto);
  TFormCrearAlcabala* dialogo = contexto.formCrearAlcabala;
  if (dialogo == nullptr) throw ErrorAlcabala(QStringLiteral("El diálogo de períodos no está disponible."));
  dialogo->PonerConexion(contexto.conexion);
  if (dialogo->exec() != QDialog::Accepted) return;
  CrearAlcabala(contexto, periodo, dialogo->EditAno->text(), dialogo->Mes());
}

void CrearAlcabala(const ContextoComandos& contexto, PeriodoActual periodo, const QString& textoAno, int mes) {
  CursorOcupado cursor;
  ComprobarArchivo(contexto);
  const int ano = LeerAno(textoAno);
  const FuncionUTM utm = contexto.utm ? contexto.utm
                                      : FuncionUTM([](int a, int m) { return ValorUTM(a, m, QLocale::system()); });
  const CreacionDeclaracion creacion = CrearDeclaracion(*contexto.alcabala, ano, mes, utm);
  switch (creacion.resultado) {
    case ResultadoCreacion::Existente:
      MostrarPeriodo(contexto, periodo, {ano, mes}, false);
      break;
    case ResultadoCreacion::Creada:
      MostrarPeriodo(contexto, periodo, {ano, mes}, true);
      break;
    case ResultadoCreacion::SinUTM:
      cursor.Restaurar();
      (contexto.avisar ? contexto.avisar : Aviso(Avisar))(contexto.ventana, kTituloCrear, creacion.mensaje);
      break;
  }
}

void MenuItemEditarAlcabalaClick(const ContextoComandos& contexto) {
  ComprobarArchivo(contexto);
  DataSet& alcabala = *contexto.alcabala;
  switch (alcabala.Estado()) {
    case EstadoDataSet::Consulta:
      alcabala.Editar();
      ActivarControles(*contexto.paginas, alcabala);
      break;
    case EstadoDataSet::Edicion:
      // What is still being typed goes with the rest of the changes.
      if (CajaEdicion* activa = CajaActiva(*contexto.paginas)) activa->DescartarTexto();
      DesactivarControles(*contexto.paginas);
      // The taxpayer's RUT (box 03) typed during this edit goes too, first,
      // so the commands worked out when the declaration's edit ends see the
      // taxpayer row browsing again.
      if (contexto.contribuyente != nullptr && Editando(*contexto.contribuyente)) contexto.contribuyente->Cancelar();
      alcabala.Cancelar();
      break;
    default:
      break;
  }
}

void MenuItemGuardarAlcabalaClick(const ContextoComandos& contexto) {
  CursorOcupado cursor;
  ComprobarArchivo(contexto);
  if (contexto.contribuyente == nullptr) throw ErrorAlcabala(QStringLiteral("No hay un archivo de alcabalas abierto."));
  DataSet& alcabala = *contexto.alcabala;
  DataSet& contribuyente = *contexto.contribuyente;
  ReactivarSiSigueEditando reactivar(*contexto.paginas, alcabala);
  // Tool buttons take no focus: the box being typed is written first.
  contexto.paginas->GuardarCajaActiva();
  DesactivarControles(*contexto.paginas);
  // The taxpayer's RUT typed into box 03 is saved with the declaration, and
  // first, so the commands worked out after the declaration's post see the
  // taxpayer row browsing.
  if (Editando(contribuyente)) contribuyente.Guardar();
  GuardarDeclaracion(alcabala, contribuyente);
}

void MenuItemEliminarAlcabalaClick(const ContextoComandos& contexto, PeriodoActual periodo) {
  ComprobarArchivo(contexto);
  const bool si = (contexto.preguntar ? contexto.preguntar : PreguntaSiNo(PreguntarSiNo))(
      contexto.ventana, kTituloEliminar, kPreguntaEliminar);
  if (!si) return;
  CursorOcupado cursor;
  const Periodo actual{periodo.ano, periodo.mes};
  VolverAlPeriodo volver(*contexto.alcabala, actual);
  const Periodo ultimo = EliminarDeclaracionActual(*contexto.alcabala, actual);
  volver.Confirmar();
  MostrarPeriodo(contexto, periodo, ultimo, true);
}

void MenuItemContribuyenteClick(const ContextoComandos& contexto) {
  ComprobarArchivo(contexto);
  if (contexto.contribuyente == nullptr || contexto.formContribuyente == nullptr)
    throw ErrorAlcabala(QStringLiteral("El diálogo del contribuyente no está disponible."));
  contexto.formContribuyente->Editar(*contexto.contribuyente);
}
