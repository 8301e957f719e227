#pragma once
// Column captions turned by 90 degrees, reading from bottom to top, painted
// into the images of the form's bands.

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

#include "declarations/catalogo/captionvertical.h"

class QFont;
class QLabel;

// Half of n rounded to the nearest integer, halves to the even neighbour.
int MitadRedondeada(int n);

// Where one line is drawn: its reference point (the top-left corner of the
// text in its own turned frame), from which it runs upwards.
struct LineaVertical {
  QString texto;
  int x = 0;
  int y = 0;
};

// Places the lines side by side in an image of that size, the block centred
// across and each line centred along the height, given the text height of
// the font and the width of each line in it.
QList<LineaVertical> DisponerTextoVertical(QSize imagen, const QStringList& lineas, int altoTexto,
                                           const std::function<int(const QString&)>& anchoTexto);

// The caption font: Arial, 7 points, bold.
QFont FuenteTextoVertical();

// Fills the image with the light green of the labels, frames it in black and
// draws the caption's lines in navy, turned 90 degrees counter-clockwise.
void DibujarTextoVertical(QLabel* imagen, const QString& caption);
