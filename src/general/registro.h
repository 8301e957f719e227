#pragma once
// A record whose fields are read and written by name: what the calculation
// engine and the tax rules ask of a data set.

#include <QString>
#include <QVariant>

class DisposicionCampos;

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

  // Records that hold their values in the order of a layout may also be read
  // and written by position, which spares work that is repeated row after row
  // (the calculation) the lookup of every name. Such a record returns its
  // layout here, the same object for as long as its fields stay the same;
  // the others return null and are only read by name.
  virtual const DisposicionCampos* Disposicion() const { return nullptr; }
  // Read and write a position of Disposicion(), exactly as Valor and Asignar
  // do for the field there. Only records with a layout are asked; the value
  // read stays valid until the record is next changed.
  virtual const QVariant& ValorEn(int posicion) const;
  virtual void AsignarEn(int posicion, const QVariant& valor);
};
