#pragma once
// A record held by value: its fields in their order and one value each. The
// copy of a data set's row that a report, a summary or alcabala-cli reads, so
// that reading never moves the window's data set nor fires its events.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>

#include "general/disposicioncampos.h"
#include "general/registro.h"
#include "general/tipocolumna.h"

class RegistroPlano : public Registro {
 public:
  RegistroPlano();
  // A record of a known layout (shared with its source, say a data set's
  // record) and one value per field of it.
  RegistroPlano(std::shared_ptr<const DisposicionCampos> disposicion, QVariantList valores);

  // Adds a field (or replaces its value when it exists already).
  void Agregar(const DefinicionCampo& campo, const QVariant& valor);
  // A field known by name only (records made by hand, as in the tests).
  void Agregar(const QString& campo, const QVariant& valor) { Agregar(DefinicionCampo{campo}, valor); }
  QStringList Campos() const;
  // The fields with their types, in order.
  const QList<DefinicionCampo>& Definiciones() const;

  QVariant Valor(const QString& campo) const override;
  void Asignar(const QString& campo, const QVariant& valor) override;
  bool TieneCampo(const QString& campo) const override;

  const DisposicionCampos* Disposicion() const override { return disposicion_.get(); }
  const QVariant& ValorEn(int posicion) const override { return valores_.at(posicion); }
  void AsignarEn(int posicion, const QVariant& valor) override { valores_[posicion] = valor; }

 private:
  // Shared with the copies of this record and with its source until a field
  // is added: then this record gets a layout of its own. Layouts are always
  // made as modifiable objects, so the only holder may grow one in place.
  std::shared_ptr<const DisposicionCampos> disposicion_;
  QVariantList valores_;
};
