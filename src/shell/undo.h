#include "state/undo.h"
