#pragma once
// The period argument of the subcommands: "AAAA-MM", a four-digit year and a
// two-digit month 01–12.

#include <QString>

// "2024-03" into year and month; false when the text is not a period.
bool LeerPeriodoArgumento(const QString& texto, int* ano, int* mes);

// "2024": a four-digit year from 1000, as in a period; false otherwise.
bool LeerAnoArgumento(const QString& texto, int* ano);
