#pragma once
// Declaration and taxpayer records for the printing tests, built like the
// rows of a fresh data file (every box 0, texts empty) with their calculated
// fields computed by the program's own handlers.

#include <QHash>
#include <QLocale>
#include <QString>
#include <QVariant>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "general/moneda.h"
#include "general/registroplano.h"
#include "storage/formato/columnas.h"
#include "storage/formato/contribuyente.h"

namespace prueba {

inline QVariant Pesos(qint64 pesos) { return QVariant::fromValue(Moneda::DesdePesos(pesos)); }

inline RegistroPlano Declaracion(int ano, int mes, const QHash<QString, QVariant>& valores = {},
                                 const QLocale& locale = QLocale(QLocale::Spanish, QLocale::Chile)) {
  RegistroPlano r;
  for (const ColumnaTabla& c : ColumnasAlcabalas()) r.Agregar(c.nombre, ValorVacio(c.tipo));
  for (const DefinicionCampo& c : CamposCalculadosAlcabala()) r.Agregar(c.nombre, QVariant());
  r.Asignar(QStringLiteral("ano"), ano);
  r.Asignar(QStringLiteral("mes"), mes);
  for (auto it = valores.cbegin(); it != valores.cend(); ++it) r.Asignar(it.key(), it.value());
  ADODataSetAlcabalaCalcFields(r, locale);
  return r;
}

inline RegistroPlano Contribuyente(qint32 rut, const QString& apellido, const QString& materno = QString(),
                                   const QString& nombres = QString()) {
  RegistroPlano r;
  for (const ColumnaTabla& c : ColumnasContribuyente()) r.Agregar(c.nombre, ValorVacio(c.tipo));
  for (const DefinicionCampo& c : CamposCalculadosContribuyente()) r.Agregar(c.nombre, QVariant());
  r.Asignar(QStringLiteral("RUT"), rut);
  r.Asignar(QStringLiteral("ApellidoPaternoRazonSocial"), apellido);
  r.Asignar(QStringLiteral("ApellidoMaterno"), materno);
  r.Asignar(QStringLiteral("nombres"), nombres);
  ADODataSetContribuyenteCalcFields(r);
  return r;
}

}  // namespace prueba
