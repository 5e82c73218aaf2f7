#pragma once
// The earth-volume table built from the solved sections, and the table as the volume
// window shows it.
#include <cstdint>

#include "project/griglia.h"
#include "project/records.h"

namespace carvela {

// Builds the table from sections 1..numeroSezioni of `sezioni`: average end areas on the
// net areas, a zero point wherever the net area changes sign, the running mass ordinate.
// A section whose solve failed (Risolta false) counts with zero areas. The first diagram
// point stands at the first section's progressive.
void costruisciPaleggi(const VbArray<Sezione>& sezioni, int32_t numeroSezioni, float scalaVolumi,
                       TabellaPaleggi& tabella);

// The seven-column grid of the volume window: one row per diagram point, a "*" row for
// each zero point, numbers as "###0.0000".
Griglia grigliaPaleggi(const TabellaPaleggi& tabella);

// The totals under the table: cut and fill (m3, both positive), each from its own areas by
// average end areas from section to section (at a zero point both are read on the straight
// line between the sections, so splitting a stretch there leaves them as they are), and
// the final mass ordinate. Computed from the table, never stored.
struct TotaliPaleggi {
    double sterro = 0, riporto = 0, ordinataFinale = 0;
};
TotaliPaleggi totaliPaleggi(const TabellaPaleggi& tabella);
Griglia grigliaTotaliPaleggi(const TabellaPaleggi& tabella);

}  // namespace carvela
