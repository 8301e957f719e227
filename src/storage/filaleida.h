#pragma once
// Reading single rows of a data file without a data set: the lean path of the
// company scan, which reads one declaration and the taxpayer row of hundreds
// of files and must not read whole tables nor touch the schema.

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVector>

#include "general/registro.h"
#include "storage/dataset.h"

class Conexion;

// The columns of a table as the file declares them (PRAGMA table_info), in
// table order; their SQL defaults go to `predeterminadosSql` when given.
// Raises ErrorBaseDatos "no such table: <tabla>" when the file lacks it.
QList<DefinicionCampo> ColumnasDeTabla(Conexion& conexion, const QString& tabla,
                                       QVariantList* predeterminadosSql = nullptr);

// One row read from a file: exactly the fields it was given (the file's own
// columns, then any calculated fields added), null-aware like a data set.
class FilaLeida : public Registro {
 public:
  // Starts over with these fields, every value null.
  void Definir(const QList<DefinicionCampo>& campos);
  void AgregarCampos(const QList<DefinicionCampo>& campos);
  const QList<DefinicionCampo>& Campos() const { return campos_; }

  QVariant Valor(const QString& campo) const override;
  void Asignar(const QString& campo, const QVariant& valor) override;
  bool TieneCampo(const QString& campo) const override;

 private:
  int Indice(const QString& campo) const;

  QList<DefinicionCampo> campos_;
  QVector<QVariant> valores_;
  QHash<QString, int> posicion_;
};

// Reads into `fila` (defined with `columnas`, the table's columns as
// ColumnasDeTabla gives them) the first row of `alcabalas` for the period in
// the order of the index `mes` (ano, mes, then rowid), through that index.
// False, with every value null, when the period has no declaration.
bool LeerPrimeraDeclaracion(Conexion& conexion, const QList<DefinicionCampo>& columnas, int ano, int mes,
                            FilaLeida* fila);

// Its statement, with two parameters: year and month.
QString SqlPrimeraDeclaracion(const QList<DefinicionCampo>& columnas);

// Reads the first row of `contribuyente` (rowid order) into `fila`, defined
// with the table's columns. False, with every value null, for an empty table.
bool LeerPrimerContribuyente(Conexion& conexion, const QList<DefinicionCampo>& columnas, FilaLeida* fila);
