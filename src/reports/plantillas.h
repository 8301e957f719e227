#pragma once
// The nine templates of the program's printouts: the front and back of the
// declaration, the four company lists and the three annual summaries.

#include <QDate>
#include <QList>
#include <QString>

#include "general/registro.h"
#include "reports/plantilla.h"
#include "reports/renderizador.h"

// Names of the data views the templates read.
inline const QString VistaAlcabala = QStringLiteral("DataViewAlcabala");            // the declaration shown
inline const QString VistaContribuyente = QStringLiteral("DataViewContribuyente");  // the taxpayer row
inline const QString VistaAlcabalas = QStringLiteral("DataViewAlcabalas");          // rows of a list or summary
inline const QString ParametroTitulo = QStringLiteral("titulo");
// The foot of the lists and summaries: the day the run was made.
inline const QString ParametroHecho = QStringLiteral("hecho");
// The company lists' totals line: how many companies it adds up.
inline const QString ParametroCantidad = QStringLiteral("cantidad");

// "Hecho el 9 de diciembre de 2026": the foot of a list or summary made that day.
QString TextoHecho(const QDate& fecha);
// "1 empresa", "37 empresas".
QString TextoCantidadEmpresas(int cantidad);

// Template names, as the commands know them.
inline const QString PlantillaAnverso = QStringLiteral("AnversoAlcabala");
inline const QString PlantillaReverso = QStringLiteral("ReversoAlcabala");
inline const QString PlantillaEmpresas = QStringLiteral("empresas");
inline const QString PlantillaEmpresasIVA = QStringLiteral("EmpresasIVA");
inline const QString PlantillaEmpresasRetenciones = QStringLiteral("EmpresasRetenciones");
inline const QString PlantillaEmpresasPPM = QStringLiteral("EmpresasPPM");
inline const QString PlantillaResumenIVA = QStringLiteral("ResumenIVA");
inline const QString PlantillaResumenRetenciones = QStringLiteral("ResumenRetenciones");
inline const QString PlantillaResumenPPM = QStringLiteral("ResumenPPM");

// Titles of the two sides of the form: print dialog, status window and printer job.
inline const QString TituloAnverso = QStringLiteral("Anverso Alcabala");
inline const QString TituloReverso = QStringLiteral("Reverso Alcabala");

// All nine, built once.
const QList<Plantilla>& Plantillas();
// The template of that name; throws ErrorAlcabala for an unknown name.
const Plantilla& BuscarPlantilla(const QString& nombre);

// What the front and back read: the declaration shown and the taxpayer row.
// The records are the caller's and must outlive the run.
DatosInforme DatosFormulario(const Registro& declaracion, const Registro& contribuyente);
