#include "state/settings.h"
