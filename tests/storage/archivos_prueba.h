#pragma once
// Data files of older layouts, made with plain SQL for the tests.

#include <QString>
#include <QStringList>

namespace prueba {

// CREATE TABLE alcabalas of an old layout: every current column but the
// ten added later (minus `omitir` too), nullable and without defaults when
// `anulables`, as the old engine left files it had upgraded.
QString SqlAlcabalasAntigua(const QStringList& faltantes, bool anulables);

// The names of the columns added to older files (ColumnasActualizacion).
QStringList ColumnasNuevas();

// CREATE TABLE contribuyente of the current layout.
QString SqlContribuyente();

// A whole old data file at ruta lacking the given columns (all those added
// empty), with a taxpayer row.
void CrearArchivoAntiguo(const QString& ruta, QStringList faltantes = {});

}  // namespace prueba
