#pragma once
// When a month's declaration is due: the 12th of the following month, or the
// 20th for a taxpayer who files and pays online with electronic invoicing;
// a due day that falls on a Saturday, a Sunday or a public holiday of Chile
// moves to the next business day.

#include <QDate>
#include <QList>

#include "storage/periodos.h"

// Day of the following month the declaration is due before holidays move it.
inline constexpr int DiaVencimientoPapel = 12;
inline constexpr int DiaVencimientoFacturaElectronica = 20;

// Whether the day is a national public holiday of Chile (the years of the
// table only; any other year has none).
bool EsFeriadoChile(const QDate& fecha);

// The first and the last year the holiday table covers.
int PrimerAnoFeriados();
int UltimoAnoFeriados();

// Not a Saturday, a Sunday or a public holiday.
bool EsDiaHabil(const QDate& fecha);

// The legal due date of the declaration of `periodo`.
QDate FechaVencimiento(const AnoMes& periodo, bool facturaElectronica);
