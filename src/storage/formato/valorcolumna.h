#pragma once
// One reading of a value by its column's type (S, L, C, F, B, W), for every
// path that turns a stored value into something else: a record's value, a
// text, JSON, an input of the calculation. The reader hands the value to a
// visitor, whose members receive it in the form its type gives:
//
//   Nulo()                          NULL
//   Entero(qint64)                  S and L
//   Monto(Moneda)                   C
//   Real(float)                     F (single precision)
//   Logico(bool)                    B
//   Texto(const QString&)           W, as a record holds it
//
// Read straight from a statement (LeerColumna), a stored text comes as
// TextoGuardado(const char* utf8, int largo, int tamano): its bytes before
// the padding to `tamano` a record gives it (TextoRelleno makes that text).
// A value whose storage class is not the one its type expects (a text in a
// number column, a blob, a real in an integer column) is converted as a data
// set reads it (LeerValorColumna) and then handed over like a record's value.

#include <sqlite3.h>

#include <QString>
#include <QVariant>
#include <cmath>

#include "general/moneda.h"
#include "general/tipocolumna.h"
#include "storage/formato/columnas.h"
#include "storage/formato/sqlite.h"

// A stored text as a record holds it: padded with blanks to `tamano`.
QString TextoRelleno(const char* utf8, int largo, int tamano);

// A value in program form (a record's value) by the field's type.
template <class Visitante>
void VisitarValor(const QVariant& valor, TipoColumna tipo, Visitante& visitante) {
  if (EsValorNulo(valor)) {
    visitante.Nulo();
    return;
  }
  switch (tipo) {
    case TipoColumna::S:
    case TipoColumna::L:
      visitante.Entero(valor.toLongLong());
      return;
    case TipoColumna::C:
      if (valor.metaType() == QMetaType::fromType<Moneda>()) visitante.Monto(valor.value<Moneda>());
      else visitante.Monto(Moneda::DesdeCrudo(std::llround(valor.toDouble() * Moneda::Escala)));
      return;
    case TipoColumna::F:
      visitante.Real(valor.toFloat());
      return;
    case TipoColumna::B:
      visitante.Logico(valor.toBool());
      return;
    case TipoColumna::W:
      visitante.Texto(valor.toString());
      return;
  }
  visitante.Nulo();
}

// Column `columna` of the statement's current row, read by the field's type.
template <class Visitante>
void LeerColumna(sqlite3_stmt* fila, int columna, const DefinicionCampo& campo, Visitante& visitante) {
  const int clase = sqlite3_column_type(fila, columna);
  if (clase == SQLITE_NULL) {
    visitante.Nulo();
    return;
  }
  switch (campo.tipo) {
    case TipoColumna::S:
    case TipoColumna::L:
      if (clase != SQLITE_INTEGER) break;
      visitante.Entero(static_cast<int>(sqlite3_column_int64(fila, columna)));
      return;
    case TipoColumna::C:
      if (clase != SQLITE_INTEGER) break;
      visitante.Monto(Moneda::DesdeCrudo(sqlite3_column_int64(fila, columna)));
      return;
    case TipoColumna::F:
      if (clase != SQLITE_FLOAT && clase != SQLITE_INTEGER) break;
      visitante.Real(static_cast<float>(sqlite3_column_double(fila, columna)));
      return;
    case TipoColumna::B:
      if (clase == SQLITE_INTEGER) visitante.Logico(sqlite3_column_int64(fila, columna) != 0);
      else if (clase == SQLITE_FLOAT) visitante.Logico(sqlite3_column_double(fila, columna) != 0.0);
      else break;
      return;
    case TipoColumna::W:
      if (clase != SQLITE_TEXT) break;
      visitante.TextoGuardado(reinterpret_cast<const char*>(sqlite3_column_text(fila, columna)),
                              sqlite3_column_bytes(fila, columna), campo.tamano);
      return;
  }
  VisitarValor(LeerValorColumna(ValorCrudo(fila, columna), campo), campo.tipo, visitante);
}

// A visitor that gathers any value as the QVariant a record would hold, for
// the readers that take the uncommon cases that way: a derived visitor
// overrides the cases it reads directly and receives the others in Valor().
template <class Derivado>
struct VisitanteVariant {
  void Nulo() { Propio().Valor(QVariant()); }
  void Entero(qint64 valor) { Propio().Valor(static_cast<int>(valor)); }
  void Monto(Moneda valor) { Propio().Valor(QVariant::fromValue(valor)); }
  void Real(float valor) { Propio().Valor(valor); }
  void Logico(bool valor) { Propio().Valor(valor); }
  void Texto(const QString& texto) { Propio().Valor(texto); }
  void TextoGuardado(const char* utf8, int largo, int tamano) { Propio().Valor(TextoRelleno(utf8, largo, tamano)); }

 private:
  Derivado& Propio() { return static_cast<Derivado&>(*this); }
};
