#include "app/controles/comando.h"

#include <QAction>
#include <QGuiApplication>
#include <QMessageBox>
#include <exception>

#include "general/errores.h"

namespace {

PresentadorError& Presentador() {
  static PresentadorError presentador;
  return presentador;
}

void MostrarCajaReal(QWidget* padre, const QString& texto) {
  QMessageBox caja(QMessageBox::Critical, TituloAplicacion(), texto, QMessageBox::Ok, padre);
  caja.setDefaultButton(QMessageBox::Ok);
  caja.exec();
}

}  // namespace

QString TituloAplicacion() { return QStringLiteral("Alcabala"); }

void EstablecerPresentadorError(PresentadorError presentador) {
  Presentador() = std::move(presentador);
}

void MostrarCajaError(QWidget* padre, const QString& mensaje) {
  const QString texto = TextoMensajeError(mensaje);
  if (Presentador())
    Presentador()(padre, texto);
  else
    MostrarCajaReal(padre, texto);
}

bool EjecutarComando(QWidget* padre, const std::function<void()>& accion) {
  QString mensaje;
  try {
    accion();
    // A guard that could not put its state back is the command's error.
    const std::optional<QString> restauracion = TomarErrorDeRestauracion();
    if (!restauracion) return true;
    mensaje = *restauracion;
  } catch (const std::exception& e) {
    mensaje = MensajeDeExcepcion(e);
  } catch (...) {
    mensaje = QStringLiteral("Se produjo un error inesperado");
  }
  // A restoring failure kept before the error was raised came first.
  if (const std::optional<QString> anterior = TomarErrorDeRestauracion()) mensaje = *anterior;
  // Shown outside the handler, so an error raised while the box is up cannot
  // meet an exception that is still being handled.
  MostrarCajaError(padre, mensaje);
  return false;
}

void ConectarComando(QAction* accion, QWidget* padre, std::function<void()> manejador) {
  QObject::connect(accion, &QAction::triggered, accion,
                   [padre, manejador = std::move(manejador)] { EjecutarComando(padre, manejador); });
}

CursorOcupado::CursorOcupado() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

CursorOcupado::~CursorOcupado() { Restaurar(); }

void CursorOcupado::Restaurar() {
  if (!activo_) return;
  activo_ = false;
  QGuiApplication::restoreOverrideCursor();
}
