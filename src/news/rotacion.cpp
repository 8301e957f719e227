#include "news/rotacion.h"

#include <utility>

#include "general/red/descarga.h"
#include "general/enlaces.h"

namespace {

// The link of a feed item when it may be opened, else empty text.
QString DireccionParaAbrir(const QString& navigateUrl) {
  return EsDireccionAbrible(navigateUrl, false) ? navigateUrl.trimmed() : QString();
}

}  // namespace

RotacionFranjas::RotacionFranjas(QVector<Image>& franjas, DescargadorPNG descargador)
    : franjas_(franjas), descargador_(descargador ? std::move(descargador) : DescargadorPNG(&DescargarPNG)) {}

PasoFranja RotacionFranjas::Tick() {
  PasoFranja paso;
  if (franjas_.isEmpty()) return paso;
  ++posicion_;
  if (posicion_ >= franjas_.size()) posicion_ = 0;
  Image& franja = franjas_[posicion_];
  // A picture that failed (or did not decode) is tried again on each turn.
  if (franja.Imagen.isNull()) franja.Imagen = descargador_(franja.ImageUrl);
  paso.imagen = franja.Imagen;
  paso.cursorMano = !franja.NavigateUrl.isEmpty();
  paso.intervalo = franja.Time;
  return paso;
}

QString RotacionFranjas::ImageFranjaClick() const {
  if (posicion_ < 0 || posicion_ >= franjas_.size()) return QString();
  return DireccionParaAbrir(franjas_[posicion_].NavigateUrl);
}

Marquee::Marquee(const QVector<Message>& mensajes) : mensajes_(mensajes) {}

void Marquee::EstablecerAnchoMarquee(int ancho) { ancho_ = ancho > 0 ? ancho : 0; }

PasoMarquee Marquee::Tick() {
  PasoMarquee paso;
  if (mensajes_.isEmpty()) return paso;
  if (texto_.isEmpty()) {
    ++posicion_;
    if (posicion_ >= mensajes_.size()) posicion_ = 0;
    texto_ = QString(ancho_, QLatin1Char(' ')) + mensajes_[posicion_].Text;
  }
  // One character leaves at the left; a character outside the basic plane
  // (two UTF-16 units) leaves whole.
  const int unidades = texto_.size() >= 2 && texto_[0].isHighSurrogate() && texto_[1].isLowSurrogate() ? 2 : 1;
  texto_.remove(0, unidades);
  paso.seguir = true;
  paso.texto = texto_;
  paso.cursorMano = posicion_ >= 0 && !mensajes_[posicion_].NavigateUrl.isEmpty();
  return paso;
}

QString Marquee::EditMarqueeClick() const {
  if (posicion_ < 0 || posicion_ >= mensajes_.size()) return QString();
  return DireccionParaAbrir(mensajes_[posicion_].NavigateUrl);
}
