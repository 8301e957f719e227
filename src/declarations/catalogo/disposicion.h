#pragma once
// The screen layout of the form: its sections, rows and free cells, and the
// place of every box, keyed by its code. The domain facts of the boxes (line,
// text, label, sign …) are the catalogue's; the two tables are checked against
// each other by the tests. The pages of the main window and the PDF copy of
// the form are built from Disposicion().

#include <QChar>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include "declarations/catalogo/catalogo.h"

// Where the sub-label of a box stands on the screen form.
enum class LugarEtiqueta {
  Izquierda,    // [label][code][box] on the box's row
  Encima,       // label over [code][box], one row higher
  Antecedente,  // [code][label] on one row, the box under both
};

// The place of a box on the screen form, in pixels from the left of its
// section and in rows of its line.
struct LugarCaja {
  QString codigo;              // the catalogue's box
  int renglon = 0;             // the layout row it stands in, counted over both pages
  int x = 0;                   // left of its code cell
  int ancho = 0;               // width of the box itself
  int fila = -1;               // row of its line; -1 centred over all rows
  int anchoEtiqueta = 0;
  LugarEtiqueta lugarEtiqueta = LugarEtiqueta::Izquierda;
  QChar signoTrasCaja;         // a sign cell right after the box (box 555)
};

// Every placed box, in the order of the layout: front then back, row by row.
const QList<LugarCaja>& Lugares();
// The place of a box by its code as printed, or nullptr.
const LugarCaja* BuscarLugar(const QString& codigo);

// Rows are 16 pixels apart and every cell is 17 high, so neighbouring cells
// share their one-pixel frames like the printed grid.
inline constexpr int AltoFila = 16;
inline constexpr int AltoCelda = 17;
inline constexpr int AnchoPagina = 781;
inline constexpr int AnchoSeccion = 761;

enum class TipoCelda {
  Numero,       // line number (white)
  Texto,        // text of a line (light green, wraps and shrinks to fit)
  Encabezado,   // column heading or title row (light green, bold)
  Etiqueta,     // sub-label before or above a box
  Codigo,       // the small cell with a box code
  Caja,         // the box itself (codigo names it)
  Signo,        // "+", "-" or "="
  Relleno,      // an empty framed cell that closes the grid of a line
  Logo,         // the maker's logo (Image4)
  ListaMes,     // ComboBoxMes
  ListaAno,     // ComboBoxAno
};

struct CeldaFormulario {
  TipoCelda tipo = TipoCelda::Texto;
  QRect rect;        // relative to its section (or the page when seccion is -1)
  QString texto;     // what the cell shows
  QString codigo;    // the box of a Caja cell
  int seccion = -1;  // index into DisposicionPagina::secciones, -1 = the page
};

// A rotated column caption inside a section (painted by DibujarTextoVertical).
struct BandaVertical {
  QString nombre;    // ImageVentas …
  QString caption;   // lines in double quotes separated by ";"
  QRect rect;        // relative to the section
};

struct SeccionFormulario {
  QString titulo;    // caption of its group box
  QRect rect;        // on the page
  QList<BandaVertical> bandas;
};

struct DisposicionPagina {
  QList<SeccionFormulario> secciones;
  QList<CeldaFormulario> celdas;
  int alto = 0;      // height of the whole page
};

// Every cell of one side of the form: the layout's sections and rows, with the
// numbers, texts, signs and labels of the catalogue's lines and boxes.
const DisposicionPagina& Disposicion(Pagina pagina);
// The vertical captions in the order they are painted at start-up.
QStringList OrdenBandasVerticales();

