#pragma once
// The calculation engine: every box of a declaration that follows from the
// stored boxes of the same row. It reads and writes fields by name only, so one
// handler serves every data set that holds declaration rows.

#include <QList>
#include <QStringList>
#include <QLocale>

#include "general/registro.h"
#include "storage/dataset.h"

// The 40 calculated fields of a declarations data set: the 34 calculated
// amounts (type C) and the six text fields (type W with their lengths).
QList<DefinicionCampo> CamposCalculadosAlcabala();

// Computes every calculated field of the record's current row. Boxes 759, 757,
// 760, 752 and 754 enter only when the record has a field of that name. A box
// whose result would exceed the range of the amounts (only stored values no
// keyboard can type reach it) is left null, and so is every box that follows
// from it; the others are calculated as usual.
void ADODataSetAlcabalaCalcFields(Registro& registro, const QLocale& locale);

// The codes of the calculated amounts the engine left null on the record's
// row ("538", "89", …), in the order of the calculated fields; empty when
// every box was computed.
QStringList CajasNoCalculadas(const Registro& registro);

// "No se pudieron calcular las casillas 538, 89 de <Mes> del <año>: el
// resultado excede el rango de los montos." for the boxes given ("No se pudo
// calcular la casilla 538 …" for one).
QString MensajeCajasNoCalculadas(const QStringList& cajas, int ano, int mes);
