#pragma once
// The profile drawing (document kind 1) and the section drawing (kind 2). Both are built
// as element lists in drawing units (graphics/drawing_items.h, which names the roles), so
// the DXF export writes exactly what the screen shows.
#include "graphics/drawing_items.h"

namespace carvela {
struct Workspace;
struct Profilo;
struct Sezione;
class Canvas;
class Host;

// The longitudinal profile with its bands; empty with fewer than 2 sections.
// x = progressive, y = (elevation - QuotaRiferimento) * 10, bands from y = 0 down to -130.
Disegno disegnoProfilo(const Profilo& profilo);
// One cross-section: x = 256 + 10 * distance from the axis, y = 200 + 10 * (elevation - Z).
Disegno disegnoSezione(const Sezione& sezione);

// Adds, under the table of a section's drawing, its progressive and its cut and fill areas
// (screen and paper; the DXF export writes the drawing without them).
void aggiungiAreeSezione(Disegno& disegno, const Sezione& sezione);

// The screen shows the drawings without the labels that would overwrite the one before them
// in their band or row (senzaTestiSovrapposti), the section with its areas.
// Draws nothing (and leaves the canvas as it was) with fewer than 2 sections.
void disegnaProfilo(Workspace& ws, Canvas& canvas, Host& host);
void disegnaSezione(Workspace& ws, Canvas& canvas, Host& host, const Sezione& sezione);

}  // namespace carvela
