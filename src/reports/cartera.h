#pragma once
// The accountant's board: for every client file of the data folders the
// company lists scan (same folders, same files, each once), the amount to pay
// (box 91) of each month of one year. Each file is opened read-only on a bare
// handle, one at a time; only the taxpayer's identity and the columns box 91
// and the credit mark need are read, through the index `mes`. Nothing is ever
// written to a file.

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "general/moneda.h"
#include "reports/escaneo.h"
#include "storage/periodos.h"

// One month of one client.
struct CeldaCartera {
  bool conDeclaracion = false;
  // Box 91 of the month's declaration; nothing when the engine could not
  // compute it (then `error` says why).
  std::optional<Moneda> totalAPagar;
  // Box 77 or another balance carried to the next month holds credit.
  bool remanente = false;
  QString error;
};

// One client file.
struct FilaCartera {
  QString ruta;
  qint32 rut = 0;
  QString nombre;  // as the company lists name the company
  bool facturaElectronica = true;
  std::array<CeldaCartera, 12> meses;  // January first
  QString error;                       // why the file could not be read; empty when it was

  bool Legible() const { return error.isEmpty(); }
  const CeldaCartera& Mes(int mes) const { return meses[static_cast<size_t>(mes - 1)]; }
  // The year's box 91; nothing when a month's could not be computed or the
  // sum exceeds the range of the amounts.
  std::optional<Moneda> TotalAno() const;
  // The name the board shows and orders by: the file's name when unreadable.
  QString NombreMostrado() const;
};

// Reads one file's year. Errors do not propagate: they go to `error`.
FilaCartera LeerFilaCartera(const QString& ruta, int ano, const QLocale& locale);

// Orders the rows as the company lists order their companies (by name, with
// the locale's collation; rows of equal names keep their order).
void OrdenarCartera(QList<FilaCartera>& filas, const QLocale& locale);

// Every file of the folders (ArchivosEmpresas), read and ordered. Returns
// nothing when `aviso` cancels.
std::optional<QList<FilaCartera>> LeerCartera(const QStringList& carpetas, int ano, const QLocale& locale,
                                              const AvisoProgreso& aviso = {});

// How a cell is coloured.
enum class EstadoCelda {
  Vacia,          // no declaration, and the month is not over yet
  Falta,          // no declaration, and the month is over (it is due or past due)
  ConPago,        // box 91 is positive: there is tax to pay
  SinPago,        // nothing to pay
  NoCalculada,    // box 91 could not be computed
  Ilegible,       // the file could not be read
};

// Whether the month has ended on `hoy`, so its declaration is expected.
bool MesTerminado(const AnoMes& periodo, const QDate& hoy);

EstadoCelda EstadoDeCelda(const FilaCartera& fila, const AnoMes& periodo, const QDate& hoy);

// The month the "Vence" column is about: the one before `hoy`'s.
AnoMes PeriodoPorVencer(const QDate& hoy);
