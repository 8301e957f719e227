// Money and RUT do not reach the network.
#include "general/red/descarga.h"
