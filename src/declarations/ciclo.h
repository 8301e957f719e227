#pragma once
// The life of a declaration in the data: reading the period the user asked
// for, creating the declaration of a period with the previous month's
// balances carried forward, saving it (with the address copied back into the
// taxpayer row) and deleting it. The main window and alcabala-cli both run
// these, so a declaration is made the same way wherever it is made.

#include <QDate>
#include <QLocale>
#include <QString>
#include <functional>

#include "storage/periodos.h"

class Conexion;
class DataSet;

/// A tax period: year and month (1–12). {0, 0} stands for "no period".
using Periodo = AnoMes;

/// The month after (December → January of the next year).
Periodo PeriodoSiguiente(const Periodo& periodo);
/// The month before (January → December of the previous year).
Periodo PeriodoAnterior(const Periodo& periodo);

/// Brings the declarations data set back to a period on the way out unless the
/// work is confirmed, so a command that fails leaves the window where it was.
/// A failure to return is never thrown (RestaurarSinLanzar): the command's
/// own error, when there is one, is the one the user sees.
class VolverAlPeriodo {
 public:
  VolverAlPeriodo(DataSet& alcabala, const Periodo& periodo);
  /// Remembers the period of the row shown now (none for an empty data set).
  explicit VolverAlPeriodo(DataSet& alcabala);
  ~VolverAlPeriodo();
  VolverAlPeriodo(const VolverAlPeriodo&) = delete;
  VolverAlPeriodo& operator=(const VolverAlPeriodo&) = delete;
  void Confirmar() { confirmado_ = true; }

 private:
  DataSet& alcabala_;
  Periodo periodo_;
  bool confirmado_ = false;
};

/// A year typed as text. Blanks around the number are ignored; anything else
/// that is not a whole number raises ErrorAlcabala with
/// "'<texto>' is not a valid integer value" (the text as typed).
int LeerAno(const QString& texto);

/// Raises ErrorAlcabala with a Spanish message unless the year has four
/// digits (1000–9999) and the month is 1–12: the period columns are 16-bit.
void ValidarPeriodo(const Periodo& periodo);

/// "No existe UTM para <Mes> del <año>."
QString MensajeSinUTM(const Periodo& periodo);

/// The period the "Crear Formulario" dialog proposes: the month after the
/// latest declaration of the open file, or hoy's month when it has none.
Periodo PeriodoPropuesto(Conexion& conexion, const QDate& hoy);

/// UTM value in pesos of (year, month); 0 when it is not available.
using FuncionUTM = std::function<double(int ano, int mes)>;

enum class ResultadoCreacion {
  Creada,     ///< the row was added and is the current row
  Existente,  ///< the period was already there: it is now the current row
  SinUTM,     ///< a UTM value is missing: nothing was added, nothing moved
};

struct CreacionDeclaracion {
  ResultadoCreacion resultado = ResultadoCreacion::Creada;
  QString mensaje;  ///< MensajeSinUTM of the first missing month, for SinUTM
};

/// Creates the declaration of (ano, mes) in the declarations data set (open, in
/// browse state, ordered by year and month, with the declaration's calculated
/// fields). An existing period only becomes the current row. Otherwise both
/// UTM values (the period's and the next month's) are looked up before either
/// is tested; then the rates and the ten readjusted balances of the previous
/// period (zeros without one) seed the new row, which is posted at once with
/// automatic recalculation off. The recalculation setting is restored in every
/// case; if anything fails no row is added, the current row is the one shown
/// before and the error propagates.
CreacionDeclaracion CrearDeclaracion(DataSet& alcabala, int ano, int mes, const FuncionUTM& utm);

/// CrearDeclaracion on a data file, as alcabala-cli crear and the month-end
/// run for all clients do it: the file is opened for use (an older one is
/// upgraded), only the period and the one before it are read, and the file
/// is closed again.
CreacionDeclaracion CrearDeclaracionEnArchivo(const QString& ruta, const Periodo& periodo, const FuncionUTM& utm,
                                              const QLocale& locale);

/// Posts the declaration being edited. When its box 583 is ticked, the fifteen
/// address boxes are then written into the taxpayer row and posted. A failed
/// post of the declaration keeps it in edit with the user's values; a failed
/// post of the taxpayer row cancels that row's edit (the declaration is
/// already saved and still holds the values) and the error propagates.
void GuardarDeclaracion(DataSet& alcabala, DataSet& contribuyente);

/// Deletes the declaration of `periodo`: closes the data set, deletes the
/// period's rows in one transaction, reopens the data set (also when the
/// delete fails) and moves to its last row. Returns that row's period, the
/// latest remaining one, or {0, 0} when the table is left empty.
Periodo EliminarDeclaracionActual(DataSet& alcabala, const Periodo& periodo);
