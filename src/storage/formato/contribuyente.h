#pragma once
// The taxpayer data set's calculated fields: the nine print cells of the RUT
// and the name as printed. One handler serves every data set that holds the
// taxpayer row (the main window's, the report copy, the export).

#include <QList>

#include "general/registro.h"
#include "general/tipocolumna.h"

// Characters of the printed name `nombre`.
inline constexpr int LargoNombreContribuyente = 50;

// `RUT_1` … `RUT_9` (texts of one character) and `nombre` (50 characters).
QList<DefinicionCampo> CamposCalculadosContribuyente();

// Computes the calculated fields of the record's current taxpayer row from
// `RUT`, `ApellidoPaternoRazonSocial`, `ApellidoMaterno` and `nombres`.
void ADODataSetContribuyenteCalcFields(Registro& registro);

// The name as printed: "surname second-surname, given names" for a person
// (cut to 50 characters), the first surname or company name alone when the
// given names are empty. Blanks around each part are trimmed.
QString NombreImpreso(const QString& apellidoPaterno, const QString& apellidoMaterno, const QString& nombres);
