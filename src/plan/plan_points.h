#pragma once
// The page of the plan points ("Caratteristiche della Planimetria"): the grid of points with
// their coordinates, elevations and station marks, filled from the plan and read back by
// "&Applica".
#include "project/griglia.h"

namespace carvela {
struct Planimetria;
struct Impostazioni;
class Host;

inline constexpr int kColonnaTipoPunto = 4;
inline constexpr const char* kTestoStazione = "stazione";

// The grid: one row per point and spare rows up to "numeroPuntiPianoQDefault", headings,
// row numbers, sizes; filled from the plan while the progress window shows.
Griglia grigliaPuntiPiano(const Planimetria& piano, const Impostazioni& impostazioni, Host& host);

// A click on the type column: "stazione" becomes empty, anything else becomes "stazione".
void commutaTipoPunto(Griglia& griglia, int riga);

// Reads the grid into the plan: rows are taken down to the first one missing a coordinate.
// False, with "Tipo di dati non corretto!", when a coordinate is not a number; the point
// count then keeps its value.
bool leggiPuntiPiano(const Griglia& griglia, Planimetria& piano, Host& host);

}  // namespace carvela
