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
#include <initializer_list>
#include <memory>

#include "general/disposicioncampos.h"
#include "general/registro.h"
#include "general/tipocolumna.h"

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
  const QList<DefinicionCampo>& Campos() const { return disposicion_->Campos(); }
  // Keeps the fields and makes every value null again.
  void Limpiar();
  // Puts the value of field `indice` as read from the file (already in the
  // program's form for that field, see LeerValorColumna).
  void PonerLeido(int indice, const QVariant& valor) { valores_[indice] = valor; }

  QVariant Valor(const QString& campo) const override;
  void Asignar(const QString& campo, const QVariant& valor) override;
  bool TieneCampo(const QString& campo) const override;

  const DisposicionCampos* Disposicion() const override { return disposicion_.get(); }
  const QVariant& ValorEn(int posicion) const override { return valores_.at(posicion); }
  void AsignarEn(int posicion, const QVariant& valor) override;

 private:
  std::shared_ptr<DisposicionCampos> disposicion_ = std::make_shared<DisposicionCampos>();
  QVector<QVariant> valores_;
};

// The statement that reads the first row of `alcabalas` for a period (two
// parameters: year and month) in the order of the index `mes` (ano, mes,
// then rowid), through that index.
QString SqlPrimeraDeclaracion();

// Reads, file after file, the period's first declaration and the first
// taxpayer row of an open connection. The columns of a table are listed again
// only when a file's table differs from the last file's (its CREATE
// statement), so files of one layout cost two short queries each.
class LectorDeclaracionYContribuyente {
 public:
  // `calculados`: fields added to the declaration row after its columns.
  LectorDeclaracionYContribuyente(int ano, int mes, const QList<DefinicionCampo>& calculados);

  // Reads both rows of the connection's file. Raises ErrorBaseDatos
  // "no such table: …" when the file lacks `alcabalas` or `contribuyente`.
  void Leer(Conexion& conexion);

  bool ConDeclaracion() const { return declaracion_.hay; }
  FilaLeida& Declaracion() { return declaracion_.fila; }
  bool ConContribuyente() const { return contribuyente_.hay; }
  const FilaLeida& Contribuyente() const { return contribuyente_.fila; }

 private:
  struct Tabla {
    QString nombre;
    QString esquema;  // CREATE statement of the layout the columns belong to
    QList<DefinicionCampo> columnas;
    QString sql;
    FilaLeida fila;
    bool hay = false;
  };
  void Preparar(Conexion& conexion, Tabla& tabla, const QString& esquema);
  void LeerFila(Conexion& conexion, Tabla& tabla, std::initializer_list<int> parametros);

  int ano_;
  int mes_;
  QList<DefinicionCampo> calculados_;
  Tabla declaracion_;
  Tabla contribuyente_;
};
