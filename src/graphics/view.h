#include "state/view.h"
