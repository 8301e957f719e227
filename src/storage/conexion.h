#pragma once
// A connection to one SQLite file through Qt SQL (QSQLITE driver), opened by
// the rules of storage/formato/sqlite.h. The connection keeps SQLite's default rollback journal (files on network
// shares keep working) and waits up to TiempoEsperaOcupadoMs for a file that
// another program is writing before it gives up with "database is locked".
//
// Errors of SQLite travel as ErrorBaseDatos (the common ones in Spanish, naming
// the file; the others with SQLite's own text); errors the
// connection finds itself (missing file, read-only file) as ErrorAlcabala with
// a Spanish message.

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include "general/errores.h"
#include "storage/formato/sqlite.h"

class QSqlError;

// Raises ErrorBaseDatos with the message of a Qt SQL error on the file at
// ruta (see MensajeErrorSqlite).
[[noreturn]] void LanzarErrorSql(const QSqlError& error, const QString& ruta);

class Conexion : public QObject {
  Q_OBJECT

 public:
  explicit Conexion(QObject* parent = nullptr);
  ~Conexion() override;

  // Opens the file at ruta for reading and writing (closing any file open
  // before). The file must exist and must not be read-only. A file in WAL
  // mode is put back on the rollback journal.
  void Abrir(const QString& ruta);
  // Opens the file at ruta for reading only: nothing can be written through
  // this connection, and nothing is upgraded. A journal that a killed writer
  // left is rolled back all the same (when the file and its folder may be
  // written), so a crash elsewhere never makes the file unreadable.
  void AbrirSoloLectura(const QString& ruta);
  // Opens a new, empty database in memory for reading and writing, to be
  // built and then written whole to a file (SerializarBase).
  void AbrirEnMemoria();
  // Reopens the last file in its last mode; nothing happens when open.
  void Abrir();
  // Closes every data set on the connection (each emits its after-close),
  // then the file. Nothing happens when already closed.
  void Cerrar();

  bool Abierta() const;
  bool SoloLectura() const;
  // Path of the file last opened (also while closed).
  QString Ruta() const;

  // Milliseconds to wait for a locked file; takes effect at the next open.
  void PonerTiempoEspera(int milisegundos);

  // The Qt SQL connection; only valid while open.
  QSqlDatabase BaseDatos() const;
  // The connection's own SQLite handle, for the lean readers that skip the
  // per-column bookkeeping of Qt SQL; only valid while open.
  sqlite3* Manejador() const;

  // Prepares and runs a statement with positional parameters (?), raising
  // SQLite's error on failure. The query is forward-only.
  QSqlQuery Consulta(const QString& sql, const QVariantList& parametros = {});
  // As Consulta, for statements whose rows are not wanted.
  void Ejecutar(const QString& sql, const QVariantList& parametros = {});
  // The first column of the first row, or an invalid QVariant without rows.
  QVariant ValorEscalar(const QString& sql, const QVariantList& parametros = {});
  // Whether the file has a table of exactly this name.
  bool ExisteTabla(const QString& tabla);

 signals:
  // Emitted first thing when the connection closes: its data sets close.
  void Cerrando();

 private:
  friend class Transaccion;
  void AbrirEnModo(const QString& ruta, bool soloLectura, bool enMemoria = false);
  void ComprobarAbierta() const;

  QString nombreConexion_;
  QString ruta_;
  bool soloLectura_ = false;
  bool abierta_ = false;
  int tiempoEspera_ = TiempoEsperaOcupadoMs;
  int profundidadTransaccion_ = 0;
};

// A write transaction on a connection: begun at construction (BEGIN
// IMMEDIATE, so the write lock is taken at once or the busy timeout applies),
// committed by Confirmar, rolled back on the way out otherwise. Nested guards
// join the outermost one.
class Transaccion {
 public:
  explicit Transaccion(Conexion& conexion);
  ~Transaccion();
  Transaccion(const Transaccion&) = delete;
  Transaccion& operator=(const Transaccion&) = delete;

  void Confirmar();

 private:
  Conexion& conexion_;
  bool exterior_ = false;
  bool terminada_ = false;
};
