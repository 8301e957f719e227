#pragma once
// Report templates as data: the paper, the elements of a page and, for lists
// and summaries, a region of stacked bands. Positions and sizes are inches;
// a page element is measured from the page's top-left corner, a band element
// from its band's top-left corner. Drawing code holds no position: it reads
// them from here.

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <optional>

#include "declarations/presentacion.h"

enum class Alineacion { Izquierda, Derecha, Centro };

enum class ClaseElemento {
  TextoDato,       // a field of a data view, formatted
  TextoParametro,  // the value of a parameter (`titulo`)
  TextoPagina,     // "Página k de n"
  TextoFijo,       // a fixed text
  TextoTotal,      // the sum of a field over every row of the data band
  Linea,           // a horizontal line, 1 point thick
};

struct Elemento {
  ClaseElemento clase = ClaseElemento::TextoDato;
  double izquierda = 0;
  double arriba = 0;  // top of the text line (or the line itself)
  double ancho = 0;
  Alineacion alineacion = Alineacion::Izquierda;
  double puntos = 10;  // font size; Arial throughout
  bool negrita = false;
  QString vista;   // data view of a data or total text
  QString campo;   // its field
  FormatoValor formato = FormatoValor::Texto;
  QString texto;   // the fixed text, or the parameter's name
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
  std::optional<Region> region;
};

// Every element of a template, page elements first, then the region's bands.
QList<const Elemento*> TodosLosElementos(const Plantilla& plantilla);
