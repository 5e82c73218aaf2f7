#pragma once
// The road computation: from contour lines and axis to stations, profile, sections,
// edges, land take and volumes. "&Risolvi tracciato stradale...", "&Applica" of the axis
// coordinates, "Inverti senso di percorrenza" and the project wizard run it.

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void calcolaTracciato(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
