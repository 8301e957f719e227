#pragma once
// The six company lists of the "&Informes" menu: every data file of the data
// folders read for the current period (busy cursor, and the progress window
// when the scan takes long), then the list shown in the print preview titled
// with its title, from which the user prints. The company table is empty
// again when a command ends, whether it showed the list, failed or was
// cancelled; a cancelled scan shows nothing.

#include <QLocale>
#include <QStringList>
#include <functional>

#include "app/progresoescaneo.h"
#include "reports/informesempresas.h"

class QWidget;
class TablaEmpresas;

struct ContextoInformes {
  QWidget* ventana = nullptr;
  TablaEmpresas* tabla = nullptr;
  QStringList carpetas;  // the folders scanned, usually CarpetasEmpresas(…)
  int ano = 0;
  int mes = 0;
  QLocale locale;
  int retardoProgresoMs = VentanaProgresoEscaneo::RetardoPredeterminadoMs;
};

// One list for the context's period: scan, then preview. Errors (a file that
// is not a data file, named in the message) reach the caller's command wrapper.
void EjecutarInformeEmpresas(const ContextoInformes& contexto, InformeEmpresas informe);

// Connects each list's menu item, found among the window's children by the
// name the lists' table gives it, to its command. `contexto` is asked when
// the command runs, inside the command wrapper.
void ConectarInformesEmpresas(QWidget* ventana, std::function<ContextoInformes()> contexto);
