#pragma once
// The company scan: every data file of the data folders read in turn, for
// one period, into the in-memory table of the company lists. Files are opened
// read-only, one at a time, and only the period's declaration and the
// taxpayer row are read (through the index, no whole-table read, no upgrade);
// nothing is ever written to them.

#include <QString>
#include <QStringList>
#include <functional>

#include "general/registro.h"
#include "reports/informesempresas.h"

class TablaEmpresas;

// Extensions of data files without the dot, in the order they are scanned.
QStringList ExtensionesAlcabala();

// The folders scanned when none are given: the documents folder's
// "Alcabalas", then the program's folder. Raises the documents folder's error
// when it is unknown.
QStringList CarpetasEmpresas(const QString& carpetaPrograma);

// The files of one folder whose extension is `extension` (letter case
// ignored), hidden, system and read-only ones included, sorted by name. A
// folder that does not exist has none.
QStringList ExplorarCarpeta(const QString& carpeta, const QString& extension);

// Every file the scan reads, in order: for each extension, the files of each
// folder. A folder named twice (also through another path or a link) is
// scanned once, and a file reached twice is read once.
QStringList ArchivosEmpresas(const QStringList& carpetas);

// Copies the columns of `alcabalas` that `origen` has, null included, into
// the same fields of `destino` (the columns an older file lacks are left).
void CopiarAlcabala(const Registro& origen, Registro& destino);

// Copies the taxpayer's columns into `destino` (the names with null as empty
// text) and sets `nombre`: "Paterno Materno, Nombres" cut to 50 characters
// for a person, the business name alone when `nombres` is empty.
void CopiarContribuyente(const Registro& origen, Registro& destino);

// Told before each file is read, with the files read so far and the total;
// returning false cancels the scan.
using AvisoProgreso = std::function<bool(int leidos, int total)>;

struct PeticionEmpresas {
  int ano = 0;
  int mes = 0;
  ClaseInforme clase = ClaseInforme::Todas;
  QStringList carpetas;  // usually CarpetasEmpresas(…)
};

// Adds to the open table one row for each company the selection lists (with
// the calculated boxes of its declaration, or only its taxpayer data and the
// period when it has none). A file that cannot be read ends the scan with
// an error that starts with the file's name ("Roto.alc: file is not a
// database"). Returns false when the user cancelled through `aviso`; the
// table is then emptied. Automatic recalculation of the table is off while
// rows are copied and restored afterwards, also on failure.
bool CopiarAlcabalas(TablaEmpresas& tabla, const PeticionEmpresas& peticion, const AvisoProgreso& aviso = {});
