#pragma once
// The common redraw: paints the document that TipoDocumento names.
#include <cstdint>

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void ridisegna(Workspace& ws, Canvas& canvas, Host& host);
// Redraw with kind k: TipoDocumento becomes k, then the common redraw.
void ridisegnaTipo(Workspace& ws, Canvas& canvas, Host& host, uint8_t tipo);

}  // namespace carvela
