#pragma once
// Angle units of the survey computations. Angles are plain numbers in the unit whose straight
// angle is the setting "AngoloPiatto" (U: 200 grads, 180 degrees, 3.141593 radians); the
// trigonometry takes angle * k with k = 3.141593 / U held in single precision.
#include <string>

namespace carvela {
class Host;

// k for the straight angle U, in single precision as the computations hold it.
float fattoreAngolare(float angoloPiatto);

// A straight angle the computations can use: finite and positive.
bool angoloPiattoValido(float angoloPiatto);

// The reminder shown before the survey computations: which angle unit is in use. Nothing is
// shown for a straight angle other than 200, 180 and 3.141593.
void UnitWarning(Host& host, float angoloPiatto);

// The reminder's text, empty when none is shown.
std::string testoUnitWarning(float angoloPiatto);

}  // namespace carvela
