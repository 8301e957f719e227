#pragma once
// The annual summaries of one data file: the IVA, the withholdings or the PPM
// of each declaration of a year, in month order, with a totals line, under
// the taxpayer's name. The window and alcabala-cli read and print them alike.

#include <QDate>
#include <QList>
#include <QString>

#include "general/registro.h"
#include "general/registroplano.h"
#include "reports/renderizador.h"

enum class ClaseResumen { IVA, Retenciones, PPM };

struct DefinicionResumen {
  ClaseResumen clase;
  QString clave;      // as alcabala-cli names it: "iva", "retenciones", "ppm"
  QString plantilla;  // the template that prints it
  QString prefijo;    // of the run's title, followed by the year
};

// The three summaries, in menu order.
const QList<DefinicionResumen>& Resumenes();
const DefinicionResumen& Resumen(ClaseResumen clase);

// "RESUMEN IVA DEL 2024": the title of the preview, the print dialog, the
// printer job and the `titulo` parameter.
QString TituloResumen(const DefinicionResumen& resumen, int ano);

// What a summary's template reads: the year's declarations as its lines (as
// LeerDeclaracionesDelAno reads them, in month order with their calculated
// boxes and month name), the
// taxpayer row for the name, the title. The records are the caller's and
// must outlive the run. The foot says the day `hecho`.
DatosInforme DatosResumen(const QList<RegistroPlano>& declaraciones, const Registro& contribuyente,
                          const QString& titulo, const QDate& hecho = QDate::currentDate());
