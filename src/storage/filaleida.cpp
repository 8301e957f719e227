#include "storage/filaleida.h"

#include <sqlite3.h>

#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringList>
#include <memory>

#include "general/errores.h"
#include "storage/columnas.h"
#include "storage/conexion.h"

QList<DefinicionCampo> ColumnasDeTabla(Conexion& conexion, const QString& tabla, QVariantList* predeterminadosSql) {
  QSqlQuery consulta = conexion.Consulta(QStringLiteral("PRAGMA table_info(%1)").arg(CitarIdentificador(tabla)));
  QList<DefinicionCampo> columnas;
  while (consulta.next()) {
    columnas.append(CampoDeColumna(consulta.value(1).toString(), consulta.value(2).toString()));
    if (predeterminadosSql) predeterminadosSql->append(consulta.value(4));
  }
  consulta.finish();
  // SQLite answers the pragma of a missing table with no rows.
  if (columnas.isEmpty()) throw ErrorBaseDatos(QStringLiteral("no such table: %1").arg(tabla));
  return columnas;
}

// --- FilaLeida -------------------------------------------------------------------

void FilaLeida::Definir(const QList<DefinicionCampo>& campos) {
  disposicion_ = std::make_shared<DisposicionCampos>(campos);
  valores_ = QVector<QVariant>(campos.size());
}

void FilaLeida::AgregarCampos(const QList<DefinicionCampo>& campos) {
  // A copy of the row shares its layout until either adds fields.
  if (disposicion_.use_count() > 1) disposicion_ = std::make_shared<DisposicionCampos>(*disposicion_);
  for (const DefinicionCampo& campo : campos) {
    disposicion_->Agregar(campo);
    valores_.append(QVariant());
  }
}

void FilaLeida::Limpiar() { valores_.fill(QVariant()); }

QVariant FilaLeida::Valor(const QString& campo) const { return valores_.at(disposicion_->PosicionExistente(campo)); }

void FilaLeida::Asignar(const QString& campo, const QVariant& valor) {
  AsignarEn(disposicion_->PosicionExistente(campo), valor);
}

void FilaLeida::AsignarEn(int posicion, const QVariant& valor) {
  valores_[posicion] = ConvertirValorCampo(valor, disposicion_->Campos().at(posicion));
}

bool FilaLeida::TieneCampo(const QString& campo) const { return disposicion_->Tiene(campo); }

// --- Reading one row ---------------------------------------------------------------

QString SqlPrimeraDeclaracion() {
  // The index `mes` holds (ano, mes, rowid): the first entry of the key is
  // the first row in index order, found without reading the table.
  return QStringLiteral("SELECT * FROM alcabalas WHERE ano = ? AND mes = ? ORDER BY rowid LIMIT 1");
}

namespace {

// The scan reads hundreds of files: its few statements go straight to the
// connection's SQLite handle, without the per-column bookkeeping of Qt SQL
// (the connection itself is opened and closed as always, through Conexion).
sqlite3* ManejadorSqlite(Conexion& conexion) {
  const QVariant manejador = conexion.BaseDatos().driver()->handle();
  if (!manejador.isValid() || qstrcmp(manejador.typeName(), "sqlite3*") != 0)
    throw ErrorAlcabala(QStringLiteral("La conexión no es de SQLite."));
  sqlite3* base = *static_cast<sqlite3* const*>(manejador.constData());
  if (!base) throw ErrorAlcabala(QStringLiteral("La conexión con el archivo está cerrada."));
  return base;
}

struct FinalizarSentencia {
  void operator()(sqlite3_stmt* sentencia) const { sqlite3_finalize(sentencia); }
};
using Sentencia = std::unique_ptr<sqlite3_stmt, FinalizarSentencia>;

[[noreturn]] void ErrorSqlite(sqlite3* base) { throw ErrorBaseDatos(QString::fromUtf8(sqlite3_errmsg(base))); }

// Prepares a statement and binds its integer parameters.
Sentencia Preparar(sqlite3* base, const QString& sql, std::initializer_list<int> parametros = {}) {
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

// Steps once: true on a row, false when there is none; errors raise.
bool Paso(sqlite3* base, sqlite3_stmt* sentencia) {
  const int resultado = sqlite3_step(sentencia);
  if (resultado == SQLITE_ROW) return true;
  if (resultado == SQLITE_DONE) return false;
  ErrorSqlite(base);
}

// A column's value as Qt SQL would hand it over.
QVariant ValorCrudo(sqlite3_stmt* sentencia, int columna) {
  switch (sqlite3_column_type(sentencia, columna)) {
    case SQLITE_INTEGER: return static_cast<qlonglong>(sqlite3_column_int64(sentencia, columna));
    case SQLITE_FLOAT: return sqlite3_column_double(sentencia, columna);
    case SQLITE_NULL: return QVariant();
    default:
      return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna)),
                               sqlite3_column_bytes(sentencia, columna));
  }
}

}  // namespace

LectorDeclaracionYContribuyente::LectorDeclaracionYContribuyente(int ano, int mes,
                                                                 const QList<DefinicionCampo>& calculados)
    : ano_(ano), mes_(mes), calculados_(calculados) {
  declaracion_.nombre = QStringLiteral("alcabalas");
  contribuyente_.nombre = QStringLiteral("contribuyente");
}

void LectorDeclaracionYContribuyente::Leer(Conexion& conexion) {
  sqlite3* base = ManejadorSqlite(conexion);
  QString esquemaDeclaracion, esquemaContribuyente;
  {
    Sentencia esquemas = ::Preparar(base, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' "
                                                         "AND name IN ('alcabalas', 'contribuyente')"));
    while (Paso(base, esquemas.get()))
      (ValorCrudo(esquemas.get(), 0).toString() == declaracion_.nombre ? esquemaDeclaracion : esquemaContribuyente) =
          ValorCrudo(esquemas.get(), 1).toString();
  }
  Preparar(conexion, declaracion_, esquemaDeclaracion);
  Preparar(conexion, contribuyente_, esquemaContribuyente);
  LeerFila(conexion, declaracion_, {ano_, mes_});
  LeerFila(conexion, contribuyente_, {});
}

void LectorDeclaracionYContribuyente::Preparar(Conexion& conexion, Tabla& tabla, const QString& esquema) {
  if (esquema.isEmpty()) throw ErrorBaseDatos(QStringLiteral("no such table: %1").arg(tabla.nombre));
  if (esquema == tabla.esquema) return;
  tabla.esquema.clear();  // until the new layout is complete
  tabla.columnas = ColumnasDeTabla(conexion, tabla.nombre);
  tabla.fila.Definir(tabla.columnas);
  if (&tabla == &declaracion_) {
    tabla.fila.AgregarCampos(calculados_);
    tabla.sql = SqlPrimeraDeclaracion();
  } else {
    tabla.sql = QStringLiteral("SELECT * FROM contribuyente ORDER BY rowid LIMIT 1");
  }
  tabla.esquema = esquema;
}

void LectorDeclaracionYContribuyente::LeerFila(Conexion& conexion, Tabla& tabla, std::initializer_list<int> parametros) {
  tabla.fila.Limpiar();
  tabla.hay = false;
  sqlite3* base = ManejadorSqlite(conexion);
  Sentencia sentencia = ::Preparar(base, tabla.sql, parametros);
  if (!Paso(base, sentencia.get())) return;
  // SELECT * gives the table's columns in table order, as listed.
  if (sqlite3_column_count(sentencia.get()) != tabla.columnas.size())
    throw ErrorAlcabala(QStringLiteral("La tabla %1 cambió mientras se leía.").arg(tabla.nombre));
  for (int i = 0; i < tabla.columnas.size(); ++i)
    tabla.fila.PonerLeido(i, LeerValorColumna(ValorCrudo(sentencia.get(), i), tabla.columnas.at(i)));
  tabla.hay = true;
}
