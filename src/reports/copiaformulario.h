#pragma once
// The complete copy of a declaration: both sides of the form drawn in full
// (sections, lines, codes, boxes, signs, vertical captions) with the
// declaration's values, one side per legal page, and a foot on each page. It
// is a template built from the box catalogue's page layout, the one that
// builds the window's pages, and drawn by the report renderer.

#include <QDate>
#include <QLocale>
#include <QString>

#include "general/registro.h"
#include "reports/plantilla.h"
#include "reports/renderizador.h"

class QPagedPaintDevice;

// Parameters of the heading and the foot.
inline const QString ParametroEncabezado = QStringLiteral("encabezado");
inline const QString ParametroEmpresa = QStringLiteral("empresa");
inline const QString ParametroPeriodo = QStringLiteral("periodo");
inline const QString ParametroFecha = QStringLiteral("fecha");

// Where the layout of the screen form lands on paper: a layout point (x, y)
// in pixels prints at origen + (x, y) × pulgadasPorPixel inches. The same
// scale serves both sides, so their cells match in size.
struct EscalaCopia {
  QPointF origen[2];  // the front's, the back's
  double pulgadasPorPixel = 0;
};
EscalaCopia CalcularEscalaCopia();

// The copy's template: page 1 the front, page 2 the back, the heading and
// the foot on both.
const Plantilla& PlantillaCopia();

// What the heading and the foot say besides the company and the page number.
struct PieCopia {
  QString archivo;  // the data file's path (its name stands for a company without a name)
  int ano = 0;
  int mes = 0;
  QDate fecha;      // the day the copy was made
};

// The declaration, the taxpayer row and the texts of the heading
// ("Formulario 29 — <company> — RUT <rut> — <Mes> <año>", without the RUT
// part when the row has none) and of the foot (the company, the period, the
// day). The records are the caller's and must outlive the run.
DatosInforme DatosCopia(const Registro& declaracion, const Registro& contribuyente, const PieCopia& pie);

// "Formulario 29 <nombre> <mes>/<año>": the PDF's title.
QString TituloCopia(const QString& archivo, int ano, int mes);
// "<nombre> AAAA-MM.pdf": the file name proposed for the copy.
QString NombreArchivoCopia(const QString& archivo, int ano, int mes);

// Draws the copy onto the device (never shifted by a printer's calibration).
int DibujarCopia(const Registro& declaracion, const Registro& contribuyente, const PieCopia& pie,
                 QPagedPaintDevice& dispositivo, const QLocale& locale);
