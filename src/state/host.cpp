#include "state/host.h"

#include <algorithm>

#include "project/vbtext.h"

namespace carvela {

int16_t barraPerConteggio(int64_t conteggio) {
    // Large counts are clamped: the bar only shows proportions.
    return static_cast<int16_t>(std::clamp<int64_t>(arrotondaPari(conteggio / 10.0), 0, 32767));
}

int32_t posizionePerElemento(int64_t elemento) {
    return static_cast<int32_t>(std::clamp<int64_t>(arrotondaPari(elemento / 10.0), 0, 32767));
}

}  // namespace carvela
