#pragma once
// The road computation: from contour lines and axis to stations, profile, sections,
// edges, land take and volumes.

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void calcolaTracciato(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
