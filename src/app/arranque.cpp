#include "app/arranque.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QWidget>

#include "app/controles/comando.h"
#include "app/formalcabala.h"
#include "app/controles/iconos.h"
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

// The few texts of Qt's file dialogs that Qt's Spanish catalogue lacks:
// the kinds its file icon provider gives in the dialog's "Tipo" column.
class TraduccionesDialogoArchivos : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* contexto, const char* texto, const char*, int) const override {
    if (qstrcmp(contexto, "QAbstractFileIconProvider") != 0) return QString();
    static const QHash<QByteArray, QString> tipos = {{"Folder", QStringLiteral("Carpeta")},
                                                    {"Drive", QStringLiteral("Unidad")},
                                                    {"Shortcut", QStringLiteral("Acceso directo")},
                                                    {"Unknown", QStringLiteral("Desconocido")}};
    return tipos.value(QByteArray(texto));
  }
};

void CargarTraduccionesQt(QApplication& aplicacion) {
  auto* traductor = new QTranslator(&aplicacion);
  if (traductor->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(traductor);
  QApplication::installTranslator(new TraduccionesDialogoArchivos(&aplicacion));
}

void AvisarSinConexion() {
  QMessageBox caja(QMessageBox::NoIcon, TituloAplicacion(), TextoSinConexion(), QMessageBox::Ok);
  caja.exec();
}

}  // namespace

QString TextoSinConexion() { return QStringLiteral("Debe estar conectado a Internet."); }

void PrepararAplicacion(QApplication& aplicacion) {
  // Only the name: a display name set as well is appended by Qt to every
  // window's title ("Acerca — Alcabala"); unset, it reads the same name.
  QApplication::setApplicationName(TituloAplicacion());
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
