#pragma once
// The stored columns of a row of a data file as JSON members, read by
// position straight from SQLite into the text: the export's path for rows by
// the hundred. The values come out as a data set would show them (see
// storage/formato/valorcolumna.h: numbers by the column's type, texts padded
// to their size), written as cli/ligero/json.h writes them.

#include <QByteArray>
#include <QList>

#include "general/tipocolumna.h"

struct sqlite3_stmt;

// Appends the JSON value of one column of the statement's current row.
void AnadirJsonColumna(QByteArray& destino, sqlite3_stmt* fila, int columna, const DefinicionCampo& campo);

// The members of a table's rows, its keys made once for the file's layout.
class MiembrosJson {
 public:
  explicit MiembrosJson(const QList<DefinicionCampo>& columnas);

  // Appends `"name": value` for each column of the current row, in table
  // order, separated by ", ".
  void AnadirFila(QByteArray& destino, sqlite3_stmt* fila) const;

 private:
  QList<DefinicionCampo> columnas_;
  QList<QByteArray> claves_;  // `"name": ` of each column
};
