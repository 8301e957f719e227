#pragma once
// The annual summaries of one data file: the IVA, the withholdings or the PPM
// of each declaration of a year, in month order, with a totals line, under
// the taxpayer's name. The window and alcabala-cli read and print them alike.

#include <QList>
#include <QLocale>
#include <QString>

#include "general/registro.h"
#include "general/registroplano.h"
#include "reports/renderizador.h"

class Conexion;

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

// Every declaration of the year in the file open on the connection, in month
// order, each with its calculated boxes and month name. Read through the
// index by a data set of its own: no data set of the caller moves, nothing is
// written.
QList<RegistroPlano> DeclaracionesDelAno(Conexion& conexion, int ano, const QLocale& locale);

// What a summary's template reads: the year's declarations as its lines, the
// taxpayer row for the name, the title. The records are the caller's and
// must outlive the run.
DatosInforme DatosResumen(const QList<RegistroPlano>& declaraciones, const Registro& contribuyente,
                          const QString& titulo);
