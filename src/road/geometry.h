#pragma once
// Plan geometry of the road computation: bearings, segment intersection, the ground
// elevation between contour lines, and the direction of the section line at a station.
#include <cstdint>

namespace carvela {
struct Planimetria;
struct Workspace;

// Bearing of (dx, dy), clockwise from +y (north), radians in [0, 2*pi).
double rilevamento(double dx, double dy);

// Crossing of segments P0-P1 and Q0-Q1; false when they do not meet (or one has length 0).
bool intersezioneSegmenti(double p0x, double p0y, double p1x, double p1y, double q0x, double q0y, double q1x,
                          double q1y, double& x, double& y);

// Ground elevation at a plan point, interpolated between the contour lines of the plan.
float quotaTerreno(const Planimetria& piano, double x, double y);

// Left and right bearings of the section line at station j (straight leg or curve).
void direzioniSezione(const Workspace& ws, int32_t j, double& phiSinistra, double& phiDestra);

}  // namespace carvela
