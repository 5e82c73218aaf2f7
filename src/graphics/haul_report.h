#pragma once
// The haul report: what the mass haul of a road comes to, per balanced stretch and in total,
// with the form of the swell and shrink correction. The same grids fill the report window,
// its text export and its PDF pages (A4 landscape, the heading row repeated on every page).
#include <string>
#include <vector>

#include "project/griglia.h"
#include "sections/earthwork.h"

namespace carvela {
class SuperficieMm;

struct RapportoTrasporti {
    std::string formula;  // the correction, with the factors used
    Griglia correzione;   // the same as a grid, to head the text export
    Griglia parametri;    // free haul, economic limit, factors
    Griglia totali;       // cut, fill, loose, bank volumes and the diagram's end
    Griglia tratti;       // one row a balanced stretch, then the totals
    std::vector<const Griglia*> griglie() const { return {&correzione, &parametri, &totali, &tratti}; }
};

RapportoTrasporti rapportoTrasporti(const Movimento& m);

// The report's pages on `superficie`; returns how many were drawn.
int disegnaRapportoTrasporti(SuperficieMm& superficie, const RapportoTrasporti& r, const std::string& titolo);

}  // namespace carvela
