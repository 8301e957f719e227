#pragma once
// The month-end work for every client file at once: creating one month's
// declaration in each file that lacks it, and writing the complete copy of
// one month of each file into a folder. A run goes on past any file that
// fails (that file is left as it was) and ends with a summary of what was
// done, skipped and failed, each with the file's reason.

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "declarations/ciclo.h"
#include "reports/escaneo.h"

// A file of a run with the reason it was skipped or failed.
struct ArchivoConMotivo {
  QString archivo;  // the file's name
  QString motivo;
};

struct ResumenFinDeMes {
  int total = 0;  // files of the run
  QStringList hechos;
  QList<ArchivoConMotivo> omitidos;
  QList<ArchivoConMotivo> fallidos;
  bool cancelado = false;

  // The summary as the user reads it: the counts, then one line per skipped
  // and per failed file.
  QString Texto() const;
};

// Wraps a UTM look-up so that a run asks the server once per month: the
// value, or the error, of the first look-up is given again.
FuncionUTM UTMUnaVezPorEjecucion(const FuncionUTM& utm);

// Creates `periodo` in every file that lacks it, as "&Crear" does
// (CrearDeclaracionEnArchivo); a file that has it is skipped without being
// opened for writing. `utm` is asked once per month for the whole run.
ResumenFinDeMes CrearMesParaTodos(const QStringList& archivos, const AnoMes& periodo, const FuncionUTM& utm,
                                  const QLocale& locale, const AvisoProgreso& aviso = {});

// Writes the complete copy of `periodo` of every file that has it into the
// folder `destino` as "<nombre> AAAA-MM.pdf" (the name "Copia" proposes); a
// file without it is skipped. Two files of the same name (A.alc and A.oalc)
// would share the copy's name: the second fails rather than replace the
// first's copy.
ResumenFinDeMes CopiasParaTodos(const QStringList& archivos, const AnoMes& periodo, const QString& destino,
                                const QLocale& locale, const QDate& hoy, const AvisoProgreso& aviso = {});

// "<Mes> del <año>".
QString NombrePeriodo(const AnoMes& periodo);
