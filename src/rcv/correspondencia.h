#pragma once
// Which document of the registry goes to which box of the declaration: one
// table, like the box catalogue. A row names the book, the document types,
// the kinds of operation ("Tipo Compra"/"Tipo Venta") and the count and
// amount boxes it feeds, with the amount it takes and its sign.
//
// A document takes the first of the table's own rows that fits it (its line
// of the form); the rows marked `ademas` add it to a box besides (the
// informative totals) when the document was taken by a line.

#include <QString>
#include <QStringList>
#include <vector>

#include "rcv/lector.h"

// The amount of a document a row adds.
enum class MontoRcv {
  Ninguno,
  Iva,               // sales: "Monto IVA"
  ExentoMasNeto,     // "Monto Exento" + "Monto Neto"
  Neto,              // "Monto Neto"
  IvaCredito,        // purchases: "IVA Activo Fijo" where given, else "Monto IVA Recuperable"
  IvaConDerecho,     // purchases: IvaCredito + "IVA uso Comun"
  IvaNoRecuperable,  // purchases: "Monto Iva No Recuperable"
  IvaUsoComun,       // purchases: "IVA uso Comun"
};

enum class DestinoRcv {
  Casillas,          // the count and amount boxes
  Proporcionalidad,  // the recoverable part needs the company's ratio: listed, not added
};

struct FilaCorrespondencia {
  LibroRcv libro = LibroRcv::Ventas;
  std::vector<int> tipos;    // document types; empty: any
  QStringList operaciones;   // normalised kinds of operation; empty: any
  QString cajaCantidad;      // box of the count of documents; empty: none
  QString cajaMonto;         // box of the amount; empty: none
  MontoRcv monto = MontoRcv::Ninguno;
  int signo = 1;             // -1: the documents subtract from the amount box
  DestinoRcv destino = DestinoRcv::Casillas;
  bool ademas = false;       // adds to its box besides the document's own line
};

// The table, in the order the rows are tried.
const std::vector<FilaCorrespondencia>& TablaCorrespondencia();

// Whether a row takes a document of this book, type and kind of operation
// (normalised, NormalizarOperacion).
bool FilaAdmite(const FilaCorrespondencia& fila, LibroRcv libro, int tipo, const QString& operacion);

// The amount a row takes from a document (before its sign).
qint64 MontoDe(MontoRcv monto, const DocumentoRcv& doc);
