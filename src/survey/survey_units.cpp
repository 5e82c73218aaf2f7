#include "survey/survey_units.h"

#include <cmath>

#include "state/host.h"
#include "state/settings.h"
#include "survey/survey_messages.h"

namespace carvela {

float fattoreAngolare(float angoloPiatto) { return kPiGreco / angoloPiatto; }

bool angoloPiattoValido(float angoloPiatto) { return std::isfinite(angoloPiatto) && angoloPiatto > 0; }

std::string testoUnitWarning(float angoloPiatto) {
    const std::string inizio = "Attenzione le dimensioni angolari in uso sono i ";
    if (angoloPiatto == 200.0f) return inizio + "gradi centesimali!";
    if (angoloPiatto == 180.0f) return inizio + "gradi sessagesimali!";
    if (angoloPiatto == kPiGreco) return inizio + "radianti!";
    return {};
}

void UnitWarning(Host& host, float angoloPiatto) {
    const std::string testo = testoUnitWarning(angoloPiatto);
    if (!testo.empty()) host.messaggio(testo);
}

}  // namespace carvela
