#pragma once
// The plan mesh ("&Reticolo...").
#include <cstdint>

namespace carvela {
struct Workspace;
struct Planimetria;
class Canvas;
class Host;

// Builds SegmentiReticolo from the plan points; returns the number of segments.
int32_t costruisciReticolo(Planimetria& piano);
// The command: precondition, build, draw the segments over the current drawing.
void comandoReticolo(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
