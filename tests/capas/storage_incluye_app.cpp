// Storage sits below the window: the main window's header is out of its reach.
#include "app/formalcabala.h"
