#pragma once
// alcabala-cli exportar: served by the lean alcabala-cli itself and by the
// full program it hands the other subcommands to.

#include "cli/ligero/subcomando.h"

const Subcomando& SubcomandoExportar();
