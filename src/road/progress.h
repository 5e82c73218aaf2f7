#pragma once
// One phase of the progress window: caption, range, position. Ranges above what the bar
// holds are scaled down.
#include <cstdint>
#include <string>

#include "state/host.h"

namespace carvela {

class FaseAvanzamento {
public:
    FaseAvanzamento(Host& host, const std::string& didascalia, int64_t massimo) : host_(host) {
        scala_ = massimo > 32767 ? (massimo + 32766) / 32767 : 1;
        host_.CaptionLabel(didascalia);
        host_.ImpostaBarra(static_cast<int16_t>(massimo / scala_));
    }
    void posizione(int64_t p) { host_.AggiornaSatoBarra(static_cast<int32_t>(p / scala_)); }

private:
    Host& host_;
    int64_t scala_ = 1;
};

}  // namespace carvela
