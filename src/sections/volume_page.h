#pragma once
// The logic of the volume window "Tabella dei volumi paleggiabili".
#include <string>

#include "project/griglia.h"

namespace carvela {
struct Workspace;

struct PaginaVolumi {
    // Fills the grid from Paleggi; `stato` names the sections whose solve failed (their
    // areas count as zero in the table), else it is empty.
    explicit PaginaVolumi(const Workspace& ws);

    Griglia griglia;
    Griglia totali;  // total cut, total fill, final mass ordinate
    std::string stato;
};

}  // namespace carvela
