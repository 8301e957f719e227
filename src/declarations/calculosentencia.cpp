#include "declarations/calculosentencia.h"

#include <sqlite3.h>

#include "general/errores.h"
#include "general/valores.h"
#include "storage/columnas.h"
#include "storage/sqlite.h"

namespace {

// A column's value as a record holds it (see storage/columnas.h), for the
// inputs read the slow way.
QVariant ValorDeColumna(sqlite3_stmt* fila, int columna, const DefinicionCampo& campo) {
  return LeerValorColumna(ValorCrudo(fila, columna), campo);
}

bool EsNulaColumna(sqlite3_stmt* fila, int columna) { return sqlite3_column_type(fila, columna) == SQLITE_NULL; }

// Whether the column holds what its type expects, an integer for S, L, C and B.
bool EsEnteroDeSuTipo(sqlite3_stmt* fila, int columna) {
  return sqlite3_column_type(fila, columna) == SQLITE_INTEGER;
}

}  // namespace

namespace {

QStringList NombresDe(const QList<DefinicionCampo>& columnas) {
  QStringList nombres;
  for (const DefinicionCampo& columna : columnas) nombres << columna.nombre;
  return nombres;
}

}  // namespace

CalculoDeSentencia::CalculoDeSentencia(const QList<DefinicionCampo>& columnas, const QLocale& locale)
    : columnas_(columnas), locale_(locale), plan_(NombresDe(columnas)) {}

void CalculoDeSentencia::Calcular(sqlite3_stmt* fila) {
  if (!plan_.Faltantes().isEmpty())
    throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(plan_.Faltantes().first()));
  entradas_.Limpiar();
  for (int i = 0; i < plan_.CantidadMontos(); ++i) {
    const int columna = plan_.PosicionMonto(i);
    if (columna < 0 || EsNulaColumna(fila, columna)) continue;  // an optional box the file lacks, or null: 0
    if (columnas_.at(columna).tipo == TipoColumna::C && EsEnteroDeSuTipo(fila, columna)) {
      entradas_.PonerMonto(i, Moneda::DesdeCrudo(sqlite3_column_int64(fila, columna)));
      continue;
    }
    entradas_.PonerMontoLeido(i, ValorDeColumna(fila, columna, columnas_.at(columna)));
  }
  for (int i = 0; i < plan_.CantidadTasas(); ++i) {
    const int columna = plan_.PosicionTasa(i);
    const DefinicionCampo& campo = columnas_.at(columna);
    const int clase = sqlite3_column_type(fila, columna);
    if (campo.tipo == TipoColumna::F && (clase == SQLITE_FLOAT || clase == SQLITE_INTEGER))
      entradas_.PonerTasa(i, static_cast<float>(sqlite3_column_double(fila, columna)));  // held as a single
    else
      entradas_.PonerTasa(i, NuloACeroDouble(ValorDeColumna(fila, columna, campo)));
  }
  const int marca = plan_.PosicionMarca();
  if (columnas_.at(marca).tipo == TipoColumna::B && EsEnteroDeSuTipo(fila, marca))
    entradas_.PonerMarca(sqlite3_column_int64(fila, marca) != 0);
  else
    entradas_.PonerMarca(NuloAFalso(ValorDeColumna(fila, marca, columnas_.at(marca))));
  // The year and the month as a record holds them (16 or 32-bit integers).
  auto Entero = [&](int columna) -> std::optional<qint64> {
    if (EsNulaColumna(fila, columna)) return std::nullopt;
    const DefinicionCampo& campo = columnas_.at(columna);
    if ((campo.tipo == TipoColumna::S || campo.tipo == TipoColumna::L) && EsEnteroDeSuTipo(fila, columna))
      return static_cast<int>(sqlite3_column_int64(fila, columna));
    return NuloACeroEntero(ValorDeColumna(fila, columna, campo));
  };
  const std::optional<qint64> mes = Entero(plan_.PosicionMes());
  entradas_.PonerPeriodo(mes ? Entero(plan_.PosicionAno()) : std::nullopt, mes);
  CalcularDeclaracion(entradas_, resultados_, locale_);
}

