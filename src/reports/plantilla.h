#pragma once
// Report templates as data: the paper, the elements of a page and, for lists
// and summaries, a region of stacked bands. Positions and sizes are inches;
// a page element is measured from the page's top-left corner, a band element
// from its band's top-left corner. Drawing code holds no position: it reads
// them from here.

#include <QColor>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <optional>

#include "declarations/catalogo/presentacion.h"

enum class Alineacion { Izquierda, Derecha, Centro };

enum class ClaseElemento {
  TextoDato,       // a field of a data view, formatted
  TextoParametro,  // the value of a parameter (`titulo`)
  TextoPagina,     // "Página k de n"
  TextoFijo,       // a fixed text
  TextoTotal,      // the sum of a field over every row of the data band
  Linea,           // a line 1 point thick: across (alto 0) or down (ancho 0)
};

// How a cell of a drawn form looks (the screen form's framed cells). A text
// element with a height is such a cell: filled, framed, its text centred
// across the height.
struct AspectoCelda {
  QColor fondo;                 // fill; invalid: none
  bool marco = false;           // a thin black frame round the cell
  bool fondoBajoTexto = false;  // the fill covers only the text (a caption over a frame)
  QColor tinta = Qt::black;
  bool vertical = false;        // turned 90 degrees counter-clockwise; lines "\n"-separated, the first at the left
  bool ajustar = false;         // wraps and takes smaller sizes, down to puntosMinimos, until it fits
  double puntosMinimos = 0;
  double margen = 0;            // inches kept free at the left and right of the text
};

struct Elemento {
  ClaseElemento clase = ClaseElemento::TextoDato;
  double izquierda = 0;
  double arriba = 0;  // top of the text line (or the line itself)
  double ancho = 0;
  double alto = 0;    // a cell's height (or a line's length down); 0 for a text line
  Alineacion alineacion = Alineacion::Izquierda;
  double puntos = 10;  // font size; Arial throughout
  bool negrita = false;
  QString vista;   // data view of a data or total text
  QString campo;   // its field
  FormatoValor formato = FormatoValor::Texto;
  QString texto;   // the fixed text, or the parameter's name
  AspectoCelda aspecto;
};

struct Banda {
  double alto = 0;
  QList<Elemento> elementos;
};

// Bands stacked inside a rectangle of the page: title and heading at the top
// of every page, one data band per row, the totals band after the last row.
struct Region {
  double izquierda = 0;
  double arriba = 0;
  double ancho = 0;
  double alto = 0;
  QString vistaDatos;  // the data view whose rows the data band prints
  Banda titulo;
  Banda encabezado;
  Banda datos;
  Banda totales;
};

struct Plantilla {
  QString nombre;
  QPageSize::PageSizeId papel = QPageSize::Legal;
  QPageLayout::Orientation orientacion = QPageLayout::Portrait;
  QStringList vistas;          // the data views it declares
  QList<Elemento> elementos;   // at fixed places on every page
  // Pages with contents of their own, printed one after the other (each with
  // the elements above); none: one page, or the region's pages.
  QList<QList<Elemento>> hojas;
  std::optional<Region> region;
};

// Every element of a template: page elements, the pages' own, then the region's bands.
QList<const Elemento*> TodosLosElementos(const Plantilla& plantilla);
