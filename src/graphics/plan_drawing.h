#pragma once
// The plan drawing (document kind 4): points, contour lines, axis, stations, edges, labels.
#include <cstdint>

#include "project/vbarray.h"

namespace carvela {
struct Workspace;
struct Vista;
struct ContourSegment;
class Canvas;
class Host;

void disegnaPianta(Workspace& ws, Canvas& canvas, Host& host);

// One contour line in the current fore colour: the start points of every `passo`-th piece
// as one Bezier chain of 3n + 1 points, the remaining one or two samples as straight lines
// through the ends of the last pieces.
void disegnaCurvaLivello(Vista& vista, Canvas& canvas, const VbArray<ContourSegment>& pezzi, int32_t passo);

}  // namespace carvela
