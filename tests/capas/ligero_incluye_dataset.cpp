// The lean tool works on bare SQLite: the Qt SQL data set is out of its reach.
#include "storage/dataset.h"
