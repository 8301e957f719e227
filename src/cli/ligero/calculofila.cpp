#include "cli/ligero/calculofila.h"

#include <sqlite3.h>

#include "cli/ligero/json.h"
#include "general/errores.h"
#include "general/valores.h"
#include "storage/formato/columnas.h"
#include "storage/formato/sqlite.h"

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

CalculoDeFilas::CalculoDeFilas(const QList<DefinicionCampo>& columnas, const QLocale& locale)
    : columnas_(columnas), locale_(locale), plan_([&columnas] {
        QStringList nombres;
        for (const DefinicionCampo& columna : columnas) nombres << columna.nombre;
        return nombres;
      }()) {
  const QStringList& cajas = CajasCalculadas();
  const QList<DefinicionCampo>& textos = CamposTextoCalculados();
  for (const DefinicionCampo& campo : CamposCalculadosAlcabala()) {
    Salida salida;
    salida.clave = ", ";
    AnadirJsonTexto(salida.clave, campo.nombre);
    salida.clave += ": ";
    salida.tamano = campo.tamano;
    for (int t = 0; t < textos.size() && salida.texto < 0; ++t)
      if (textos.at(t).nombre == campo.nombre) salida.texto = t;
    if (salida.texto < 0) {
      salida.codigo = campo.nombre.mid(3);  // "Cod538"
      salida.resultado = static_cast<int>(cajas.indexOf(salida.codigo));
      if (salida.resultado < 0)
        throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo.nombre));
    }
    salidas_.push_back(salida);
  }
}

void CalculoDeFilas::Calcular(sqlite3_stmt* fila) {
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

void CalculoDeFilas::AnadirCalculados(QByteArray& destino) const {
  for (const Salida& salida : salidas_) {
    destino += salida.clave;
    if (salida.texto >= 0) {
      const QString& texto = resultados_.Texto(static_cast<TextoCalculado>(salida.texto));
      AnadirJsonTexto(destino, salida.tamano > 0 && texto.size() > salida.tamano ? texto.left(salida.tamano) : texto);
    } else if (resultados_.NoCalculada(salida.resultado)) {
      destino += "null";
    } else {
      AnadirJsonMoneda(destino, resultados_.Monto(salida.resultado));
    }
  }
}

QStringList CalculoDeFilas::NoCalculadas() const {
  QStringList cajas;
  for (const Salida& salida : salidas_)
    if (salida.resultado >= 0 && resultados_.NoCalculada(salida.resultado)) cajas << salida.codigo;
  return cajas;
}
