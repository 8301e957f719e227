#pragma once
// The test page of the printer calibration: the front's template with a
// sample value in about a dozen of its boxes, spread over the page, and a
// small cross at each corner of those boxes, so the user sees on the
// pre-printed form where the values land.

#include <QList>
#include <QLocale>
#include <QRectF>

#include "reports/plantilla.h"

// The boxes of the test page: for each cell of a grid of columnas × filas
// laid over the data texts of the template, the data text nearest the cell's
// centre (each box once).
QList<const Elemento*> CajasDePrueba(const Plantilla& plantilla, int columnas = 3, int filas = 4);

// Where a text box of the template stands, in inches: its left, top and
// width, and the height of its text line.
QRectF RectanguloDeCaja(const Elemento& elemento);

// The test page over the front's template: the sample values in the locale's
// notation and the crosses, all at fixed places (it reads no data).
Plantilla PlantillaPrueba(const Plantilla& anverso, const QLocale& locale);
