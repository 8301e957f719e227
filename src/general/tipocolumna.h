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

enum class TipoColumna { S, L, C, F, B, W };
