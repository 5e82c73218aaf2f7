#include "profile/ascii_profile.h"
