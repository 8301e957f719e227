#pragma once
// The calculated boxes of rows read from a data file, computed straight from
// the statement's columns by position (see declarations/motor/calculo.h): the
// export's path for rows by the hundred, with no record in between.

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QStringList>
#include <vector>

#include "declarations/motor/calculo.h"
#include "general/tipocolumna.h"

struct sqlite3_stmt;

class CalculoDeFilas {
 public:
  // For the rows of a table with these columns, in table order.
  CalculoDeFilas(const QList<DefinicionCampo>& columnas, const QLocale& locale);

  // Computes the calculated boxes of the statement's current row. Raises
  // ErrorAlcabala "No se encontró el campo "X"." when the table lacks a
  // column the calculation needs.
  void Calcular(sqlite3_stmt* fila);

  // Appends `, "name": value` for each calculated field of the row, in the
  // order of CamposCalculadosAlcabala(): amounts exact, or null for a box
  // that could not be computed; texts cut to their size as a record holds them.
  void AnadirCalculados(QByteArray& destino) const;

  // The codes of the boxes the row could not compute, in the same order (as
  // CajasNoCalculadas gives them for a record).
  QStringList NoCalculadas() const;

 private:
  // A calculated field: a result amount, or one of the texts.
  struct Salida {
    QByteArray clave;  // `, "name": `
    QString codigo;    // box code of an amount
    int resultado = -1;
    int texto = -1;
    int tamano = 0;
  };

  QList<DefinicionCampo> columnas_;
  QLocale locale_;
  PlanCalculo plan_;
  std::vector<Salida> salidas_;
  EntradasCalculo entradas_;
  ResultadosCalculo resultados_;
};
