#include "storage/formato/sqlite.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "storage/formato/columnas.h"

namespace {

// The file's own read-only mark: no write permission for anybody, or none
// for the current user. (The superuser may write anywhere, but a file the
// user marked read-only is still treated as such.)
bool EsSoloLectura(const QFileInfo& info) {
  const auto escritura = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  return !info.isWritable() || (info.permissions() & escritura) == 0;
}

// Whether SQLite may roll back a hot journal of the file: that needs write
// access to the file and to its folder (where the journal lives).
bool PuedeRecuperarDiario(const QFileInfo& info) {
  return !EsSoloLectura(info) && QFileInfo(info.absolutePath()).isWritable();
}

QString TextoColumna(sqlite3_stmt* sentencia, int columna) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna)),
                           sqlite3_column_bytes(sentencia, columna));
}

}  // namespace

QString CitarIdentificador(const QString& nombre) {
  QString texto = nombre;
  texto.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + texto + QLatin1Char('"');
}

// --- Opening ---------------------------------------------------------------------

bool ComprobarArchivoAntesDeAbrir(const QString& ruta, bool soloLectura) {
  // SQLite would make a new, empty database for a missing path.
  const QFileInfo info(ruta);
  if (!info.exists())
    throw ErrorAlcabala(QStringLiteral("No se encuentra el archivo \"%1\".").arg(QDir::toNativeSeparators(ruta)));
  if (!info.isFile())
    throw ErrorAlcabala(QStringLiteral("\"%1\" no es un archivo.").arg(QDir::toNativeSeparators(ruta)));
  if (!soloLectura && EsSoloLectura(info))
    throw ErrorAlcabala(
        QStringLiteral("El archivo \"%1\" es de solo lectura.").arg(QDir::toNativeSeparators(ruta)));
  return soloLectura && !PuedeRecuperarDiario(info);
}

void PrepararArchivoAbierto(sqlite3* base, bool soloLectura) {
  if (soloLectura) EjecutarSentencia(base, QStringLiteral("PRAGMA query_only = ON"));
  EjecutarSentencia(base, QStringLiteral("SELECT count(*) FROM sqlite_master"));
  if (soloLectura) return;
  // Files in WAL mode do not work on network shares.
  Sentencia modo = PrepararSentencia(base, QStringLiteral("PRAGMA journal_mode"));
  const bool wal = PasoSentencia(base, modo.get()) &&
                   TextoColumna(modo.get(), 0).compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
  modo.reset();
  if (wal) EjecutarSentencia(base, QStringLiteral("PRAGMA journal_mode = DELETE"));
}

void ComprobarTablasAlcabala(sqlite3* base) {
  for (const QString& tabla : {QStringLiteral("alcabalas"), QStringLiteral("contribuyente")}) {
    Sentencia existe = PrepararSentencia(
        base, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '%1'").arg(tabla));
    if (!PasoSentencia(base, existe.get()) || sqlite3_column_int64(existe.get(), 0) == 0)
      throw ErrorBaseDatos(QStringLiteral("no such table: %1").arg(tabla));
  }
}

ArchivoSoloLecturaSqlite::ArchivoSoloLecturaSqlite(const QString& ruta, int tiempoEsperaMs) {
  const bool motorSoloLectura = ComprobarArchivoAntesDeAbrir(ruta, true);
  // The handle serves one thread: no locking around every call.
  const int banderas = (motorSoloLectura ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  const int resultado = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &base_, banderas, nullptr);
  try {
    if (resultado != SQLITE_OK) {
      if (!base_) throw ErrorBaseDatos(QString::fromUtf8(sqlite3_errstr(resultado)));
      ErrorSqlite(base_);
    }
    sqlite3_busy_timeout(base_, tiempoEsperaMs);
    PrepararArchivoAbierto(base_, true);
    ComprobarTablasAlcabala(base_);
  } catch (...) {
    sqlite3_close(base_);
    throw;
  }
}

ArchivoSoloLecturaSqlite::~ArchivoSoloLecturaSqlite() { sqlite3_close(base_); }

// --- Statements ------------------------------------------------------------------

void FinalizarSentencia::operator()(sqlite3_stmt* sentencia) const { sqlite3_finalize(sentencia); }

void ErrorSqlite(sqlite3* base) { throw ErrorBaseDatos(QString::fromUtf8(sqlite3_errmsg(base))); }

Sentencia PrepararSentencia(sqlite3* base, const QString& sql, std::initializer_list<int> parametros) {
  sqlite3_stmt* crudo = nullptr;
  const QByteArray texto = sql.toUtf8();
  if (sqlite3_prepare_v2(base, texto.constData(), static_cast<int>(texto.size()), &crudo, nullptr) != SQLITE_OK)
    ErrorSqlite(base);
  Sentencia sentencia(crudo);
  int indice = 1;
  for (int parametro : parametros)
    if (sqlite3_bind_int(crudo, indice++, parametro) != SQLITE_OK) ErrorSqlite(base);
  return sentencia;
}

bool PasoSentencia(sqlite3* base, sqlite3_stmt* sentencia) {
  const int resultado = sqlite3_step(sentencia);
  if (resultado == SQLITE_ROW) return true;
  if (resultado == SQLITE_DONE) return false;
  ErrorSqlite(base);
}

QVariant ValorCrudo(sqlite3_stmt* sentencia, int columna) {
  switch (sqlite3_column_type(sentencia, columna)) {
    case SQLITE_INTEGER: return static_cast<qlonglong>(sqlite3_column_int64(sentencia, columna));
    case SQLITE_FLOAT: return sqlite3_column_double(sentencia, columna);
    case SQLITE_NULL: return QVariant();
    case SQLITE_BLOB:
      return QByteArray(static_cast<const char*>(sqlite3_column_blob(sentencia, columna)),
                        sqlite3_column_bytes(sentencia, columna));
    default: return TextoColumna(sentencia, columna);
  }
}

void EjecutarSentencia(sqlite3* base, const QString& sql) {
  Sentencia sentencia = PrepararSentencia(base, sql);
  while (PasoSentencia(base, sentencia.get())) {
  }
}

QList<DefinicionCampo> ColumnasDeTabla(sqlite3* base, const QString& tabla, QVariantList* predeterminadosSql) {
  Sentencia consulta =
      PrepararSentencia(base, QStringLiteral("PRAGMA table_info(%1)").arg(CitarIdentificador(tabla)));
  QList<DefinicionCampo> columnas;
  while (PasoSentencia(base, consulta.get())) {
    columnas.append(CampoDeColumna(TextoColumna(consulta.get(), 1), TextoColumna(consulta.get(), 2)));
    if (predeterminadosSql) predeterminadosSql->append(ValorCrudo(consulta.get(), 4));
  }
  // SQLite answers the pragma of a missing table with no rows.
  if (columnas.isEmpty()) throw ErrorBaseDatos(QStringLiteral("no such table: %1").arg(tabla));
  return columnas;
}
