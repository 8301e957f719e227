#pragma once
// The layout of a record: its fields in order and where each name stands.
// Records that keep their values in that order (a data set's record buffer,
// a plain record, a row read from a file) share one layout object for as long
// as their fields stay the same, so work that depends only on the fields (the
// calculation's plan, for one) is done once per layout and reused by identity.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "general/tipocolumna.h"

class DisposicionCampos {
 public:
  DisposicionCampos();
  explicit DisposicionCampos(const QList<DefinicionCampo>& campos);
  // A copy is another layout, with an identity of its own.
  DisposicionCampos(const DisposicionCampos& otra);
  DisposicionCampos& operator=(const DisposicionCampos&) = delete;

  // Never shared by two layouts during the program's run, and changed by
  // every field added, so it tells whether two records have the same fields.
  quint64 Identidad() const { return identidad_; }

  const QList<DefinicionCampo>& Campos() const { return campos_; }
  int Cantidad() const { return static_cast<int>(campos_.size()); }
  QStringList Nombres() const;
  // Position of a field; -1 when there is none of that name. Should two fields
  // share a name, the last one answers.
  int Posicion(const QString& nombre) const { return posicion_.value(nombre, -1); }
  bool Tiene(const QString& nombre) const { return posicion_.contains(nombre); }
  // Position of a field, or ErrorAlcabala "No se encontró el campo "X"."
  int PosicionExistente(const QString& nombre) const;

  // Adds a field at the end; the layout gets a new identity.
  void Agregar(const DefinicionCampo& campo);

 private:
  static quint64 NuevaIdentidad();

  quint64 identidad_;
  QList<DefinicionCampo> campos_;
  QHash<QString, int> posicion_;
};
