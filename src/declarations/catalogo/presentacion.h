#pragma once
// Values as text: one formatter for the boxes on screen and for every
// printout, and the reading of what the user types into a box. Pure
// functions; the locale is always an argument.

#include <QLocale>
#include <QString>
#include <QVariant>

#include "declarations/catalogo/catalogo.h"
#include "general/tipocolumna.h"

// The display formats of the program. A null value prints nothing in all of them.
enum class FormatoValor {
  Grupos,         // "###,###,###,###": whole units grouped; zero prints nothing
  GruposCero,     // "###,###,##0": whole units grouped; zero prints 0
  GruposDecimal,  // "###,###,###,###.##": up to two decimals, no leading zero; zero prints nothing
  Telefono,       // "#": plain digits; zero prints nothing
  Plano,          // no format: plain digits (zero prints 0), decimals with the locale's separator
  Rut,            // TextoRut: body, "-", check digit; nothing for 0
  Texto,          // text without the blanks that pad a fixed-length column
  TextoTal,       // text exactly as held
  Marca,          // a ticked box: "X" when true, nothing when false
};

// The text of a value under a format. Amounts (Moneda) are rounded and grouped
// in integers, so totals of billions of pesos keep every digit.
QString TextoConFormato(const QVariant& valor, FormatoValor formato, const QLocale& locale);

// The format a box of the catalogue shows and prints its value with.
FormatoValor FormatoDePresentacion(Presentacion presentacion);
// The format of a field: that of the catalogue box bound to it; text for any
// field no box shows (period cells, RUT cells, names, print-only texts).
FormatoValor FormatoDeCampo(const QString& campo);

// The text a box shows for a stored value. While editing amounts are plain
// digits, rates "0.##", RUTs the plain body; otherwise TextoConFormato with
// the box's format. Nothing for an empty data set.
QString TextoDeValor(const QVariant& valor, Presentacion presentacion, bool editando, bool dataSetVacio,
                     const QLocale& locale);

// The value to store for a typed text, for a field of that type (and size
// for W fields). Empty text stores 0 (empty text for W). Raises ErrorAlcabala
// with a Spanish message when the text is not a number or does not fit.
QVariant ValorDeTexto(const QString& texto, TipoColumna tipo, int tamano, const QLocale& locale);
