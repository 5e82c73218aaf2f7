#pragma once
// The terrain cross-section at every station: section lines, ground points from the
// contour lines, the section records, each solved.

namespace carvela {
struct Workspace;
class Host;

// Fills EstremiSezioni, SezioniApplicate and Sezioni for stations 1..NumeroIntersezioni.
void calcolaSezioniTerreno(Workspace& ws, Host& host);

}  // namespace carvela
