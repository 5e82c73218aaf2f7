#pragma once
// The plan drawing (document kind 4): points, contour lines, axis, stations, edges, labels.

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void disegnaPianta(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
