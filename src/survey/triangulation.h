#pragma once
// The chain of triangles: angular errors and their compensation, side azimuths along the
// zig-zag path, sides by the law of sines and the vertex coordinates.
#include "project/records.h"

namespace carvela {
class Host;

// The tolerances of the angular errors, in whatever angle unit is in use: per triangle and
// on the mean of the absolute errors.
inline constexpr float kTolleranzaTriangolo = static_cast<float>(0.06 / 9);
inline constexpr float kTolleranzaMedia = static_cast<float>(0.02 / 9);

// What the page's Read leaves before a computation: errors sized 0..n, azimuths and sides
// 0..n+2, coordinates 0..n+1, all cleared except the inputs in element 0.
void preparaTriangolazione(TriangulationChain& c);

// Computes the chain in place. Tolerance messages are shown and the computation goes on;
// a chain with no triangle or with a flat triangle gives its message, false, and is left as
// it was.
bool calcolaTriangolazione(TriangulationChain& c, float angoloPiatto, Host& host);

}  // namespace carvela
