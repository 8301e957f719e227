#pragma once
// Reading a few declarations of a data file without loading its table: the
// rows of one period or of one year go through the index `mes` and come back
// as plain records holding every stored field and the calculated boxes.
// Printing, the company scan and alcabala-cli read declarations this way; only
// the main window keeps the whole table in a data set.

#include <QHash>
#include <QList>
#include <QLocale>
#include <QVariantList>

#include "general/registro.h"
#include "storage/dataset.h"
#include "storage/periodos.h"

class Conexion;

/// One declaration row as read: stored fields, then calculated ones, by name.
/// A calculated box the engine could not compute for this row is null.
class DeclaracionLeida : public Registro {
 public:
  explicit DeclaracionLeida(const DataSet& fuente);
  QVariant Valor(const QString& campo) const override;
  void Asignar(const QString& campo, const QVariant& valor) override;
  bool TieneCampo(const QString& campo) const override;
  /// The fields in the data set's order: stored, then calculated.
  const QList<DefinicionCampo>& Campos() const { return campos_; }

 private:
  QList<DefinicionCampo> campos_;
  QVariantList valores_;
  QHash<QString, int> posicion_;
};

/// Prepares `alcabala` (closed, over the table `alcabalas`) to read only the
/// rows of the given periods, in index order, with the calculated fields of
/// the engine; the caller opens it.
void LimitarAPeriodos(DataSet& alcabala, const QList<AnoMes>& periodos, const QLocale& locale);

/// The declaration row(s) of one period (normally one), in index order.
QList<DeclaracionLeida> LeerDeclaracionesDelPeriodo(Conexion& conexion, int ano, int mes, const QLocale& locale);

/// The declarations of one year, in index order (month, then as stored).
QList<DeclaracionLeida> LeerDeclaracionesDelAno(Conexion& conexion, int ano, const QLocale& locale);
