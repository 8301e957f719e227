#pragma once
// The six company lists: which companies each one lists, the template it
// prints with, its title and its name on the command line. The one table of
// them lives in informesempresas.cpp.

#include <QList>
#include <QString>

#include "general/moneda.h"

// Which companies a list takes (the value is the one the scan is given).
enum class ClaseInforme {
  Todas = 1,     // every company, with or without a declaration for the period
  SinPago = 2,   // box 91 equal to 0, and companies without a declaration
  APagar = 3,    // box 91 greater than 0
};

enum class InformeEmpresas { Empresas, SinPagoImpuestos, PagarImpuestos, IVA, Retenciones, PPM };

struct DefinicionInformeEmpresas {
  InformeEmpresas informe;
  ClaseInforme clase;
  QString plantilla;  // template: "empresas", "EmpresasIVA", "EmpresasRetenciones", "EmpresasPPM"
  QString prefijo;    // of the title: "EMPRESAS DEL " …
  QString tipoCli;    // TIPO of `alcabala-cli informe`: "empresas", "sin-pago", …
  QString menu;       // object name of its menu item: "MenuItemEmpresas" …
};

// The six lists in the order of the "&Informes" menu.
const QList<DefinicionInformeEmpresas>& InformesEmpresas();
const DefinicionInformeEmpresas& DefinicionInforme(InformeEmpresas informe);
// The list of a command-line TIPO, or nullptr for an unknown one.
const DefinicionInformeEmpresas* InformePorTipoCli(const QString& tipo);

// Prefix, month and "/" and year, without leading zeros: "EMPRESAS DEL 1/2010".
QString TituloInforme(InformeEmpresas informe, int ano, int mes);

// Whether a selection lists a company: `conDeclaracion` tells whether its
// file has a declaration for the period, `cod91` is that declaration's
// calculated box 91 (ignored without one). A negative box 91 is listed only
// by ClaseInforme::Todas.
bool SeleccionAdmite(ClaseInforme clase, bool conDeclaracion, Moneda cod91);
