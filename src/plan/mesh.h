#pragma once
// The plan mesh ("&Reticolo..."): the Delaunay triangulation of the plan points, its edges
// stored as segments between plan points.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace carvela {
struct Workspace;
struct Planimetria;
class Canvas;
class Host;

// Builds SegmentiReticolo (from position 1) from the plan points 1..NumeroPunti; returns the
// number of segments. The points keep their stored order.
int32_t costruisciReticolo(Planimetria& piano);
// The command: precondition, build, draw the segments over the current drawing.
void comandoReticolo(Workspace& ws, Canvas& canvas, Host& host);

// A Delaunay triangulation of points given by their coordinates; edges and triangles refer to
// positions in the input. Coinciding points enter once (the first of them), points that are
// not finite numbers are left out; collinear points give the chain of edges along their line
// and no triangle. Triangles are anticlockwise.
struct MagliaDelaunay {
    std::vector<std::pair<int32_t, int32_t>> lati;  // first < second, sorted
    std::vector<std::array<int32_t, 3>> triangoli;
};
MagliaDelaunay triangolaDelaunay(const std::vector<double>& x, const std::vector<double>& y);

// Exact signs: positive when a, b, c turn anticlockwise; positive when d lies inside the
// circle through the anticlockwise a, b, c. Zero on the line or on the circle.
int orientamento(double ax, double ay, double bx, double by, double cx, double cy);
int nelCerchio(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy);

}  // namespace carvela
