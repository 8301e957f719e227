#include "storage/conexion.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>

namespace {

QString NuevoNombreConexion() {
  static QAtomicInt contador;
  return QStringLiteral("alcabala-%1").arg(contador.fetchAndAddRelaxed(1) + 1);
}

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

}  // namespace

void LanzarErrorSql(const QSqlError& error) {
  QString mensaje = error.databaseText();
  if (mensaje.isEmpty()) mensaje = error.driverText();
  if (mensaje.isEmpty()) mensaje = error.text();
  throw ErrorBaseDatos(mensaje);
}

QString CitarIdentificador(const QString& nombre) {
  QString texto = nombre;
  texto.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + texto + QLatin1Char('"');
}

Conexion::Conexion(QObject* parent) : QObject(parent), nombreConexion_(NuevoNombreConexion()) {}

Conexion::~Conexion() {
  Cerrar();
}

void Conexion::Abrir(const QString& ruta) { AbrirEnModo(ruta, false); }

void Conexion::AbrirSoloLectura(const QString& ruta) { AbrirEnModo(ruta, true); }

void Conexion::Abrir() {
  if (abierta_) return;
  if (ruta_.isEmpty()) throw ErrorAlcabala(QStringLiteral("No se ha indicado el archivo de la conexión."));
  AbrirEnModo(ruta_, soloLectura_);
}

void Conexion::AbrirEnModo(const QString& ruta, bool soloLectura) {
  Cerrar();
  ruta_ = ruta;
  soloLectura_ = soloLectura;

  // SQLite would make a new, empty database for a missing path.
  const QFileInfo info(ruta);
  if (!info.exists())
    throw ErrorAlcabala(QStringLiteral("No se encuentra el archivo \"%1\".").arg(QDir::toNativeSeparators(ruta)));
  if (!info.isFile())
    throw ErrorAlcabala(QStringLiteral("\"%1\" no es un archivo.").arg(QDir::toNativeSeparators(ruta)));
  if (!soloLectura && EsSoloLectura(info))
    throw ErrorAlcabala(
        QStringLiteral("El archivo \"%1\" es de solo lectura.").arg(QDir::toNativeSeparators(ruta)));

  // A reader opens a file it may write with the engine's write access all the
  // same, so SQLite can roll back the journal a killed writer left behind;
  // query_only then refuses every change the program itself might attempt.
  // Only a file nobody may write is opened with the engine's read-only flag.
  const bool motorSoloLectura = soloLectura && !PuedeRecuperarDiario(info);
  {
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombreConexion_);
    base.setDatabaseName(ruta);
    QString opciones = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(tiempoEspera_);
    if (motorSoloLectura) opciones += QStringLiteral(";QSQLITE_OPEN_READONLY");
    base.setConnectOptions(opciones);
    if (!base.open()) {
      const QSqlError error = base.lastError();
      base = QSqlDatabase();
      QSqlDatabase::removeDatabase(nombreConexion_);
      LanzarErrorSql(error);
    }
  }
  abierta_ = true;
  try {
    if (soloLectura) Ejecutar(QStringLiteral("PRAGMA query_only = ON"));
    // QSQLITE opens lazily: reading the catalogue makes a file that is no
    // database (or is locked exclusively) fail here, at the open; a hot
    // journal is rolled back here too.
    ValorEscalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    // Files in WAL mode do not work on network shares: a writer puts them
    // back on the rollback journal. A reader leaves the file as it is.
    if (!soloLectura && ValorEscalar(QStringLiteral("PRAGMA journal_mode")).toString().compare(
                            QLatin1String("wal"), Qt::CaseInsensitive) == 0)
      Ejecutar(QStringLiteral("PRAGMA journal_mode = DELETE"));
  } catch (...) {
    Cerrar();
    throw;
  }
}

void Conexion::Cerrar() {
  if (!abierta_) return;
  emit Cerrando();
  abierta_ = false;
  profundidadTransaccion_ = 0;
  {
    QSqlDatabase base = QSqlDatabase::database(nombreConexion_, false);
    if (base.isValid()) base.close();
  }
  QSqlDatabase::removeDatabase(nombreConexion_);
}

bool Conexion::Abierta() const { return abierta_; }

bool Conexion::SoloLectura() const { return soloLectura_; }

QString Conexion::Ruta() const { return ruta_; }

void Conexion::PonerTiempoEspera(int milisegundos) { tiempoEspera_ = milisegundos; }

QSqlDatabase Conexion::BaseDatos() const {
  ComprobarAbierta();
  return QSqlDatabase::database(nombreConexion_, false);
}

void Conexion::ComprobarAbierta() const {
  if (!abierta_) throw ErrorAlcabala(QStringLiteral("La conexión con el archivo está cerrada."));
}

QSqlQuery Conexion::Consulta(const QString& sql, const QVariantList& parametros) {
  QSqlQuery consulta(BaseDatos());
  consulta.setForwardOnly(true);
  if (!consulta.prepare(sql)) LanzarErrorSql(consulta.lastError());
  for (const QVariant& parametro : parametros) consulta.addBindValue(parametro);
  if (!consulta.exec()) LanzarErrorSql(consulta.lastError());
  return consulta;
}

void Conexion::Ejecutar(const QString& sql, const QVariantList& parametros) {
  QSqlQuery consulta = Consulta(sql, parametros);
  consulta.finish();
}

QVariant Conexion::ValorEscalar(const QString& sql, const QVariantList& parametros) {
  QSqlQuery consulta = Consulta(sql, parametros);
  QVariant valor;
  if (consulta.next()) valor = consulta.value(0);
  else if (consulta.lastError().isValid()) LanzarErrorSql(consulta.lastError());
  consulta.finish();
  return valor;
}

bool Conexion::ExisteTabla(const QString& tabla) {
  return ValorEscalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"),
                      {tabla})
             .toLongLong() > 0;
}

Transaccion::Transaccion(Conexion& conexion) : conexion_(conexion) {
  conexion_.ComprobarAbierta();
  exterior_ = conexion_.profundidadTransaccion_ == 0;
  if (exterior_) conexion_.Ejecutar(QStringLiteral("BEGIN IMMEDIATE"));
  ++conexion_.profundidadTransaccion_;
}

Transaccion::~Transaccion() {
  if (terminada_) return;
  if (conexion_.profundidadTransaccion_ > 0) --conexion_.profundidadTransaccion_;
  if (!exterior_ || !conexion_.Abierta()) return;
  QSqlQuery deshacer(conexion_.BaseDatos());
  deshacer.exec(QStringLiteral("ROLLBACK"));  // nothing to report on the way out of a failure
}

void Transaccion::Confirmar() {
  if (terminada_) return;
  if (exterior_) conexion_.Ejecutar(QStringLiteral("COMMIT"));
  terminada_ = true;
  if (conexion_.profundidadTransaccion_ > 0) --conexion_.profundidadTransaccion_;
}
