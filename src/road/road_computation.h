#pragma once
// The road computation: from contour lines and axis to stations, profile, sections,
// edges, land take and volumes. "&Risolvi tracciato stradale...", "&Applica" of the axis
// coordinates, "Inverti senso di percorrenza" and the project wizard run it through
// graphics/road_command.h, which redraws the plan.
#include <vector>

namespace carvela {
struct Workspace;
class Host;

struct EsitoTracciato {
    bool calcolato = false;                 // false: stopped with a message, nothing to redraw
    std::vector<int> livelletteNonRisolte;  // grade lines the profile could not solve
};

EsitoTracciato risolviTracciato(Workspace& ws, Host& host);

}  // namespace carvela
