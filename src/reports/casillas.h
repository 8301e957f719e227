#pragma once
// The boxes to type into the tax authority's online form: for one
// declaration, every box that holds a value, in the order of the online form
// (by its line number), with its line, code, text and the value as the online
// form takes it (whole pesos without separators, counts as counts, rates with
// a decimal comma). The window previews and prints it through a template of
// the report layer; alcabala-cli writes it as text, JSON or PDF.

#include <QByteArray>
#include <QList>
#include <QString>

#include "general/registro.h"
#include "general/registroplano.h"
#include "reports/plantilla.h"
#include "reports/renderizador.h"

struct CasillaSii {
  int linea = 0;   // line number of the online form; 0 for an unnumbered line
  QString codigo;  // "538"
  QString glosa;   // the text of its line (with the box's own label, when it has one)
  QString valor;   // "1234567", "-3500", "12", "0,25"
};

// The boxes of the declaration (a record with its calculated boxes) that hold
// a value. A calculated box the engine could not compute raises ErrorAlcabala
// (it must not be typed as zero).
QList<CasillaSii> CasillasParaSii(const Registro& declaracion, int ano, int mes);

// One "código<TAB>valor<TAB>línea<TAB>glosa" line per box.
QString TextoCasillas(const QList<CasillaSii>& casillas);
// {"ano":…, "mes":…, "casillas":[{"codigo":…, "valor":…, "linea":…, "glosa":…}, …]}
QByteArray JsonCasillas(const QList<CasillaSii>& casillas, int ano, int mes);

// "CASILLAS PARA EL SII - MARZO 2024": the preview's, the job's and the PDF's title.
QString TituloCasillas(int ano, int mes);

// The template of the list: letter paper, the taxpayer's name and the title
// on every page, one band per box.
const Plantilla& PlantillaCasillas();
// The rows the template prints, one per box (fields linea, codigo, glosa, valor).
QList<RegistroPlano> FilasCasillas(const QList<CasillaSii>& casillas);
// What the template reads. The records are the caller's and must outlive the run.
DatosInforme DatosCasillas(const QList<RegistroPlano>& filas, const Registro& contribuyente, const QString& titulo);
