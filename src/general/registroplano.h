#pragma once
// A record held by value: its fields in their order and one value each. The
// copy of a data set's row that a report, a summary or alcabala-cli reads, so
// that reading never moves the window's data set nor fires its events.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include "general/registro.h"
#include "general/tipocolumna.h"

class RegistroPlano : public Registro {
 public:
  RegistroPlano() = default;

  // Adds a field (or replaces its value when it exists already).
  void Agregar(const DefinicionCampo& campo, const QVariant& valor);
  // A field known by name only (records made by hand, as in the tests).
  void Agregar(const QString& campo, const QVariant& valor) { Agregar(DefinicionCampo{campo}, valor); }
  QStringList Campos() const;
  // The fields with their types, in order.
  const QList<DefinicionCampo>& Definiciones() const { return campos_; }

  QVariant Valor(const QString& campo) const override;
  void Asignar(const QString& campo, const QVariant& valor) override;
  bool TieneCampo(const QString& campo) const override { return posicion_.contains(campo); }

 private:
  int Indice(const QString& campo) const;

  QList<DefinicionCampo> campos_;
  QVariantList valores_;
  QHash<QString, int> posicion_;
};
