#include "state/silent_host.h"
