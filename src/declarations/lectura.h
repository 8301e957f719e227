#pragma once
// Reading a few declarations of a data file without loading its table: the
// rows of one period or of one year go through the index `mes` and come back
// as plain records holding every stored field and the calculated boxes.
// Printing, the summaries and alcabala-cli read declarations this way; only
// the main window keeps the whole table in a data set (the company scan reads
// its one row per file through storage/filaleida.h).

#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

#include "general/registroplano.h"
#include "storage/dataset.h"
#include "storage/periodos.h"

class Conexion;

/// Prepares `alcabala` (closed, over the table `alcabalas`) to read only the
/// rows of the given periods, in index order, with the calculated fields of
/// the engine; the caller opens it.
void LimitarAPeriodos(DataSet& alcabala, const QList<AnoMes>& periodos, const QLocale& locale);

/// The declaration row(s) of one period (normally one), in index order, each
/// with its stored fields, then its calculated boxes (null where the engine
/// could not compute one) and their types.
QList<RegistroPlano> LeerDeclaracionesDelPeriodo(Conexion& conexion, int ano, int mes, const QLocale& locale);

/// The declarations of one year, in index order (month, then as stored).
QList<RegistroPlano> LeerDeclaracionesDelAno(Conexion& conexion, int ano, const QLocale& locale);

/// A declaration with its calculated boxes and the taxpayer row, as plain
/// copies: what the copies and the printouts of a file draw.
struct FormularioLeido {
  RegistroPlano declaracion;    // with its calculated boxes
  RegistroPlano contribuyente;  // with its calculated fields (empty fields when the table has none)
};

/// Opens the data file for reading only (never upgraded) and reads the first
/// declaration of one period and the taxpayer row; nothing when the file has
/// no declaration for that period. A column an older file lacks comes as an
/// empty field; ErrorCalculo ("Archivo.alc: No se pudo calcular la casilla 91
/// …") when a calculated box of the declaration cannot be computed.
std::optional<FormularioLeido> LeerFormularioSiExiste(const QString& ruta, int ano, int mes, const QLocale& locale);

/// As LeerFormularioSiExiste; ErrorAlcabala when the file has no declaration
/// for that period.
FormularioLeido LeerDeclaracion(const QString& ruta, int ano, int mes, const QLocale& locale);
