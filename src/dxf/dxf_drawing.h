#pragma once
// The imported drawing (document kind 8).

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void disegnaDxf(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
