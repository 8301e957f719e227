#pragma once
// Client files for the company-list tests, made through the program's own
// file creation and filled with plain SQL.

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "reports/tablaempresas.h"

namespace prueba {

struct Contribuyente {
  qint32 rut = 0;
  QString paterno;
  QString materno;
  QString nombres;
};

// A new data file with this taxpayer row.
void CrearEmpresa(const QString& ruta, const Contribuyente& contribuyente);

// Adds a declaration for the period with these boxes in whole pesos
// ({"Cod502", 1000}, …).
void Declarar(const QString& ruta, int ano, int mes, const QList<QPair<QString, qint64>>& pesos = {});

// What a file looked like: its bytes and its modification time.
struct Huella {
  QByteArray contenido;
  QDateTime modificado;
  bool operator==(const Huella& o) const { return contenido == o.contenido && modificado == o.modificado; }
};
Huella HuellaDe(const QString& ruta);

// The table's rows in order, each the display texts of the fields asked.
QList<QStringList> Filas(TablaEmpresas& tabla, const QStringList& campos);

}  // namespace prueba
