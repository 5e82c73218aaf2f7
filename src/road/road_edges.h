#pragma once
// Road edges and land take on the plan, from each station's section line and solved section.

namespace carvela {
struct Workspace;

// Cigli and Occupazione for stations 1..NumeroIntersezioni: the edges W/2 either side of
// the station along the section line, the land-take points a catch offset further out.
void calcolaCigliOccupazione(Workspace& ws);

}  // namespace carvela
