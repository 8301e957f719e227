#pragma once
// The column types of a data file on SQLite, and the conversion of values
// between the file and the program (see general/tipocolumna.h for the
// QVariant each type travels in).
//
//   S  SMALLINT   16-bit integer
//   L  INTEGER    32-bit integer
//   C  CURRENCY   the amount × 10,000 as a 64-bit integer
//   F  REAL       single precision: rounded to it on write, widened on read
//   B  BOOLEAN    0 or 1
//   Wn NCHAR(n)   text padded with blanks to n characters

#include <QString>
#include <QVariant>

#include "general/tipocolumna.h"

// The declared SQLite type of a column: "SMALLINT", "NCHAR(50)", …
QString TipoSql(TipoColumna tipo, int tamano);

// The field a column of a declared SQLite type is read as. Declared types
// outside the file format fall back on SQLite's affinity rules (integers as
// L, texts as W without a size, reals as F, anything else as C).
DefinicionCampo CampoDeColumna(const QString& nombre, const QString& tipoDeclarado);

// A value as the file holds it, read into the program's form for the field
// (an invalid QVariant for NULL; W texts padded to their size).
QVariant LeerValorColumna(const QVariant& crudo, const DefinicionCampo& campo);

// A value given by the program, checked and converted for the field: what a
// record holds after it is written. W texts are cut to their size; numbers
// that do not fit the column raise ErrorAlcabala (nothing is truncated).
QVariant ConvertirValorCampo(const QVariant& valor, const DefinicionCampo& campo);

// A record's value as it is bound into SQL for the column.
QVariant ValorParaGuardar(const QVariant& valor, const DefinicionCampo& campo);

// The default of a column from the text PRAGMA table_info gives for it
// ("0", "''", "'Temuco'", "NULL", or no default at all), in program form.
QVariant ValorPredeterminadoColumna(const QVariant& textoSql, const DefinicionCampo& campo);

// The empty value of a type in a record held in memory: 0, false or "".
QVariant ValorVacio(TipoColumna tipo);

// Whether a value stands for NULL.
bool EsValorNulo(const QVariant& valor);
