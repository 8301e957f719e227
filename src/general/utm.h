#pragma once
// The UTM (unidad tributaria mensual) of a month, read from the yearly
// document UTM/<year>.xml of the maker's server: root "UTMs", the n-th child
// element is month n, its "Monto" holds the value in pesos with "." as the
// decimal separator.

#include <QLocale>
#include <QString>
#include <optional>

#include "general/descarga.h"

// Address of the UTM document of a year: UrlBase() + "UTM/<year>.xml".
QString DireccionUTM(int ano);

// Reads the value of month mes (1–12) from a UTM document; 0 when the root is
// not exactly "UTMs", the document has no element for the month, or its
// "Monto" is missing or empty. A "Monto" that is not a decimal number raises
// ErrorAlcabala.
double LeerValorUTM(const xmlDoc* documento, int ano, int mes, const QLocale& locale);

// Converts a "Monto" text: its first "." becomes the locale's decimal
// separator and the result is read with that locale as a plain decimal
// number (optional sign, digits, optional separator and decimals, no
// grouping, no exponent; blanks around it allowed). Empty text gives 0; text
// that is not such a number gives nothing.
std::optional<double> ConvertirMontoUTM(const QString& texto, const QLocale& locale);

// The web look-up: fetches the year's document afresh on every call and
// returns the month's value, or 0 when it is not available (no server,
// status other than 200, no value for the month). A document that is not
// well-formed XML raises ErrorAlcabala with libxml2's message; a "Monto" that
// is not a number raises ErrorAlcabala.
double ValorUTM(int ano, int mes, const QLocale& locale);
