#pragma once
// The origin of a plan that takes its first coordinates from what a person types (the plan
// points page, the axis coordinates page): a plan holding no other coordinates takes an
// origin near the typed ones, so national grid coordinates keep the millimetre in its
// single-precision records.
#include <utility>
#include <vector>

#include "project/griglia.h"
#include "project/records.h"

namespace carvela {

// The plan holds no coordinates but the ones about to be replaced: its points (when
// `puntiSostituiti`) and its axis vertices (when `asseSostituito`).
bool pianoSenzaAltreCoordinate(const Planimetria& piano, bool puntiSostituiti, bool asseSostituito);

// The true east (column `colonnaE`) and north (the next column) of a page's rows, up to the
// first row that is not a pair of numbers.
std::vector<std::pair<double, double>> coordinateDigitate(const Griglia& g, int colonnaE);

// Keeps the plan's origin when the true coordinates `vere` lie within its reach, otherwise
// stores one near them (0 near 0; a free text stays while the origin is 0).
void origineDaCoordinate(Planimetria& piano, const std::vector<std::pair<double, double>>& vere);

}  // namespace carvela
