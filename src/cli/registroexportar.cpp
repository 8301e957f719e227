// The export among the subcommands of alcabala-cli-completo.

#include "cli/ligero/exportar.h"

namespace {
const bool registrado = RegistrarSubcomando(SubcomandoExportar());
}  // namespace
