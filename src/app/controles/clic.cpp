#include "app/controles/clic.h"

#include <QDesktopServices>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QUrl>
#include <QWidget>

#include "app/controles/comando.h"
#include "general/enlaces.h"

namespace {

// Watches one widget for a complete left click.
class ObservadorClic : public QObject {
 public:
  ObservadorClic(QWidget* widget, std::function<void()> manejador)
      : QObject(widget), widget_(widget), manejador_(std::move(manejador)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (objeto != widget_) return false;
    if (evento->type() == QEvent::MouseButtonPress) {
      presionado_ = static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
    } else if (evento->type() == QEvent::MouseButtonRelease) {
      auto* raton = static_cast<QMouseEvent*>(evento);
      const bool clic = presionado_ && raton->button() == Qt::LeftButton &&
                        widget_->rect().contains(raton->position().toPoint());
      presionado_ = false;
      if (clic) EjecutarComando(widget_->window(), manejador_);
    }
    return false;
  }

 private:
  QWidget* widget_;
  std::function<void()> manejador_;
  bool presionado_ = false;
};

}  // namespace

void AlHacerClic(QWidget* widget, std::function<void()> manejador) {
  new ObservadorClic(widget, std::move(manejador));  // owned by widget
}

bool AbrirDireccion(const QString& url, bool permitirMailto) {
  if (!EsDireccionAbrible(url, permitirMailto)) return false;
  QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
  return true;
}

QString DireccionWebFabricante() { return QStringLiteral("https://www.alcabalasoftware.cl/"); }

QString DireccionCorreoFabricante() {
  return QStringLiteral("mailto:contacto@alcabalasoftware.cl");
}
