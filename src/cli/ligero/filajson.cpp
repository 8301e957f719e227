#include "cli/ligero/filajson.h"

#include <sqlite3.h>

#include <algorithm>

#include "cli/ligero/json.h"
#include "storage/formato/columnas.h"
#include "storage/formato/sqlite.h"

namespace {

// A text column of ASCII bytes, padded with blanks to its size as a data set
// holds it; false (nothing written) for text that is not pure ASCII.
bool AnadirTextoAscii(QByteArray& destino, sqlite3_stmt* fila, int columna, int tamano) {
  const char* texto = reinterpret_cast<const char*>(sqlite3_column_text(fila, columna));
  const int largo = sqlite3_column_bytes(fila, columna);
  for (int i = 0; i < largo; ++i)
    if (static_cast<unsigned char>(texto[i]) >= 0x80) return false;
  if (largo >= tamano) {
    AnadirJsonTextoAscii(destino, texto, largo);
    return true;
  }
  AnadirJsonTextoAscii(destino, texto, largo);
  destino.chop(1);  // the closing quote goes after the blanks
  static constexpr char kBlancos[] = "                                                                ";
  for (int faltan = tamano - largo; faltan > 0;) {
    const int tramo = std::min(faltan, static_cast<int>(sizeof kBlancos) - 1);
    destino.append(kBlancos, tramo);
    faltan -= tramo;
  }
  destino += '"';
  return true;
}

// The common cases: a value of the storage class the column's type expects.
bool AnadirDirecto(QByteArray& destino, sqlite3_stmt* fila, int columna, const DefinicionCampo& campo) {
  const int clase = sqlite3_column_type(fila, columna);
  if (clase == SQLITE_NULL) {
    destino += "null";
    return true;
  }
  switch (campo.tipo) {
    case TipoColumna::S:
    case TipoColumna::L:
      if (clase != SQLITE_INTEGER) return false;
      AnadirJsonEntero(destino, static_cast<int>(sqlite3_column_int64(fila, columna)));
      return true;
    case TipoColumna::C:
      if (clase != SQLITE_INTEGER) return false;
      AnadirJsonMoneda(destino, Moneda::DesdeCrudo(sqlite3_column_int64(fila, columna)));
      return true;
    case TipoColumna::F:
      if (clase != SQLITE_FLOAT && clase != SQLITE_INTEGER) return false;
      AnadirJsonReal(destino, static_cast<float>(sqlite3_column_double(fila, columna)));
      return true;
    case TipoColumna::B:
      if (clase == SQLITE_INTEGER) destino += sqlite3_column_int64(fila, columna) != 0 ? "true" : "false";
      else if (clase == SQLITE_FLOAT) destino += sqlite3_column_double(fila, columna) != 0.0 ? "true" : "false";
      else return false;
      return true;
    case TipoColumna::W:
      return clase == SQLITE_TEXT && AnadirTextoAscii(destino, fila, columna, campo.tamano);
  }
  return false;
}

}  // namespace

void AnadirJsonColumna(QByteArray& destino, sqlite3_stmt* fila, int columna, const DefinicionCampo& campo) {
  if (AnadirDirecto(destino, fila, columna, campo)) return;
  // Anything else (non-ASCII text, a text in a number column, a blob) as the
  // data set reads it.
  AnadirJsonValorCampo(destino, LeerValorColumna(ValorCrudo(fila, columna), campo), campo);
}

MiembrosJson::MiembrosJson(const QList<DefinicionCampo>& columnas) : columnas_(columnas) {
  claves_.reserve(columnas.size());
  for (const DefinicionCampo& campo : columnas) {
    QByteArray clave;
    AnadirJsonTexto(clave, campo.nombre);
    clave += ": ";
    claves_.append(clave);
  }
}

void MiembrosJson::AnadirFila(QByteArray& destino, sqlite3_stmt* fila) const {
  for (int i = 0; i < columnas_.size(); ++i) {
    if (i > 0) destino += ", ";
    destino += claves_.at(i);
    AnadirJsonColumna(destino, fila, i, columnas_.at(i));
  }
}
