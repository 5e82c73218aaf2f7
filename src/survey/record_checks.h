#pragma once
// Small helpers of the survey computations on VbArray records.
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "project/vbarray.h"

namespace carvela {

// Grows the array to hold index `ultimo`, keeping its contents; never shrinks.
inline void cresci(VbArray<float>& a, int32_t ultimo) {
    if (ultimo > a.upperBound()) a.redimPreserve(ultimo);
}

// Resizes to 0..ultimo and clears, keeping element 1 (where the traverses keep a reference input).
inline void azzeraTenendoPrimo(VbArray<float>& a, int32_t ultimo) {
    const float primo = a.get(1);
    a.redim(ultimo);
    if (a.has(1)) a[1] = primo;
}

// Elements da..a (those a computation wrote) are all numbers.
inline bool finitiTra(std::initializer_list<const VbArray<float>*> liste, int32_t da, int32_t a) {
    for (const auto* lista : liste)
        for (int32_t i = da; i <= a; ++i)
            if (!std::isfinite(lista->get(i))) return false;
    return true;
}

inline bool tuttiFiniti(std::initializer_list<float> valori) {
    for (float v : valori)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace carvela
