#include "app/comandosrcv.h"

#include <QFileDialog>

#include "app/controles/comando.h"
#include "app/comandosalcabala.h"
#include "app/paginas.h"
#include "dialogs/formimportarrcv.h"
#include "general/errores.h"
#include "storage/dataset.h"

namespace {

DialogoArchivosRcv& Dialogo() {
  static DialogoArchivosRcv dialogo;
  return dialogo;
}

RevisionRcv& Revision() {
  static RevisionRcv revision;
  return revision;
}

QStringList ElegirArchivos(QWidget* padre) {
  if (Dialogo()) return Dialogo()(padre);
  return QFileDialog::getOpenFileNames(padre, QStringLiteral("Importar Registro de Compras y Ventas"), QString(),
                                       QStringLiteral("Registro de Compras y Ventas (*.csv *.CSV);;Todos (*)"));
}

bool Revisar(QWidget* padre, const ResumenRcv& resumen, const QList<ComparacionRcv>& comparacion,
             const QLocale& locale) {
  if (Revision()) return Revision()(padre, resumen, comparacion, locale);
  TFormImportarRcv dialogo(resumen, comparacion, locale, padre);
  return dialogo.exec() == QDialog::Accepted;
}

}  // namespace

void EstablecerDialogoArchivosRcv(DialogoArchivosRcv dialogo) { Dialogo() = std::move(dialogo); }
void EstablecerRevisionRcv(RevisionRcv revision) { Revision() = std::move(revision); }

void MenuItemImportarRcvClick(const ContextoComandos& contexto, int ano, int mes, const QLocale& locale) {
  DataSet& alcabala = *contexto.alcabala;
  if (!alcabala.Activo() || alcabala.EstaVacio())
    throw ErrorAlcabala(QStringLiteral("No hay una declaración abierta para importar el registro."));
  const QStringList archivos = ElegirArchivos(contexto.ventana);
  if (archivos.isEmpty()) return;
  // The box being typed reaches its field first: it is compared, and not
  // written over the registry's value later.
  if (alcabala.Estado() == EstadoDataSet::Edicion) contexto.paginas->GuardarCajaActiva();
  ResumenRcv resumen;
  QList<ComparacionRcv> comparacion;
  {
    CursorOcupado cursor;
    resumen = LeerRegistroRcv(archivos, ano, mes);
    comparacion = CompararRcv(resumen, alcabala, locale);
  }
  if (!Revisar(contexto.ventana, resumen, comparacion, locale)) return;
  const bool abrirEdicion = alcabala.Estado() == EstadoDataSet::Consulta;
  if (abrirEdicion) MenuItemEditarAlcabalaClick(contexto);
  bool aplicado = false;
  // An edit this command opened is closed again if the values cannot go in.
  struct CerrarEdicion {
    const ContextoComandos& contexto;
    const bool& aplicado;
    bool abierta;
    ~CerrarEdicion() {
      if (abierta && !aplicado) RestaurarSinLanzar([this] { MenuItemEditarAlcabalaClick(contexto); });
    }
  } cerrar{contexto, aplicado, abrirEdicion};
  AplicarRcv(resumen, alcabala, locale);
  aplicado = true;
}
