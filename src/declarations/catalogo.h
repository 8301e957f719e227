#pragma once
// The box catalogue: every box of the two-sided form, held once. The pages of
// the main window, the enabling groups, the input behaviour, the table schema
// and the printed form all read it; no other place lists box codes.

#include <QChar>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include "general/tipocolumna.h"

// E typed, C calculated, P filled by a rule, A address change, T taxpayer column.
enum class ClaseCaja { E, C, P, A, T };
enum class Pagina { Anverso, Reverso };

// How a box reacts to the user (click rule, key filter, exit rule).
enum class FamiliaEntrada {
  Ninguna,                 // display-only boxes (C, P, taxpayer names)
  Montos,                  // select on click, digits
  BaseIngresos,            // select, digits, leaving recomputes box 563
  DieselBase,              // select, digits, leaving runs the diesel rule
  DieselVariable,          // select, signed digits, leaving runs the diesel rule
  Decimales,               // select, decimal filter
  SinClic,                 // no click rule, digits (03, 725)
  NumerosIdentificacion,   // select, digits (telephones, RUTs)
  TextosIdentificacion,    // select, any character
  ListasIdentificacion,    // drop-down lists 53 and 613
  Casilla583,              // the address-change check box
};

enum class GrupoDiesel { Ninguno, A, B };

// How a box shows its value (display form when not focused).
enum class Presentacion {
  Grupos,         // "###,###,###,###", right-aligned, edited as plain digits
  GruposDecimal,  // "###,###,###,###.##", right-aligned, edited as "0.##"
  Telefono,       // "#", left-aligned
  Rut,            // TextoRut, left-aligned
  Texto,          // as stored, left-aligned
  TextoDerecha,   // as stored, right-aligned (box 547 through Cod547Mostrar)
  Casilla,        // check box (583)
  Lista,          // fixed drop-down list (53, 613)
};

// Where the sub-label of a box stands on the screen form.
enum class LugarEtiqueta {
  Izquierda,    // [label][code][box] on the box's row
  Encima,       // label over [code][box], one row higher
  Antecedente,  // [code][label] on one row, the box under both
};

struct Caja {
  QString codigo;              // as printed: "585", "06", "03"
  QString campo;               // field it is bound to: "Cod585"; taxpayer column for T boxes
  ClaseCaja clase = ClaseCaja::E;
  TipoColumna tipo = TipoColumna::C;  // type of its field
  int tamano = 0;              // characters of a W column
  int posicion = 0;            // 1-based position among the columns of `alcabalas`; 0 when not a column
  int largoMaximo = 0;         // most characters typed; 0 = no limit
  int linea = 0;               // line number of the form; 0 when the box has none
  Pagina pagina = Pagina::Anverso;
  QString seccion;             // caption of its section group box (empty outside sections)
  QString texto;               // the text of its line (accessible description)
  QString etiqueta;            // sub-label printed just before the box, if any
  QChar signo;                 // "+", "-", "=" of its line's sign column, or null
  FamiliaEntrada familia = FamiliaEntrada::Ninguna;
  GrupoDiesel diesel = GrupoDiesel::Ninguno;
  QString campoContribuyente;  // paired taxpayer column of an A box
  int ordenActualizacion = 0;  // 1–10 for the columns added to older files, 0 otherwise
  TipoColumna tipoActualizacion = TipoColumna::C;
  QString ayuda;               // help hint (tooltip), may be empty
  Presentacion presentacion = Presentacion::Grupos;
  QList<int> items;            // entries of a drop-down list, in order

  // Place on the screen form, in pixels from the left of its section and in
  // rows of its line.
  int x = 0;                   // left of its code cell
  int ancho = 0;               // width of the box itself
  int fila = -1;               // row of its line; -1 centred over all rows
  int anchoEtiqueta = 0;
  LugarEtiqueta lugarEtiqueta = LugarEtiqueta::Izquierda;
  QChar signoTrasCaja;         // a sign cell right after the box (box 555)
};

// Every box, in the order the form reads: front then back, top to bottom.
const QList<Caja>& Catalogo();
// The box of a code as printed, or nullptr.
const Caja* BuscarCaja(const QString& codigo);

// The groups of boxes the window switches together, in catalogue order.
// Input boxes: every E box and box 03 (156); antecedentes: the A boxes (15);
// display only: C, P and the taxpayer names 01, 02, 05 (39).
QList<const Caja*> CajasDeEntrada();
QList<const Caja*> CajasAntecedentes();
QList<const Caja*> CajasSoloLectura();

// --- The screen form as data ---------------------------------------------------
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

// Every cell of one side of the form, built from the catalogue's lines.
const DisposicionPagina& Disposicion(Pagina pagina);
// The vertical captions in the order they are painted at start-up.
QStringList OrdenBandasVerticales();

struct ColumnaTabla {
  QString nombre;
  TipoColumna tipo;
  int tamano = 0;  // W columns
};

// The 174 columns of `alcabalas` in creation order (ano, mes and the stored boxes).
QList<ColumnaTabla> ColumnasAlcabalas();
// The ten columns older files lack, in the order they are tested and added,
// with the type they get then (Cod731 and Cod758 as L, the others C).
QList<ColumnaTabla> ColumnasActualizacion();
// The 23 columns of `contribuyente` in creation order.
QList<ColumnaTabla> ColumnasContribuyente();
