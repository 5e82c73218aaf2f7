#pragma once
// The project origin: records hold single-precision coordinates relative to it, so surveys in
// national grids keep the millimetre. It is kept as text in a record's free-text `Origine`
// ("E=2400000 N=4900000"), so the file layouts do not change; an empty or foreign text is
// origin 0.
#include <string>

namespace carvela {

struct OrigineProgetto {
    double est = 0;
    double nord = 0;
    bool nulla() const { return est == 0 && nord == 0; }
    bool operator==(const OrigineProgetto&) const = default;
};

// "E=<east> N=<north>" (point decimals, either order); anything else reads as origin 0.
OrigineProgetto leggiOrigine(const std::string& testo);
// The stored form; origin 0 gives the empty text, so files near 0 stay as they were.
std::string testoOrigine(const OrigineProgetto& o);

// An origin for data spanning [minE, maxE] x [minN, maxN]: 0 when the data already lie within
// the reach of single precision, otherwise the whole kilometre nearest the middle.
OrigineProgetto scegliOrigine(double minE, double minN, double maxE, double maxN);

// Half the width a millimetre survives in single precision around the origin (2^23 mm).
inline constexpr double kRaggioMillimetro = 8388.608;

}  // namespace carvela
