#include "app/dibujartextovertical.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

int MitadRedondeada(int n) {
  // n / 2 is exact or ends in .5; a half goes to the even neighbour.
  const int piso = n >= 0 ? n / 2 : -((-n + 1) / 2);
  if (n % 2 == 0) return piso;
  return piso % 2 == 0 ? piso : piso + 1;
}

QList<LineaVertical> DisponerTextoVertical(QSize imagen, const QStringList& lineas, int altoTexto,
                                           const std::function<int(const QString&)>& anchoTexto) {
  const int total = altoTexto * lineas.size();
  int x = MitadRedondeada(imagen.width() - total);
  QList<LineaVertical> r;
  for (const QString& linea : lineas) {
    const int w = anchoTexto(linea);
    const int y = imagen.height() - MitadRedondeada(imagen.height() - w);
    r.append({linea, x, y});
    x += altoTexto;
  }
  return r;
}

QFont FuenteTextoVertical() {
  QFont fuente(QStringLiteral("Arial"));
  fuente.setPointSize(7);
  fuente.setWeight(QFont::Bold);
  return fuente;
}

void DibujarTextoVertical(QLabel* imagen, const QString& caption) {
  const QSize tamano = imagen->size();
  QPixmap pixmap(tamano);
  pixmap.fill(QColor(0xDF, 0xFF, 0xDF));
  QPainter pintor(&pixmap);
  pintor.setPen(QPen(Qt::black, 1));
  pintor.setBrush(Qt::NoBrush);
  pintor.drawRect(0, 0, tamano.width() - 1, tamano.height() - 1);

  const QFont fuente = FuenteTextoVertical();
  pintor.setFont(fuente);
  pintor.setPen(QColor(0, 0, 0x80));
  const QFontMetrics metricas(fuente, &pixmap);
  const auto lineas = DisponerTextoVertical(tamano, DividirCaption(caption), metricas.height(),
                                            [&metricas](const QString& t) { return metricas.horizontalAdvance(t); });
  for (const LineaVertical& l : lineas) {
    pintor.save();
    pintor.translate(l.x, l.y);
    pintor.rotate(-90);
    pintor.drawText(0, metricas.ascent(), l.texto);
    pintor.restore();
  }
  pintor.end();
  imagen->setPixmap(pixmap);
}
