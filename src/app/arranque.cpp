#include "app/arranque.h"

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QWidget>

#include "app/comando.h"
#include "app/formalcabala.h"
#include "app/iconos.h"
#include "news/novedades.h"

namespace {

// Gives every widget that is about to show its hint the long hiding pause.
// Qt has no application-wide setting for it, so it is set on each widget the
// first time it shows a hint (menus, tool buttons, the form's boxes alike).
class FiltroPausaPistas : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::ToolTip && objeto->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(objeto);
      if (widget->toolTipDuration() < 0) widget->setToolTipDuration(PausaOcultarPistasMs);
    }
    return false;
  }
};

void CargarTraduccionesQt(QApplication& aplicacion) {
  auto* traductor = new QTranslator(&aplicacion);
  if (traductor->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(traductor);
}

void AvisarSinConexion() {
  QMessageBox caja(QMessageBox::NoIcon, TituloAplicacion(), TextoSinConexion(), QMessageBox::Ok);
  caja.exec();
}

}  // namespace

QString TextoSinConexion() { return QStringLiteral("Debe estar conectado a Internet."); }

void PrepararAplicacion(QApplication& aplicacion) {
  QApplication::setApplicationName(TituloAplicacion());
  QApplication::setApplicationDisplayName(TituloAplicacion());
  QApplication::setWindowIcon(IconoVentana());
  CargarTraduccionesQt(aplicacion);
  aplicacion.installEventFilter(new FiltroPausaPistas(&aplicacion));
}

std::unique_ptr<TFormAlcabala> IniciarAlcabala(const QStringList& argumentos) {
  // The banner and message positions start at −1 inside the window's
  // rotation and marquee; file dialogs with no folder open in the working
  // folder, as Qt's do.
  Novedades novedades;
  if (!DescargarNovedades(novedades)) {
    AvisarSinConexion();
    return nullptr;
  }
  const QString archivo = argumentos.size() > 1 ? argumentos.at(1) : QString();
  auto ventana = std::make_unique<TFormAlcabala>(std::move(novedades), archivo);
  ventana->CrearDialogos();
  ventana->show();
  return ventana;
}

int EjecutarAlcabala(QApplication& aplicacion) {
  PrepararAplicacion(aplicacion);
  std::unique_ptr<TFormAlcabala> ventana = IniciarAlcabala(QApplication::arguments());
  if (!ventana) return CodigoSalidaSinConexion;
  return QApplication::exec();
}
