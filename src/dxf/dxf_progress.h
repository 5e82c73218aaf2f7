#pragma once
// The progress bar of the long DXF operations. The bar counts in steps (1000 bytes, 100 lines,
// 1000 entities); the progress window holds at most 32767 steps, so a bigger count is shown
// in coarser steps and only changes of position reach the host.
#include <cstdint>

#include "state/host.h"

namespace carvela {

class BarraDxf {
public:
    BarraDxf(Host* host, int64_t totale, int64_t passo) : host_(host), passo_(passo < 1 ? 1 : passo) {
        int64_t massimo = (totale < 0 ? 0 : totale) / passo_;
        while (massimo / fattore_ > 32767) fattore_ *= 2;
        if (host_) host_->ImpostaBarra(static_cast<int16_t>(massimo / fattore_));
    }

    // Position after `fatti` units of the count (bytes, lines, entities).
    void avanza(int64_t fatti) {
        if (!host_) return;
        int32_t posizione = static_cast<int32_t>(fatti / passo_ / fattore_);
        if (posizione != ultima_) {
            ultima_ = posizione;
            host_->AggiornaSatoBarra(posizione);
        }
    }

private:
    Host* host_;
    int64_t passo_;
    int64_t fattore_ = 1;
    int32_t ultima_ = 0;
};

}  // namespace carvela
