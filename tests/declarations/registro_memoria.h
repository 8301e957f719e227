#pragma once
// A record held in a map, for testing rules without a data file. Like a data
// set it knows its fields: reading or writing any other name throws.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/registro.h"

namespace prueba {

class RegistroMemoria : public Registro {
 public:
  RegistroMemoria() = default;
  explicit RegistroMemoria(const QStringList& campos) {
    for (const QString& c : campos) valores_.insert(c, QVariant());
  }

  // A declaration row: every column of `alcabalas` (null) and the calculated fields.
  static RegistroMemoria Declaracion() {
    RegistroMemoria r;
    for (const ColumnaTabla& c : ColumnasAlcabalas()) r.valores_.insert(c.nombre, QVariant());
    for (const DefinicionCampo& c : CamposCalculadosAlcabala()) r.valores_.insert(c.nombre, QVariant());
    return r;
  }
  // A declaration of an older file, without the given columns.
  static RegistroMemoria DeclaracionSin(const QStringList& faltan) {
    RegistroMemoria r = Declaracion();
    for (const QString& c : faltan) r.valores_.remove(c);
    return r;
  }
  // The taxpayer row: every column of `contribuyente` (null).
  static RegistroMemoria Contribuyente() {
    RegistroMemoria r;
    for (const ColumnaTabla& c : ColumnasContribuyente()) r.valores_.insert(c.nombre, QVariant());
    return r;
  }

  QVariant Valor(const QString& campo) const override {
    const auto it = valores_.constFind(campo);
    if (it == valores_.constEnd()) throw ErrorAlcabala(QStringLiteral("Campo desconocido: ") + campo);
    return *it;
  }
  void Asignar(const QString& campo, const QVariant& valor) override {
    auto it = valores_.find(campo);
    if (it == valores_.end()) throw ErrorAlcabala(QStringLiteral("Campo desconocido: ") + campo);
    *it = valor;
    ++escrituras_;
  }
  bool TieneCampo(const QString& campo) const override { return valores_.contains(campo); }

  // Conveniences for tests: whole pesos by box code, rates as stored.
  void Pesos(const QString& codigo, qint64 pesos) {
    Asignar(QStringLiteral("Cod") + codigo, QVariant::fromValue(Moneda::DesdePesos(pesos)));
  }
  void Tasa(const QString& codigo, float tasa) { Asignar(QStringLiteral("Cod") + codigo, QVariant(tasa)); }
  // The box's amount in whole pesos (must be a Moneda).
  qint64 Monto(const QString& codigo) const {
    const QVariant v = Valor(QStringLiteral("Cod") + codigo);
    if (v.metaType() != QMetaType::fromType<Moneda>())
      throw ErrorAlcabala(QStringLiteral("No es un monto: Cod") + codigo);
    const Moneda m = v.value<Moneda>();
    if (m.Crudo() % Moneda::Escala != 0) throw ErrorAlcabala(QStringLiteral("Monto con decimales: Cod") + codigo);
    return m.Pesos();
  }
  QString Texto(const QString& campo) const { return Valor(campo).toString(); }
  int Escrituras() const { return escrituras_; }

 private:
  QHash<QString, QVariant> valores_;
  int escrituras_ = 0;
};

}  // namespace prueba
