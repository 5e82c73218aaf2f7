#include "state/unita_angolari.h"

#include <cmath>
#include <initializer_list>

namespace carvela {

float angoloPiattoDi(UnitaAngolare u) {
    switch (u) {
    case UnitaAngolare::Centesimali: return 200.0f;
    case UnitaAngolare::Sessagesimali: return 180.0f;
    case UnitaAngolare::Radianti: return 3.141593f;
    case UnitaAngolare::Nessuna: break;
    }
    return 0;
}

UnitaAngolare unitaDi(float angoloPiatto) {
    // A value typed by hand in the store may differ in the last digits.
    for (UnitaAngolare u : {UnitaAngolare::Centesimali, UnitaAngolare::Sessagesimali, UnitaAngolare::Radianti}) {
        const double a = angoloPiattoDi(u);
        if (std::fabs(static_cast<double>(angoloPiatto) - a) <= a * 1e-6) return u;
    }
    return UnitaAngolare::Nessuna;
}

}  // namespace carvela
