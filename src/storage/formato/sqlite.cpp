#include "storage/formato/sqlite.h"

#include <sqlite3.h>

#include <QDir>
#include <sys/stat.h>
#include <unistd.h>

#include "general/nombresarchivo.h"
#include "storage/formato/columnas.h"

namespace {

// The file's own read-only mark: no write permission for anybody, or none
// for the current user. (The superuser may write anywhere, but a file the
// user marked read-only is still treated as such.)
bool EsSoloLectura(const QByteArray& ruta, const struct stat& info) {
  return ::access(ruta.constData(), W_OK) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Whether SQLite may roll back a hot journal of the file: that needs write
// access to the file and to its folder (where the journal lives).
bool PuedeRecuperarDiario(const QByteArray& ruta, const struct stat& info) {
  return !EsSoloLectura(ruta, info) && ::access(CarpetaDeBytes(ruta).constData(), W_OK) == 0;
}

QString Nativa(const QString& ruta) { return RutaVisible(QDir::toNativeSeparators(ruta)); }

QString TextoColumna(sqlite3_stmt* sentencia, int columna) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna)),
                           sqlite3_column_bytes(sentencia, columna));
}

}  // namespace

QString MensajeErrorSqlite(int codigo, const QString& detalle, const QString& ruta) {
  const QString archivo = Nativa(ruta);
  switch (codigo & 0xff) {
    case SQLITE_READONLY:
      return QStringLiteral("No se puede modificar el archivo «%1»: es de solo lectura o está en una carpeta de "
                            "solo lectura. Cambie sus permisos o cópielo a otra carpeta e intente de nuevo.")
          .arg(archivo);
    case SQLITE_CANTOPEN:
      return QStringLiteral("No se puede abrir el archivo «%1»: compruebe que existe y que tiene permiso para usar "
                            "su carpeta.")
          .arg(archivo);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return QStringLiteral("El archivo «%1» está abierto en otro programa; ciérrelo e intente de nuevo.")
          .arg(archivo);
    case SQLITE_FULL:
      return QStringLiteral("No queda espacio en el disco para el archivo «%1»; libere espacio e intente de nuevo.")
          .arg(archivo);
    case SQLITE_CORRUPT:
      return QStringLiteral("El archivo «%1» está dañado; recupérelo de una copia de respaldo.").arg(archivo);
    case SQLITE_NOTADB:
      return QStringLiteral("«%1» no es un archivo de Alcabala o está dañado.").arg(archivo);
    default: return detalle;
  }
}

void LanzarErrorSqlite(int codigo, const QString& detalle, const QString& ruta) {
  throw ErrorBaseDatos(MensajeErrorSqlite(codigo, detalle, ruta));
}

QString CitarIdentificador(const QString& nombre) {
  QString texto = nombre;
  texto.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + texto + QLatin1Char('"');
}

// --- Opening ---------------------------------------------------------------------

bool ComprobarArchivoAntesDeAbrir(const QString& ruta, bool soloLectura) {
  // SQLite would make a new, empty database for a missing path. The name's
  // bytes are looked at as they are (general/nombresarchivo.h).
  const QByteArray bytes = BytesDeRuta(ruta);
  struct stat info {};
  if (bytes.isEmpty() || ::stat(bytes.constData(), &info) != 0)
    throw ErrorAlcabala(QStringLiteral("No se encuentra el archivo \"%1\".").arg(Nativa(ruta)));
  if (!S_ISREG(info.st_mode)) throw ErrorAlcabala(QStringLiteral("\"%1\" no es un archivo.").arg(Nativa(ruta)));
  if (!soloLectura && EsSoloLectura(bytes, info))
    throw ErrorAlcabala(QStringLiteral("El archivo \"%1\" es de solo lectura.").arg(Nativa(ruta)));
  return soloLectura && !PuedeRecuperarDiario(bytes, info);
}

// Whether the file of `base` has a WAL log beside it; asked before the first
// statement, when the connection has made none of its own.
static bool LogWalPresente(sqlite3* base) {
  const char* archivo = sqlite3_db_filename(base, "main");
  if (archivo == nullptr || *archivo == '\0') return false;
  struct stat info {};
  return ::stat((QByteArray(archivo) + "-wal").constData(), &info) == 0;
}

void PrepararArchivoAbierto(sqlite3* base, bool soloLectura) {
  if (soloLectura) {
    // The last connection to a file in WAL mode would copy the log into the
    // file and delete the log and its index on closing: a reader leaves a log
    // it finds as it found it. A log that is not there yet is one this reader
    // makes (empty, nothing to copy): closing removes it with its index, so
    // the folder is left as found too.
    if (LogWalPresente(base) && sqlite3_db_config(base, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr) != SQLITE_OK)
      ErrorSqlite(base);
    EjecutarSentencia(base, QStringLiteral("PRAGMA query_only = ON"));
  }
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
  const int resultado = sqlite3_open_v2(BytesDeRuta(ruta).constData(), &base_, banderas, nullptr);
  try {
    if (resultado != SQLITE_OK) {
      LanzarErrorSqlite(resultado, QString::fromUtf8(sqlite3_errstr(resultado)), ruta);
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

QByteArray SerializarBase(sqlite3* base) {
  sqlite3_int64 tamano = 0;
  unsigned char* datos = sqlite3_serialize(base, "main", &tamano, 0);
  if (!datos) ErrorSqlite(base);
  QByteArray bytes(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tamano));
  sqlite3_free(datos);
  return bytes;
}

// --- Statements ------------------------------------------------------------------

void FinalizarSentencia::operator()(sqlite3_stmt* sentencia) const { sqlite3_finalize(sentencia); }

void ErrorSqlite(sqlite3* base) {
  const char* archivo = sqlite3_db_filename(base, "main");
  LanzarErrorSqlite(sqlite3_extended_errcode(base), QString::fromUtf8(sqlite3_errmsg(base)),
                    archivo ? RutaDeBytes(archivo) : QString());
}

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
