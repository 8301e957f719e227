#pragma once
// The taxpayer row read through a data set, with its calculated fields
// (storage/formato/contribuyente.h).

#include "general/registroplano.h"
#include "storage/formato/contribuyente.h"

class Conexion;

// The taxpayer row of the connection's file with its calculated fields, read
// through a data set of its own, so no data set of the caller moves. Empty
// fields when the table holds no row.
RegistroPlano LeerContribuyente(Conexion& conexion);
