#pragma once
// The UTM (unidad tributaria mensual) of a month, read from the yearly
// document UTM/<year>.xml of the maker's server: root "UTMs", the n-th child
// element is month n, its "Monto" holds the value in pesos with "." as the
// decimal separator.

#include <QLocale>
#include <QString>
#include <optional>

#include "general/red/descarga.h"

// Address of the UTM document of a year: UrlBase() + "UTM/<year>.xml".
QString DireccionUTM(int ano);

// Reads the value of month mes (1–12) from a UTM document; 0 when the root is
// not exactly "UTMs", the document has no element for the month, or its
// "Monto" is missing or empty. A "Monto" that is not a decimal number raises
// ErrorAlcabala.
double LeerValorUTM(const xmlDoc* documento, int ano, int mes, const QLocale& locale);

// Converts a "Monto" text: decimal digits, optionally "." and decimals, with
// blanks, tabs and line ends around them; the "." is read as the locale's
// decimal separator. Empty text, and a number with a sign (never a UTM
// value), give 0; any other text (a no-break space, a group separator, an
// exponent) gives nothing.
std::optional<double> ConvertirMontoUTM(const QString& texto, const QLocale& locale);

// The web look-up: fetches the year's document afresh on every call and
// returns the month's value, or 0 when the month has none (the server has no
// document for the year (404), the document lacks the month, or its value is
// not a positive number). A download that fails otherwise (no server, time
// out, another status) raises ErrorAlcabala "No se pudo descargar <dirección>:
// <motivo>"; a document that is not well-formed XML or is refused raises
// ErrorAlcabala with the reason; a "Monto" that is not a number raises
// ErrorAlcabala.
double ValorUTM(int ano, int mes, const QLocale& locale);
