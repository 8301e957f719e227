// What storage may see: its own folder and the folders below it.
#include "declarations/catalogo/catalogo.h"
#include "general/valores.h"
#include "storage/dataset.h"
#include "storage/formato/sqlite.h"

int main() { return NombreDelMes(1).isEmpty() ? 1 : 0; }
