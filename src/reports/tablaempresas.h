#pragma once
// ClientDataSetAlcabalas: the in-memory table the company lists print from.
// One row per listed company: every column of `alcabalas` and of
// `contribuyente`, the display name `nombre`, and the calculated boxes of the
// engine. Rows are kept ordered by `nombre` as a reader of the user's locale
// expects (case-sensitive), rows of equal names in the order they were added.

#include <QLocale>
#include <QString>
#include <QVariant>
#include <memory>

#include "declarations/catalogo/presentacion.h"
#include "storage/dataset.h"

// Characters of `nombre` in the table.
inline constexpr int LargoNombreEmpresa = 150;

// The stored fields of the table: the columns of `alcabalas`, then those of
// `contribuyente`, then `nombre` (W150).
QList<DefinicionCampo> CamposTablaEmpresas();

// Compares two names with the locale's collation, upper and lower case kept
// apart: "Nuñez" < "Ñuñoa" < "Osorno" in Spanish.
DataSet::ComparadorTextos ComparadorNombres(const QLocale& locale);

// How a field of the table displays, and so how the company lists print it:
// amounts and integers as plain digits (0 prints "0", null nothing), rates as
// a plain decimal with the locale's separator, the taxpayer's RUTs through
// TextoRut and its telephones with "#" (0 prints nothing), texts as they are
// held. The one rule for the table and the list templates.
FormatoValor FormatoEmpresas(const DefinicionCampo& campo);
// The same for a field of the table (stored or calculated) by name; throws
// ErrorAlcabala for a name the table does not have.
FormatoValor FormatoCampoEmpresas(const QString& campo);
// A field's value under FormatoEmpresas.
QString TextoMostradoEmpresas(const DefinicionCampo& campo, const QVariant& valor, const QLocale& locale);

class TablaEmpresas {
 public:
  explicit TablaEmpresas(const QLocale& locale);
  ~TablaEmpresas();
  TablaEmpresas(const TablaEmpresas&) = delete;
  TablaEmpresas& operator=(const TablaEmpresas&) = delete;

  // The data set itself (closed and empty between commands).
  DataSet& ClientDataSetAlcabalas() { return *datos_; }
  const DataSet& ClientDataSetAlcabalas() const { return *datos_; }
  const QLocale& Locale() const { return locale_; }

  // The current row's field as the lists print it (see TextoMostradoEmpresas).
  QString TextoMostrado(const QString& campo) const;

 private:
  QLocale locale_;
  std::unique_ptr<DataSet> datos_;
};

// The table for one command: open and empty from construction, emptied and
// closed on the way out, whether the command succeeds, fails or is cancelled.
class UsoTablaEmpresas {
 public:
  explicit UsoTablaEmpresas(TablaEmpresas& tabla);
  ~UsoTablaEmpresas();
  UsoTablaEmpresas(const UsoTablaEmpresas&) = delete;
  UsoTablaEmpresas& operator=(const UsoTablaEmpresas&) = delete;

 private:
  DataSet& datos_;
};
