#pragma once
// What the subcommands that draw a declaration read: the declaration of a
// period with its calculated boxes and the taxpayer row, as plain copies.

#include <QLocale>
#include <QString>

#include "general/registroplano.h"

struct FormularioLeido {
  RegistroPlano declaracion;    // with its calculated boxes
  RegistroPlano contribuyente;  // with its calculated fields (empty fields when the table has none)
};

// Opens the data file for reading only (never upgraded) and reads the
// declaration of one period and the taxpayer row. ErrorAlcabala when the file
// has no declaration for that period, ErrorCalculo ("Archivo.alc: No se pudo
// calcular la casilla 91 …") when a calculated box of it cannot be computed.
FormularioLeido LeerDeclaracion(const QString& ruta, int ano, int mes, const QLocale& locale);
