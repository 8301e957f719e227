#pragma once
// One run of a company list, as the window and the command line both make
// it: the scan of the data folders for a period into the company table, and
// the rows the list's template then prints.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "general/registroplano.h"
#include "reports/escaneo.h"
#include "reports/informesempresas.h"
#include "reports/plantilla.h"
#include "reports/renderizador.h"

class TablaEmpresas;

// A list ready to draw: its template, its title and the table's rows in
// `nombre` order, each with its calculated boxes.
struct ListaEmpresas {
  const Plantilla* plantilla = nullptr;
  QString titulo;
  QList<RegistroPlano> filas;
  QDate hecha;  // the day of the scan, printed in the foot

  // What the renderer reads: the rows and the parameters `titulo`, `hecho`
  // and `cantidad` (the number of companies). It points
  // into this object, which must outlive the run.
  DatosInforme Datos() const;
};

// Scans `carpetas` for the list's companies of the period and copies the
// table's rows out. The table is used for this call only: it is empty and
// closed again when the call returns, also when the scan fails or the user
// cancels it through `aviso` (then nothing is returned).
std::optional<ListaEmpresas> PrepararListaEmpresas(TablaEmpresas& tabla, InformeEmpresas informe, int ano, int mes,
                                                   const QStringList& carpetas, const AvisoProgreso& aviso = {});
