#pragma once
// How the boxes of the form pages react to the user, per input family of the
// box catalogue: selecting the whole text on a click, filtering typed
// characters, the rules that run when a box is left (box 563, the diesel
// lines) and the address-change check box 583.

#include <QLocale>
#include <functional>

#include "app/controles/cajas.h"
#include "declarations/catalogo/catalogo.h"

class DataSet;
class PaginasFormulario;

/// The IVA rate in per cent, read when a rule needs it.
using FuncionIVA = std::function<double()>;

/// What the behaviour of the boxes acts on.
struct ContextoEntrada {
  PaginasFormulario* paginas = nullptr;
  DataSet* alcabala = nullptr;       ///< the declarations data set
  DataSet* contribuyente = nullptr;  ///< the taxpayer data set (copied by box 583)
  FuncionIVA iva;
  QLocale locale;
};

/// Whether a click into a box of this family selects its whole text.
bool SeleccionaAlPulsar(FamiliaEntrada familia);

/// The key filter of a family; an empty function lets every character in.
/// Control characters other than backspace are dropped (so the paste
/// shortcut pastes nothing), except Enter, Tab and Esc, which write nothing
/// and keep working for keyboard users.
CajaEdicion::FiltroTeclas FiltroDeFamilia(FamiliaEntrada familia, const QLocale& locale);

/// The rule run when the box is left, after its value reached the field:
/// box 563 from the sales boxes (only while the declaration is edited) or
/// the diesel rule of the box's group (whenever the declaration can be
/// written). Other boxes have none.
void SalidaCaja(const Caja& caja, DataSet& alcabala, const FuncionIVA& iva);

/// Box 583 changed state. Only while the declaration is edited: ticked, the
/// taxpayer's fields are copied into the identification boxes, which then
/// take input; cleared, those boxes stop taking input and are emptied.
void DBCheckBoxCod583Click(bool marcada, DataSet& alcabala, const DataSet& contribuyente,
                           PaginasFormulario& paginas);

/// Installs the behaviour on every box of the pages, once, after they are
/// built. Handlers run inside the command wrapper.
void InstalarEntradaCajas(const ContextoEntrada& contexto);
