#include "storage/filaleida.h"

#include <QSqlQuery>
#include <QStringList>

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
  campos_.clear();
  valores_.clear();
  posicion_.clear();
  AgregarCampos(campos);
}

void FilaLeida::AgregarCampos(const QList<DefinicionCampo>& campos) {
  for (const DefinicionCampo& campo : campos) {
    posicion_.insert(campo.nombre, campos_.size());
    campos_.append(campo);
    valores_.append(QVariant());
  }
}

int FilaLeida::Indice(const QString& campo) const {
  const auto encontrado = posicion_.constFind(campo);
  if (encontrado == posicion_.constEnd())
    throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo));
  return *encontrado;
}

QVariant FilaLeida::Valor(const QString& campo) const { return valores_.at(Indice(campo)); }

void FilaLeida::Asignar(const QString& campo, const QVariant& valor) {
  const int indice = Indice(campo);
  valores_[indice] = ConvertirValorCampo(valor, campos_.at(indice));
}

bool FilaLeida::TieneCampo(const QString& campo) const { return posicion_.contains(campo); }

// --- Reading one row ---------------------------------------------------------------

namespace {

QString ListaColumnas(const QList<DefinicionCampo>& columnas) {
  QStringList nombres;
  nombres.reserve(columnas.size());
  for (const DefinicionCampo& columna : columnas) nombres << CitarIdentificador(columna.nombre);
  return nombres.join(QLatin1String(", "));
}

// Runs a query of at most one row over `columnas` and fills `fila` with it.
bool LeerUnaFila(Conexion& conexion, const QList<DefinicionCampo>& columnas, const QString& sql,
                 const QVariantList& parametros, FilaLeida* fila) {
  fila->Definir(columnas);
  QSqlQuery consulta = conexion.Consulta(sql, parametros);
  const bool hay = consulta.next();
  if (hay)
    for (int i = 0; i < columnas.size(); ++i)
      fila->Asignar(columnas.at(i).nombre, LeerValorColumna(consulta.value(i), columnas.at(i)));
  consulta.finish();
  return hay;
}

}  // namespace

QString SqlPrimeraDeclaracion(const QList<DefinicionCampo>& columnas) {
  // The index `mes` holds (ano, mes, rowid): the first entry of the key is
  // the first row in index order, found without reading the table.
  return QStringLiteral("SELECT %1 FROM alcabalas WHERE ano = ? AND mes = ? ORDER BY rowid LIMIT 1")
      .arg(ListaColumnas(columnas));
}

bool LeerPrimeraDeclaracion(Conexion& conexion, const QList<DefinicionCampo>& columnas, int ano, int mes,
                            FilaLeida* fila) {
  return LeerUnaFila(conexion, columnas, SqlPrimeraDeclaracion(columnas), {ano, mes}, fila);
}

bool LeerPrimerContribuyente(Conexion& conexion, const QList<DefinicionCampo>& columnas, FilaLeida* fila) {
  const QString sql = QStringLiteral("SELECT %1 FROM contribuyente ORDER BY rowid LIMIT 1").arg(ListaColumnas(columnas));
  return LeerUnaFila(conexion, columnas, sql, {}, fila);
}
