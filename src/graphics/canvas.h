#include "state/canvas.h"
