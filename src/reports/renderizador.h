#pragma once
// Runs a template over its data: first composes every page (what goes where,
// in inches, with its final text), then paints the pages onto any paged
// device, a QPrinter or a QPdfWriter.

#include <QHash>
#include <QList>
#include <QLocale>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>

#include "general/registro.h"
#include "reports/plantilla.h"

class QPagedPaintDevice;

// What a run reads. The records are the caller's and must outlive the run.
struct DatosInforme {
  QHash<QString, const Registro*> actuales;  // data view → its current record
  QList<const Registro*> filas;              // rows of the region's data view, in print order
  QHash<QString, QString> parametros;        // parameter → text (`titulo`)
};

// One thing placed on a page, in inches from the page's top-left corner.
struct Trazo {
  bool esLinea = false;
  QRectF caja;  // left, top and width of the text box (height 0 for a text line, a cell's height), or the line
  QString texto;
  Alineacion alineacion = Alineacion::Izquierda;
  double puntos = 10;
  bool negrita = false;
  bool numero = false;  // a number: never clipped, drawn smaller when wider than its box
  AspectoCelda aspecto;
};

using PaginaCompuesta = QList<Trazo>;

// Which rows of the data band a page carries, and whether the totals band
// closes it. Title and heading bands print on every page.
struct TramoPagina {
  int primeraFila = 0;
  int filas = 0;
  bool totales = false;
};

// Pages of a region for a number of rows: rows follow each other while they
// fit above the region's bottom; the totals band follows the last row, on a
// page of its own (with title and heading) when it does not fit.
QList<TramoPagina> Paginar(const Region& region, int cantidadFilas);

// Every page of the run with its texts formatted for the locale. A data text
// whose view has no record prints nothing; a null prints nothing. Reading a
// field its record lacks throws.
QList<PaginaCompuesta> Componer(const Plantilla& plantilla, const DatosInforme& datos, const QLocale& locale);

struct OpcionesRender {
  QLocale locale;
  // Calibration: every element moves this far, in millimetres (right, down).
  QPointF desplazamientoMm;
  // Called before each page is painted, with its number (1-based).
  std::function<void(int pagina)> alComenzarPagina;
};

// Paints the run onto the device with the template's paper and no margins
// (a QPrinter must be in full-page mode). Text is Arial. A text wider than its
// box is clipped at the box's edge; a number, and a centred text such as a
// title or the company's name over a summary, is drawn in a smaller size so
// that all of it prints inside its box. Throws ErrorAlcabala when the device
// cannot be painted on. Returns the number of pages.
int Renderizar(const Plantilla& plantilla, const DatosInforme& datos, QPagedPaintDevice& dispositivo,
               const OpcionesRender& opciones);
