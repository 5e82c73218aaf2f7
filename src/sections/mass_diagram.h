#pragma once
// The mass diagram of the volume table (document kind 3): what it draws. The drawing itself is
// in sections/mass_diagram_drawing.h. x is the
// progressive; y the mass ordinate at a vertical scale that gives the diagram half its
// length in height, whatever the road's length or volumes, so the diagram at extent fills the
// canvas; texts and ticks are sized to the diagram. The DXF export keeps its own layout at the
// table's volume scale.
//
// With swell or shrink other than 1 the diagram is drawn on the corrected volumes (cut x swell
// - fill / shrink); with a free haul it shows the balance points where the diagram meets the
// balance line (ordinate 0) and the free-haul and economic-haul chords of its loops.
#include <cstdint>
#include <vector>

#include "sections/earthwork.h"

namespace carvela {
struct Workspace;
struct TabellaPaleggi;

// The road's earthwork parameters as the settings give them.
ParametriTerra parametriStrada(const Workspace& ws);
// The earthwork of the volume table: its sections with the given parameters, zero points
// splitting the stretches as the table does.
Movimento movimentoPaleggi(const TabellaPaleggi& t, const ParametriTerra& parametri);
// Swell or shrink other than 1: the ordinates drawn are the corrected ones.
bool suVolumiCorretti(const ParametriTerra& parametri);

struct PuntoDiagramma {
    double x = 0, ordinata = 0;
};
// The points of the mass line as drawn: the table's own when the volumes are not corrected
// (so the drawing is the table's to the last digit), else the corrected rows of `m`.
std::vector<PuntoDiagramma> puntiDiagramma(const TabellaPaleggi& t, const Movimento& m);

// The progressive and volume ranges of the points (the volumes include 0).
struct EstremiDiagramma {
    double x1 = 0, x2 = 0, v1 = 0, v2 = 0;
};
EstremiDiagramma estremiDiagramma(const std::vector<PuntoDiagramma>& punti);

// Drawing units per cubic metre of the diagram of this table.
double scalaVerticaleDiagramma(const TabellaPaleggi& t);

}  // namespace carvela
