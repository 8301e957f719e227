#pragma once
// The banner rotation and the scrolling marquee of the main window, free of
// widgets: each Tick tells the window what to show and when to tick again.
//
// Wiring in the window (TimerFranjas starts with interval 1 ms, TimerMarquee
// with 100 ms):
//   TimerFranjasTimer:  auto p = rotacion.Tick(); show p.imagen (null clears
//                       the picture), hand cursor if p.cursorMano, then
//                       p.intervalo == 0 ? stop the timer : setInterval it.
//   TimerMarqueeTimer:  auto p = marquee.Tick(); if (!p.seguir) stop the
//                       timer; else set the text p.texto and the cursor
//                       (hand if p.cursorMano, else arrow).
//   FormResize:         marquee.EstablecerAnchoMarquee(width / blank width).
//   Clicks:             open ImageFranjaClick() / EditMarqueeClick() when
//                       not empty (already checked by EsDireccionAbrible).

#include <QImage>
#include <QString>
#include <QVector>
#include <functional>

#include "news/novedades.h"

// Downloads a banner picture: a null QImage when it fails.
using DescargadorPNG = std::function<QImage(const QString& url)>;

// What the banner timer's tick asks the window to do.
struct PasoFranja {
  QImage imagen;            // the banner's picture; null clears the box
  bool cursorMano = false;  // hand cursor (the banner has a link), else default
  int intervalo = 0;        // next interval in ms; 0 switches the timer off for good
};

// TimerFranjasTimer: shows the banners of the feed in turn, each for its own
// Time, downloading a picture the first time its banner comes up and trying
// again on later turns while that fails (or the picture does not decode).
class RotacionFranjas {
 public:
  // franjas must outlive the rotation (the window's Novedades::Franjas);
  // downloaded pictures are kept in its records.
  explicit RotacionFranjas(QVector<Image>& franjas, DescargadorPNG descargador = {});

  // One tick. With no banners: an empty step with interval 0.
  PasoFranja Tick();

  // PosicionFranja: the banner shown now, −1 before the first tick.
  int PosicionFranja() const { return posicion_; }

  // ImageFranjaClick: the address to open, or empty text when no banner is
  // shown yet, it has no link, or the link is not a web address.
  QString ImageFranjaClick() const;

 private:
  QVector<Image>& franjas_;
  DescargadorPNG descargador_;
  int posicion_ = -1;
};

// What the marquee timer's tick asks the window to do.
struct PasoMarquee {
  bool seguir = false;      // false: no messages, switch the timer off for good
  QString texto;            // new text of EditMarquee
  bool cursorMano = false;  // hand cursor (the message has a link), else arrow
};

// TimerMarqueeTimer: each message enters from the right (AnchoMarquee blanks
// in front of it), moves one character to the left per tick and leaves at the
// left edge; then the next one starts, after the last the first again.
class Marquee {
 public:
  // mensajes must outlive the marquee (the window's Novedades::Mensajes).
  explicit Marquee(const QVector<Message>& mensajes);

  // AnchoMarquee: blanks that fill the marquee's width; 0 until the window
  // has measured it. Negative values count as 0.
  void EstablecerAnchoMarquee(int ancho);
  int AnchoMarquee() const { return ancho_; }

  // One tick (every 100 ms).
  PasoMarquee Tick();

  // The text the marquee shows now.
  const QString& Texto() const { return texto_; }

  // PosicionMensaje: the message scrolling now, −1 before the first.
  int PosicionMensaje() const { return posicion_; }

  // EditMarqueeClick: the address to open, or empty text when no message has
  // started, it has no link, or the link is not a web address.
  QString EditMarqueeClick() const;

 private:
  const QVector<Message>& mensajes_;
  QString texto_;
  int ancho_ = 0;
  int posicion_ = -1;
};
