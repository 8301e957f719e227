#pragma once
// The nine templates of the program's printouts: the front and back of the
// declaration, the four company lists and the three annual summaries.

#include <QList>
#include <QString>

#include "reports/plantilla.h"

// Names of the data views the templates read.
inline const QString VistaAlcabala = QStringLiteral("DataViewAlcabala");            // the declaration shown
inline const QString VistaContribuyente = QStringLiteral("DataViewContribuyente");  // the taxpayer row
inline const QString VistaAlcabalas = QStringLiteral("DataViewAlcabalas");          // rows of a list or summary
inline const QString ParametroTitulo = QStringLiteral("titulo");

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

// All nine, built once.
const QList<Plantilla>& Plantillas();
// The template of that name; throws ErrorAlcabala for an unknown name.
const Plantilla& BuscarPlantilla(const QString& nombre);
