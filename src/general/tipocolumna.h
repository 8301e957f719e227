#pragma once
// Column types of the data files, by their letters, and the QVariant each one
// travels in through the program:
//   S  16-bit integer      -> int
//   L  32-bit integer      -> int
//   C  currency            -> Moneda
//   F  single precision    -> float
//   B  boolean             -> bool
//   W  fixed-length text   -> QString (padded with blanks to its size)
// A null is an invalid QVariant (QVariant()).

#include <QString>

enum class TipoColumna { S, L, C, F, B, W };

// A field of a record: its name and type as the table declares them.
struct DefinicionCampo {
  QString nombre;
  TipoColumna tipo = TipoColumna::C;
  int tamano = 0;          // characters of a W field (its defined size), 0 otherwise
  bool calculado = false;  // only in memory, never written
};
