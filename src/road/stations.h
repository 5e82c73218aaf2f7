#pragma once
// The stations of the road: where the staked axis crosses the contour lines, plus every
// axis point, in axis order, thinned to the minimum spacing on straight legs.

namespace carvela {
struct Workspace;
class Host;

// Fills Intersezioni and NumeroIntersezioni from AsseTracciato and CurveLivello, showing
// the progress window through its three phases.
void calcolaStazioni(Workspace& ws, Host& host);

}  // namespace carvela
