#pragma once
// The stations of the road: where the staked axis crosses the contour lines, plus every
// axis point, in axis order, thinned to the minimum spacing on straight legs.

namespace carvela {
struct Workspace;
class Host;
class IndiceCurve;

// Fills Intersezioni and NumeroIntersezioni from AsseTracciato and CurveLivello, showing
// the progress window through its three phases. `indice`, when given, is the contour index of
// ws.Piano, so a computation builds it once for its stations and its sections.
void calcolaStazioni(Workspace& ws, Host& host, const IndiceCurve* indice = nullptr);

}  // namespace carvela
