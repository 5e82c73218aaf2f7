#pragma once
// The profile drawing (document kind 1) and the section drawing (kind 2).

namespace carvela {
struct Workspace;
struct Sezione;
class Canvas;
class Host;

// Draws nothing (and leaves the canvas as it was) with fewer than 2 sections.
void disegnaProfilo(Workspace& ws, Canvas& canvas, Host& host);
void disegnaSezione(Workspace& ws, Canvas& canvas, Host& host, const Sezione& sezione);

}  // namespace carvela
