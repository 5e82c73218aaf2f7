#include "state/host.h"
