#include "storage/conexion.h"

#include <sqlite3.h>

#include <QAtomicInt>
#include <QSqlDriver>
#include <QSqlError>

#include "general/nombresarchivo.h"

namespace {

QString NuevoNombreConexion() {
  static QAtomicInt contador;
  return QStringLiteral("alcabala-%1").arg(contador.fetchAndAddRelaxed(1) + 1);
}

}  // namespace

void LanzarErrorSql(const QSqlError& error, const QString& ruta) {
  QString mensaje = error.databaseText();
  if (mensaje.isEmpty()) mensaje = error.driverText();
  if (mensaje.isEmpty()) mensaje = error.text();
  bool numero = false;
  const int codigo = error.nativeErrorCode().toInt(&numero);
  LanzarErrorSqlite(numero ? codigo : SQLITE_ERROR, mensaje, ruta);
}

Conexion::Conexion(QObject* parent) : QObject(parent), nombreConexion_(NuevoNombreConexion()) {}

Conexion::~Conexion() {
  Cerrar();
}

void Conexion::Abrir(const QString& ruta) { AbrirEnModo(ruta, false); }

void Conexion::AbrirSoloLectura(const QString& ruta) { AbrirEnModo(ruta, true); }

void Conexion::AbrirEnMemoria() { AbrirEnModo(QStringLiteral(":memory:"), false, true); }

void Conexion::Abrir() {
  if (abierta_) return;
  if (ruta_.isEmpty()) throw ErrorAlcabala(QStringLiteral("No se ha indicado el archivo de la conexión."));
  AbrirEnModo(ruta_, soloLectura_);
}

void Conexion::AbrirEnModo(const QString& ruta, bool soloLectura, bool enMemoria) {
  Cerrar();
  ruta_ = ruta;
  soloLectura_ = soloLectura;

  // A reader that may write the file opens it with the engine's write access,
  // so a hot journal can be rolled back (see storage/formato/sqlite.h).
  const bool motorSoloLectura = !enMemoria && ComprobarArchivoAntesDeAbrir(ruta, soloLectura);
  {
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombreConexion_);
    QString opciones = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(tiempoEspera_);
    if (RutaConBytesSueltos(ruta)) {
      // The driver would pass the name on as UTF-8, turning the bytes that
      // are none into other ones: a URI carries them percent-encoded.
      base.setDatabaseName(QStringLiteral("file:") +
                           QString::fromLatin1(BytesDeRuta(ruta).toPercentEncoding("/")));
      opciones += QStringLiteral(";QSQLITE_OPEN_URI");
    } else {
      base.setDatabaseName(ruta);
    }
    if (motorSoloLectura) opciones += QStringLiteral(";QSQLITE_OPEN_READONLY");
    base.setConnectOptions(opciones);
    if (!base.open()) {
      const QSqlError error = base.lastError();
      base = QSqlDatabase();
      QSqlDatabase::removeDatabase(nombreConexion_);
      LanzarErrorSql(error, ruta);
    }
  }
  abierta_ = true;
  try {
    PrepararArchivoAbierto(Manejador(), soloLectura);
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

sqlite3* Conexion::Manejador() const {
  const QVariant manejador = BaseDatos().driver()->handle();
  if (!manejador.isValid() || qstrcmp(manejador.typeName(), "sqlite3*") != 0)
    throw ErrorAlcabala(QStringLiteral("La conexión no es de SQLite."));
  sqlite3* base = *static_cast<sqlite3* const*>(manejador.constData());
  if (!base) throw ErrorAlcabala(QStringLiteral("La conexión con el archivo está cerrada."));
  return base;
}

void Conexion::ComprobarAbierta() const {
  if (!abierta_) throw ErrorAlcabala(QStringLiteral("La conexión con el archivo está cerrada."));
}

QSqlQuery Conexion::Consulta(const QString& sql, const QVariantList& parametros) {
  QSqlQuery consulta(BaseDatos());
  consulta.setForwardOnly(true);
  if (!consulta.prepare(sql)) LanzarErrorSql(consulta.lastError(), ruta_);
  for (const QVariant& parametro : parametros) consulta.addBindValue(parametro);
  if (!consulta.exec()) LanzarErrorSql(consulta.lastError(), ruta_);
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
  else if (consulta.lastError().isValid()) LanzarErrorSql(consulta.lastError(), ruta_);
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
