#pragma once
// The tax rules that write stored boxes of a declaration while it is edited or
// created: the gross-income base (box 563), the diesel credit lines, the
// address-change copies of box 583 and the balances a new declaration carries
// forward. They act on any record whose fields are read and written by name;
// when a rule applies (edit state, which box was left) is the caller's choice.

#include <QList>
#include <QString>
#include <QVariant>

#include "declarations/catalogo/catalogo.h"
#include "declarations/motor/formulas.h"
#include "general/moneda.h"
#include "general/registro.h"

// Box 563 := BaseIngresos (formulas.h) at the IVA rate iva (per cent). Raises
// ErrorAlcabala for a zero or non-numeric rate, leaving box 563 as it was.
void CalcularCod563(Registro& declaracion, double iva);

// The diesel rule of a credit line (group A: 730, 742, 743 and total 127;
// group B: 729, 744, 745 and total 544), its boxes found by the line and role
// the catalogue declares at them. A non-negative net writes the total; a
// negative net moves the line to the additional-debit line 20 (738, 739, 740)
// when that line is empty, and otherwise changes nothing. Ninguno and Debito
// do nothing.
void AplicarReglaDiesel(Registro& declaracion, GrupoDiesel grupo);

// Box 583 ticked: the taxpayer's fields into the fifteen identification boxes.
void CopiarContribuyenteADeclaracion(const Registro& contribuyente, Registro& declaracion);
// Saving with box 583 ticked: the identification boxes into the taxpayer's fields.
void CopiarDeclaracionAContribuyente(const Registro& declaracion, Registro& contribuyente);
// Box 583 cleared: the identification boxes empty (texts) or 0 (numbers).
void VaciarAntecedentes(Registro& declaracion);

// A balance X carried from one month into the next through the UTM: X × 100 ÷
// utm1 rounded to whole hundredths of a UTM (ties to even), then that many UTM
// at utm2, rounded to whole pesos (ties to even). 1,000,000 from 36,000 to
// 36,200 gives 1,005,636. A zero utm1 raises ErrorAlcabala.
Moneda ReajustarSaldo(Moneda x, double utm1, double utm2);

// A value for a field of the new declaration.
struct ValorTrasladado {
  QString campo;
  QVariant valor;  // float for the rates, Moneda for the amounts
};

// The fifteen values of the carry-forward map (MapaTraslado), in its order,
// from the previous declaration (its calculated fields already computed), or
// all zero when anterior is null.
QList<ValorTrasladado> CalcularTraslado(const Registro* anterior, double utm1, double utm2);
