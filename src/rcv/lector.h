#pragma once
// Reading one file of the tax authority's purchase and sales registry (the
// RCV detail as downloaded in CSV): `;` between fields, the header on the
// first row, CRLF or LF, UTF-8 with or without a byte-order mark or
// ISO-8859-1. Columns are found by their header names, never by position.
// The file is read in blocks, one row at a time, so its size does not
// decide the memory it takes.
//
// Any fault of the file (a wrong separator, no header, bytes of no known
// encoding, a short row, an amount that is not a whole number of pesos or is
// negative, a bad date) raises ErrorAlcabala with a Spanish message naming
// the file and the line.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <memory>

enum class LibroRcv { Compras, Ventas };
// The sections of the purchase registry; sales have only the register.
enum class SeccionRcv { Registro, Pendiente, Reclamado, NoIncluir };

QString NombreLibro(LibroRcv libro);      // "Compras", "Ventas"
QString NombreSeccion(SeccionRcv seccion);  // "REGISTRO", "PENDIENTE", ...

// A document (one row; the continuation rows of its additional taxes are
// skipped). Amounts in whole pesos, 0 where the file has none.
struct DocumentoRcv {
  int linea = 0;          // 1-based line of the file
  int tipo = 0;           // "Tipo Doc"
  int operacion = 0;      // "Tipo Compra"/"Tipo Venta": index into LectorRcv::Operaciones()
  qint64 folio = 0;
  qint32 rut = 0;         // body of the counterpart's RUT
  char digito = '0';      // its check digit as written ('0'-'9' or 'K')
  int ano = 0;            // period the document belongs to: "Fecha Docto" for
  int mes = 0;            // sales, "Fecha Recepcion" for purchases
  qint64 exento = 0;
  qint64 neto = 0;
  qint64 iva = 0;              // sales: "Monto IVA"; purchases: "Monto IVA Recuperable"
  qint64 ivaNoRecuperable = 0;  // purchases
  qint64 ivaActivoFijo = 0;     // purchases
  qint64 ivaUsoComun = 0;       // purchases
  qint64 total = 0;
};

class LectorRcv {
 public:
  // Opens the file and reads its header: which book and section it is.
  explicit LectorRcv(const QString& ruta);
  ~LectorRcv();
  LectorRcv(const LectorRcv&) = delete;
  LectorRcv& operator=(const LectorRcv&) = delete;

  LibroRcv Libro() const;
  SeccionRcv Seccion() const;
  // The file's name, as messages give it.
  QString Nombre() const;

  // Reads every row after the header, calling `cada` for each document in
  // file order. Continuation rows (same type, folio and RUT as the document
  // before, empty "Nro") are checked and skipped.
  void Leer(const std::function<void(const DocumentoRcv&)>& cada);

  // The distinct "Tipo Compra"/"Tipo Venta" texts met so far, trimmed.
  const QStringList& Operaciones() const;
  int FilasContinuacion() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

// A "Tipo Compra"/"Tipo Venta" text as compared: lower case, without
// accents, single blanks ("IVA Uso Común" → "iva uso comun").
QString NormalizarOperacion(const QString& texto);
