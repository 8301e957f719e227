#pragma once
// A record whose fields are read and written by name: what the calculation
// engine and the tax rules ask of a data set.

#include <QString>
#include <QVariant>

class Registro {
 public:
  virtual ~Registro() = default;
  // The field's value; an invalid QVariant for null. Throws ErrorAlcabala for
  // a field the record does not have.
  virtual QVariant Valor(const QString& campo) const = 0;
  // Writes a field (stored or calculated). Throws for an unknown field.
  virtual void Asignar(const QString& campo, const QVariant& valor) = 0;
  // Whether the record has a field of exactly this name (FindField).
  virtual bool TieneCampo(const QString& campo) const = 0;
};
