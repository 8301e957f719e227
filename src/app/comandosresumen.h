#pragma once
// "Res&umen IVA", "Resu&men Retenciones" and "Resume&n PPM": the year's
// declarations of the open file in the print preview, one line per month
// and a totals line, under the taxpayer's name. The lines are read by a data
// set of their own, so the window keeps its declaration and both period
// lists, whether the preview is printed, closed or fails, and nothing is
// written to the file.

#include <QLocale>

#include "reports/resumenes.h"

struct ContextoComandos;

// Shows the summary of the year ano (the window's AnoActual) in the preview.
void MostrarResumenAnual(const ContextoComandos& contexto, ClaseResumen clase, int ano, const QLocale& locale);
