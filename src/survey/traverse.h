#pragma once
// Open and closed traverses: the computations on the records, from their stored inputs.
// Each works on the record in place and returns true; when the figure cannot be computed it
// shows why, returns false and leaves the record as it was.
#include "project/records.h"

namespace carvela {
class Host;

// What the page's Read leaves before a computation: computed arrays sized for the stations
// and cleared, the reference inputs kept in element 1, the input arrays at least as long as
// the station count.
void preparaPoligonaleAperta(OpenTraverse& p);
void preparaPoligonaleChiusa(ClosedTraverse& p);

// Stadia distances, partials and totals of the open traverse.
bool calcolaPoligonaleAperta(OpenTraverse& p, float angoloPiatto, Host& host);

// Angular and linear closure of the closed traverse, their tolerance checks (a message each,
// the computation goes on), and the distribution of the linear error along the legs.
bool calcolaPoligonaleChiusa(ClosedTraverse& p, float angoloPiatto, Host& host);

}  // namespace carvela
