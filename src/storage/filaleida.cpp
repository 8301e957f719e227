#include "storage/filaleida.h"

#include <sqlite3.h>

#include <QStringList>

#include "general/errores.h"
#include "storage/formato/columnas.h"
#include "storage/conexion.h"
#include "storage/formato/sqlite.h"

QList<DefinicionCampo> ColumnasDeTabla(Conexion& conexion, const QString& tabla, QVariantList* predeterminadosSql) {
  return ColumnasDeTabla(conexion.Manejador(), tabla, predeterminadosSql);
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

LectorDeclaracionYContribuyente::LectorDeclaracionYContribuyente(int ano, int mes,
                                                                 const QList<DefinicionCampo>& calculados)
    : ano_(ano), mes_(mes), calculados_(calculados) {
  declaracion_.nombre = QStringLiteral("alcabalas");
  contribuyente_.nombre = QStringLiteral("contribuyente");
}

void LectorDeclaracionYContribuyente::Leer(Conexion& conexion) {
  sqlite3* base = conexion.Manejador();
  QString esquemaDeclaracion, esquemaContribuyente;
  {
    Sentencia esquemas = PrepararSentencia(base, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' "
                                                         "AND name IN ('alcabalas', 'contribuyente')"));
    while (PasoSentencia(base, esquemas.get()))
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
  sqlite3* base = conexion.Manejador();
  Sentencia sentencia = PrepararSentencia(base, tabla.sql, parametros);
  if (!PasoSentencia(base, sentencia.get())) return;
  // SELECT * gives the table's columns in table order, as listed.
  if (sqlite3_column_count(sentencia.get()) != tabla.columnas.size())
    throw ErrorAlcabala(QStringLiteral("La tabla %1 cambió mientras se leía.").arg(tabla.nombre));
  for (int i = 0; i < tabla.columnas.size(); ++i)
    tabla.fila.PonerLeido(i, LeerValorColumna(ValorCrudo(sentencia.get(), i), tabla.columnas.at(i)));
  tabla.hay = true;
}
