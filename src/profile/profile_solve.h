#pragma once
// The grade-line solve of the longitudinal profile: the design elevations of the ends of
// every grade line by the method in MetodoLivellette (1 start elevations, 2 both ends given,
// 3 pass-through points, 4 slopes, 5 one start elevation and a continuous line), then the
// design elevation and red height of every section, the cut/fill passage points, the
// per-section lists and the values of the horizontal curves.
//
// Slopes of method 4: Pendenze is the method's input for every grade line, the last one
// included; the solve never overwrites it from end elevations before the method runs.
// Whoever stores end elevations without slopes (the ASCII profile import) derives the
// slopes from them, and every solve leaves Pendenze consistent with the ends it computed,
// so a profile saved and read back solves the same way.
#include <string>
#include <vector>

namespace carvela {
struct Profilo;

// Solves the profile in place. Grade lines that cannot be solved (zero length, or a
// pass-through point at mid-length with method 3) keep their values and are listed in
// `nonRisolte` (1-based) when given.
void risolviProfilo(Profilo& profilo, std::vector<int>* nonRisolte = nullptr);

// The warning naming the grade lines that could not be solved ("" for none).
std::string messaggioLivelletteNonRisolte(const std::vector<int>& nonRisolte);

}  // namespace carvela
