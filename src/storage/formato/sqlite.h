#pragma once
// The data file on SQLite's own C interface: the rules every opening of a data
// file follows, whether through the Qt SQL connection (storage/conexion.h) or
// through a bare handle (the export of alcabala-cli), and the few statement
// helpers the lean readers share.
//
// Opening never creates a missing file and really reads the file, so a file
// that is no database fails at once with SQLite's "file is not a database".
// A reader opens a file it may write with the engine's write access all the
// same, so SQLite can roll back the journal a killed writer left behind;
// query_only then refuses every change. Only a file nobody may write (or whose
// folder may not be written) is opened with the engine's read-only flag.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <initializer_list>
#include <memory>

#include "general/errores.h"
#include "general/tipocolumna.h"

struct sqlite3;
struct sqlite3_stmt;

// An error reported by the database engine, with the engine's own message.
class ErrorBaseDatos : public ErrorAlcabala {
 public:
  using ErrorAlcabala::ErrorAlcabala;
};

// The message of an error of the engine: the common result codes (read-only,
// cannot open, locked or busy, full, corrupt, not a database) as a Spanish
// message that names the file at ruta and says what to do; any other with the
// engine's own text (detalle).
QString MensajeErrorSqlite(int codigo, const QString& detalle, const QString& ruta);

// Raises ErrorBaseDatos with MensajeErrorSqlite.
[[noreturn]] void LanzarErrorSqlite(int codigo, const QString& detalle, const QString& ruta);

// Quotes an identifier for SQL text: "name" with inner quotes doubled.
QString CitarIdentificador(const QString& nombre);

// Milliseconds a statement waits for a file locked by another program.
inline constexpr int TiempoEsperaOcupadoMs = 5000;

// --- Opening -----------------------------------------------------------------

// Checks the file at ruta before it is opened (it exists, is a file, and is
// not read-only when it is opened for writing), raising the Spanish message
// otherwise. Returns whether the engine must open it with its read-only flag.
bool ComprobarArchivoAntesDeAbrir(const QString& ruta, bool soloLectura);

// What follows the engine's open on every handle: query_only for a reader;
// reading the catalogue, so a file that is no database (or is locked
// exclusively) fails here and a hot journal is rolled back here; a writer
// puts a file in WAL mode back on the rollback journal; a reader leaves it,
// its log and the log's index as they are (no checkpoint on closing).
void PrepararArchivoAbierto(sqlite3* base, bool soloLectura);

// Raises ErrorBaseDatos "no such table: alcabalas" (or contribuyente) when
// the file lacks one of the two tables of a data file.
void ComprobarTablasAlcabala(sqlite3* base);

// A data file opened for reading only on a handle of its own, by the rules
// above, both tables checked. Closed when it goes out of scope.
class ArchivoSoloLecturaSqlite {
 public:
  explicit ArchivoSoloLecturaSqlite(const QString& ruta, int tiempoEsperaMs = TiempoEsperaOcupadoMs);
  ~ArchivoSoloLecturaSqlite();
  ArchivoSoloLecturaSqlite(const ArchivoSoloLecturaSqlite&) = delete;
  ArchivoSoloLecturaSqlite& operator=(const ArchivoSoloLecturaSqlite&) = delete;

  sqlite3* Base() const { return base_; }

 private:
  sqlite3* base_ = nullptr;
};

// The bytes of the database open on the handle, exactly as its file would
// hold them (a database in memory, say, to be written whole to a file).
QByteArray SerializarBase(sqlite3* base);

// --- Statements --------------------------------------------------------------

struct FinalizarSentencia {
  void operator()(sqlite3_stmt* sentencia) const;
};
using Sentencia = std::unique_ptr<sqlite3_stmt, FinalizarSentencia>;

// Raises ErrorBaseDatos with the message of the handle's last error.
[[noreturn]] void ErrorSqlite(sqlite3* base);

// Prepares a statement and binds its integer parameters.
Sentencia PrepararSentencia(sqlite3* base, const QString& sql, std::initializer_list<int> parametros = {});

// Steps once: true on a row, false when there is none; errors raise.
bool PasoSentencia(sqlite3* base, sqlite3_stmt* sentencia);

// A column's value as Qt SQL would hand it over: qlonglong, double, QString,
// QByteArray for a blob, an invalid QVariant for NULL.
QVariant ValorCrudo(sqlite3_stmt* sentencia, int columna);

// Runs a statement whose rows are not wanted.
void EjecutarSentencia(sqlite3* base, const QString& sql);

// The columns of a table as the file declares them (PRAGMA table_info), in
// table order; their SQL defaults go to `predeterminadosSql` when given.
// Raises ErrorBaseDatos "no such table: <tabla>" when the file lacks it.
QList<DefinicionCampo> ColumnasDeTabla(sqlite3* base, const QString& tabla,
                                       QVariantList* predeterminadosSql = nullptr);
