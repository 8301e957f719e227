#pragma once
// The box catalogue: every box of the two-sided form, held once. The pages of
// the main window, the enabling groups, the input behaviour, the table schema
// and the printed form all read it; no other place lists box codes.

#include <QChar>
#include <QList>
#include <QString>

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
};

// Every box, in the order the form reads: front then back, top to bottom.
const QList<Caja>& Catalogo();
// The box of a code as printed, or nullptr.
const Caja* BuscarCaja(const QString& codigo);

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
