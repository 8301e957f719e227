#pragma once
// The arguments several subcommands share: the period "AAAA-MM" (a
// four-digit year and a two-digit month 01–12) and the folders named with
// --carpeta.

#include <QString>
#include <QStringList>

// "2024-03" into year and month; false when the text is not a period.
bool LeerPeriodoArgumento(const QString& texto, int* ano, int* mes);

// Takes every "--carpeta CARPETA" out of the arguments into `carpetas`;
// false when one lacks its folder.
bool LeerCarpetas(QStringList& argumentos, QStringList* carpetas);

// A folder the user named must exist: a mistyped path would list no company
// at all. Raises ErrorAlcabala "La carpeta «X» no existe".
void ComprobarCarpetas(const QStringList& carpetas);
// "2024": a four-digit year from 1000, as in a period; false otherwise.
bool LeerAnoArgumento(const QString& texto, int* ano);
