#pragma once
// The units of angle a user may choose, each known by its straight angle (AngoloPiatto).

namespace carvela {

enum class UnitaAngolare { Nessuna, Centesimali, Sessagesimali, Radianti };

// Straight angle of each option: 200, 180, 3.141593.
float angoloPiattoDi(UnitaAngolare u);
// The option whose straight angle is `angoloPiatto`; Nessuna when none is.
UnitaAngolare unitaDi(float angoloPiatto);

}  // namespace carvela
