#pragma once
// Exact rounding of money. Every operation below works on the exact values
// involved: an amount is its Moneda (pesos × 10,000 in 64 bits) and a rate or
// a UTM is the exact binary value of the double it arrives in (a rate read from
// a single-precision column is widened without change, so 0.1f counts as
// 0.100000001490116119384765625, and 2.5 as 2.5). The exact result is computed
// with integer arithmetic and rounded once, to the nearest representable value
// with ties to the even one; no intermediate floating-point step can round
// twice.
//
// "Four decimals" means a Moneda (the ten-thousandth of a peso is its unit).
//
// Failures raise ErrorAlcabala: a rate or UTM that is not a finite number, a
// division by zero, and a result outside the range of Moneda
// (±922,337,203,685,477 pesos).

#include <QtGlobal>

#include "general/moneda.h"

// The amount rounded to whole pesos, ties to even:
// 0.5 → 0, 1.5 → 2, 2.5 → 2, −1.5 → −2.
Moneda RedondearPesos(Moneda valor);

// monto × tasa kept to four decimals, ties to even.
Moneda MultiplicarTasa(Moneda monto, double tasa);

// monto ÷ 100 kept to four decimals, ties to even.
Moneda DividirPorCien(Moneda monto);

// monto × 100 ÷ tasa kept to four decimals, ties to even: the net amount whose
// tax at tasa per cent is monto. A zero rate raises ErrorAlcabala.
Moneda DividirPorTasaPorcentual(Moneda monto, double tasa);

// A rate line of the declaration: base × tasa kept to four decimals, ÷ 100
// kept to four decimals, minus credito, rounded to whole pesos (each step ties
// to even). The result may be negative. The steps in between are exact beyond
// the range of an amount; only the result must fit in one.
Moneda LineaTasa(Moneda base, double tasa, Moneda credito);

// A balance in hundredths of a UTM: monto × 100 ÷ utm rounded to a whole
// number, ties to even (1,000,000 at 36,000 gives 2,778, that is 27.78 UTM).
// A zero UTM raises ErrorAlcabala.
qint64 CentesimosDeUtm(Moneda monto, double utm);

// Hundredths of a UTM back into pesos: centesimos ÷ 100 × utm rounded to whole
// pesos, ties to even (2,778 at 36,200 gives 1,005,636).
Moneda PesosDeCentesimosUtm(qint64 centesimos, double utm);
