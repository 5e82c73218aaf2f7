#pragma once
// The grade-line solve of the longitudinal profile.
#include <vector>

namespace carvela {
struct Profilo;

// Solves the profile in place. Grade lines that cannot be solved (zero length, or a
// pass-through point at mid-length with method 3) keep their values and are listed in
// `nonRisolte` (1-based) when given.
void risolviProfilo(Profilo& profilo, std::vector<int>* nonRisolte = nullptr);

}  // namespace carvela
