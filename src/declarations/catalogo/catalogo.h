#pragma once
// The box catalogue: every box of the two-sided form and the facts of its
// domain, held once, line by line. The enabling groups, the input behaviour,
// the rules, the table schema and the printed form read it; the screen layout
// (declarations/disposicion.h) places its boxes by code. Outside these two
// tables only the calculation's formulas and the print templates name boxes.

#include <QChar>
#include <QList>
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

// The diesel line a box belongs to: the credit lines A (39) and B (40), or the
// additional-debit line 20 a negative credit moves to.
enum class GrupoDiesel { Ninguno, A, B, Debito };
// What a box holds in its diesel line.
enum class PapelDiesel { Ninguno, Metros, Base, Variable, Total };

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
  QString texto;               // the text of its line, or its own text (accessible description)
  QString etiqueta;            // sub-label printed just before the box, if any
  QChar signo;                 // "+", "-", "=" of its line's sign column, or null
  FamiliaEntrada familia = FamiliaEntrada::Ninguna;
  GrupoDiesel diesel = GrupoDiesel::Ninguno;  // its diesel line; leaving a DieselBase/DieselVariable box runs its rule
  PapelDiesel papelDiesel = PapelDiesel::Ninguno;
  QString campoContribuyente;  // paired taxpayer column of an A box
  int ordenActualizacion = 0;  // 1–41 for the columns added to older files, 0 otherwise
  TipoColumna tipoActualizacion = TipoColumna::C;
  QString ayuda;               // help hint (tooltip), may be empty
  Presentacion presentacion = Presentacion::Grupos;
  QList<int> items;            // entries of a drop-down list, in order
  QString nombreControl;       // object name of its control when not the usual one ("DBEditCod" + code)
  bool totalAPagar = false;    // the amount due in time: a company with a positive one has a payment to make
  bool edicionVigente = false; // a typed box of the current edition of the form, a column older files lack
};

// Every box, in the order the form reads: front then back, top to bottom.
const QList<Caja>& Catalogo();
// The box of a code as printed, or nullptr.
const Caja* BuscarCaja(const QString& codigo);
// The first box of an input family (the address-change check box is the one
// of Casilla583), or nullptr.
const Caja* CajaDeFamilia(FamiliaEntrada familia);
// The box of one role in a diesel line, or nullptr.
const Caja* CajaDiesel(GrupoDiesel grupo, PapelDiesel papel);
// The box the catalogue marks as the total to pay in time.
const Caja& CajaTotalAPagar();

// A line of the form as the catalogue states it: its number (0 for the
// unnumbered ones), text and sign and its boxes in order.
struct LineaCatalogo {
  Pagina pagina = Pagina::Anverso;
  QString seccion;
  int numero = 0;
  QString texto;
  QChar signo;
  QStringList codigos;
};
// Every line, in the order of the catalogue.
const QList<LineaCatalogo>& LineasCatalogo();
// The line a box stands in, or nullptr.
const LineaCatalogo* LineaDeCaja(const QString& codigo);

// The groups of boxes the window switches together, in catalogue order.
// Input boxes: every E box and the taxpayer boxes with an input family (03)
// (187); antecedentes: the A boxes (15); display only: C, P and the taxpayer
// boxes without one, the names 01, 02, 05 (45).
QList<const Caja*> CajasDeEntrada();
QList<const Caja*> CajasAntecedentes();
QList<const Caja*> CajasSoloLectura();

struct ColumnaTabla {
  QString nombre;
  TipoColumna tipo;
  int tamano = 0;  // W columns
};

// The 205 columns of `alcabalas` in creation order (ano, mes and the stored boxes).
QList<ColumnaTabla> ColumnasAlcabalas();
// The 41 columns older files lack, in the order they are tested and added,
// with the type they get then (Cod731 and Cod758 as L; the first ten are the
// older layouts' additions, the rest the current edition's boxes, each with
// its own type).
QList<ColumnaTabla> ColumnasActualizacion();
// The 23 columns of `contribuyente` in creation order.
QList<ColumnaTabla> ColumnasContribuyente();
