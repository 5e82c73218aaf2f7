#pragma once
// The earth-volume table built from the solved sections.
#include <cstdint>

#include "project/records.h"

namespace carvela {

// Builds the table from sections 1..numeroSezioni of `sezioni`.
void costruisciPaleggi(const VbArray<Sezione>& sezioni, int32_t numeroSezioni, float scalaVolumi,
                       TabellaPaleggi& tabella);

}  // namespace carvela
