#pragma once
// Domain values shared by the whole program: RUT, months, null-safe reading,
// key filters, number display and the data file's display name. Pure
// functions; where the locale matters it is an argument.

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QVariant>

#include "general/moneda.h"

// --- Months ---------------------------------------------------------------
// "Enero" … "Diciembre"; empty text for any other number.
QString NombreDelMes(int mes);
// 1–12 when the text, trimmed and upper-cased, is a month name; otherwise 0.
int NumeroDelMes(const QString& texto);
// "9 de diciembre de 2026".
QString FechaLarga(const QDate& fecha);

// --- RUT --------------------------------------------------------------------
// Check digit ("0"–"9" or "K") of a RUT body.
QString DigitoVerificador(qint32 cuerpo);

enum class PropositoTexto { Mostrar, Editar };
// The RUT as a box shows it: empty when the data set is empty; the plain body
// while editing; for display empty for 0, else body, "-" and check digit.
QString TextoRut(qint32 cuerpo, PropositoTexto proposito, bool dataSetVacio);
// The body of a RUT as people type it: digits, grouped by thousands with "."
// or not, optionally followed by "-" and the check digit ("K" or "k"), with
// blanks around. Empty text is 0. A check digit that does not match raises
// ErrorAlcabala "El dígito verificador de «<texto>» no corresponde; debería
// ser <dígito>."; any other text raises ErrorAlcabala "«<texto>» no es un RUT
// válido".
qint64 LeerRut(const QString& texto);
// Key filter of the RUT boxes: digits, ".", "-" and the check digit "K"
// (a "k" becomes "K").
QChar TeclaRut(QChar tecla);

// --- Null-safe reading ------------------------------------------------------
bool EsNulo(const QVariant& valor);
// The value, or the integer 0 when null.
QVariant NuloACero(const QVariant& valor);
// The value as text, or empty text when null.
QString NuloAVacio(const QVariant& valor);
// The value as a boolean, or false when null.
bool NuloAFalso(const QVariant& valor);
// Numeric readings of any stored number (S, L, C, F); null counts as 0.
Moneda NuloACeroMoneda(const QVariant& valor);
double NuloACeroDouble(const QVariant& valor);
qint64 NuloACeroEntero(const QVariant& valor);

// --- Key filters --------------------------------------------------------------
// Each returns the character to let through, or QChar() to drop the keystroke.
inline constexpr char16_t TeclaRetroceso = u'\b';
QChar TeclaDigito(QChar tecla);
QChar TeclaDigitoConSigno(const QString& texto, QChar tecla, int posicionCursor);
QChar TeclaDecimal(const QString& texto, QChar tecla, const QLocale& locale);

// --- Files ------------------------------------------------------------------
// File name without folder and extension: "/datos/Empresa.alc" gives "Empresa"
// (bytes of the name that are no valid UTF-8 shown as U+FFFD).
QString NombreSinExtension(const QString& ruta);
// The user's documents folder, without a trailing separator. Throws
// ErrorAlcabala("Could not find MyDocuments folder location.") when unknown.
QString CarpetaMisDocumentos();

// --- Display of numbers ---------------------------------------------------------
// Whole pesos of an amount, halves away from zero, computed in integers.
qint64 PesosRedondeados(Moneda valor);
// "###,###,###,###": whole units with the locale's grouping; 0 shows as nothing.
QString FormatoGrupos(double valor, const QLocale& locale);
QString FormatoGrupos(Moneda valor, const QLocale& locale);
// "###,###,###,###.##": up to two decimals; 0 shows as nothing.
QString FormatoGruposDecimal(double valor, const QLocale& locale);
// "0.##": edit form of rates and cubic metres, with the locale's separator.
QString FormatoEdicionDecimal(double valor, const QLocale& locale);
// "%.0n": whole units with grouping; 0 shows as "0".
QString FormatoN0(Moneda valor, const QLocale& locale);
// The grouping separator between every three digits, whatever the locale's
// own grouping rules (Chilean Spanish groups 1500 as "1.500", not "1500").
QString AgruparMiles(qint64 entero, const QLocale& locale);
