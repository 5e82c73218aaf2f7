#include "state/workspace.h"
