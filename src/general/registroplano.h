#pragma once
// A record held by value: field names in their order and one value each. The
// copy of a data set's row that a report reads, so that printing never moves
// the window's data set nor fires its events.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "general/registro.h"

class RegistroPlano : public Registro {
 public:
  RegistroPlano() = default;

  // Adds a field (or replaces its value when it exists already).
  void Agregar(const QString& campo, const QVariant& valor);
  QStringList Campos() const { return campos_; }

  QVariant Valor(const QString& campo) const override;
  void Asignar(const QString& campo, const QVariant& valor) override;
  bool TieneCampo(const QString& campo) const override { return valores_.contains(campo); }

 private:
  QStringList campos_;
  QHash<QString, QVariant> valores_;
};
