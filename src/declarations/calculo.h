#pragma once
// The calculation engine: every box of a declaration that follows from the
// stored boxes of the same row. It reads and writes fields by name only, so one
// handler serves every data set that holds declaration rows.

#include <QList>
#include <QLocale>

#include "general/registro.h"
#include "storage/dataset.h"

// The 40 calculated fields of a declarations data set: the 34 calculated
// amounts (type C) and the six text fields (type W with their lengths).
QList<DefinicionCampo> CamposCalculadosAlcabala();

// Computes every calculated field of the record's current row. Boxes 759, 757,
// 760, 752 and 754 enter only when the record has a field of that name.
void ADODataSetAlcabalaCalcFields(Registro& registro, const QLocale& locale);
