#pragma once
// The calculated boxes of rows read from a data file, computed straight from
// a statement's columns by position (see declarations/calculo.h), with no
// record in between: the path of the readers that go through rows by the
// hundred (the export, the accountant's board).

#include <QList>
#include <QLocale>

#include "declarations/motor/calculo.h"
#include "general/tipocolumna.h"

struct sqlite3_stmt;

class CalculoDeSentencia {
 public:
  // For a statement whose result columns are these, in this order (a table's
  // columns, or the few a reader selects).
  CalculoDeSentencia(const QList<DefinicionCampo>& columnas, const QLocale& locale);

  // Computes the calculated boxes of the statement's current row. Raises
  // ErrorAlcabala "No se encontró el campo "X"." when the columns lack one
  // the calculation needs.
  void Calcular(sqlite3_stmt* fila);

  const ResultadosCalculo& Resultados() const { return resultados_; }

 private:
  QList<DefinicionCampo> columnas_;
  QLocale locale_;
  PlanCalculo plan_;
  EntradasCalculo entradas_;
  ResultadosCalculo resultados_;
};
