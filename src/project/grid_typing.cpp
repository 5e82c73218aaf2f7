#include "project/grid_typing.h"

namespace carvela {

std::string filtraTasto(int codice, const std::string& testo) {
    if (codice == kTastoBackspace) {
        if (testo.empty()) return testo;
        // Remove one whole UTF-8 character.
        std::size_t n = testo.size() - 1;
        while (n > 0 && (static_cast<unsigned char>(testo[n]) & 0xC0) == 0x80) --n;
        return testo.substr(0, n);
    }
    if (codice == kTastoCanc) return {};
    // The point of a number pad or of a habit is the decimal separator too; dropping it
    // silently would turn 12.5 into 125.
    if (codice == '.') return testo + ',';
    if ((codice >= '0' && codice <= '9') || codice == '-' || codice == ',') return testo + static_cast<char>(codice);
    return testo;
}

}  // namespace carvela
