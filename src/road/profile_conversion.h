#pragma once
// The longitudinal profile from the stations: the curve ranges, the ground line (each
// grade line's points in full), the grade-line rebuild and the solve.
#include <vector>

namespace carvela {
struct Workspace;
class Host;

// Converts the stations of the plan into Profilo, solves it and copies it into the plan.
// The grade-line layout is kept when the profile has a method and as many sections as
// there are stations; otherwise the profile starts afresh with one grade line and method 5.
// Grade lines that could not be solved are listed in `nonRisolte`.
void convertiProfilo(Workspace& ws, Host& host, std::vector<int>& nonRisolte);

}  // namespace carvela
