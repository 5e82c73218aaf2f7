#pragma once
// The terrain cross-section at every station: section lines, ground points from the
// contour lines, the section records, each solved.

namespace carvela {
struct Workspace;
class Host;
class IndiceCurve;

// Fills EstremiSezioni, SezioniApplicate and Sezioni for stations 1..NumeroIntersezioni.
// `indice`, when given, is the contour index of ws.Piano.
void calcolaSezioniTerreno(Workspace& ws, Host& host, const IndiceCurve* indice = nullptr);

}  // namespace carvela
