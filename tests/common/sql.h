#pragma once
// Plain-SQL helpers for the tests: data files made and inspected without
// going through the program's own storage layer.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace prueba {

// Runs the statements on the SQLite file (created when missing).
void EjecutarSql(const QString& ruta, const QStringList& sentencias);

// Rows of a query: each row its values in column order.
QList<QVariantList> ConsultarSql(const QString& ruta, const QString& sql);

// First value of the first row of a query (invalid when no row).
QVariant EscalarSql(const QString& ruta, const QString& sql);

// The bytes of a file, to check that a failed operation left it untouched.
QByteArray ContenidoArchivo(const QString& ruta);

}  // namespace prueba
