#include "cli/ligero/filajson.h"

#include "cli/ligero/json.h"
#include "storage/formato/valorcolumna.h"

void AnadirJsonColumna(QByteArray& destino, sqlite3_stmt* fila, int columna, const DefinicionCampo& campo) {
  EscritorJson escritor{destino};
  LeerColumna(fila, columna, campo, escritor);
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
