#include "project/text_export.h"

namespace carvela {
namespace {

// Characters, not bytes: an accented heading takes one place in the field.
std::size_t caratteri(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

void aggiungiRigaTesto(std::string& out, const Griglia& g, int r) {
    for (int c = 0; c < g.colonne(); ++c) {
        const std::string& cella = g.cella(r, c);
        const std::size_t n = caratteri(cella);
        if (n < kLarghezzaCampoTesto) out.append(kLarghezzaCampoTesto - n, ' ');
        out += cella;
    }
    out += '\n';
}

std::string testoEsportazione(const std::vector<const Griglia*>& griglie) {
    std::string out;
    for (const Griglia* g : griglie) {
        if (g == nullptr) continue;
        for (int r = 0; r < g->righe(); ++r) aggiungiRigaTesto(out, *g, r);
        out += '\n';
    }
    return out;
}

}  // namespace carvela
