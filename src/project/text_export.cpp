#include "project/text_export.h"

#include "project/codepage.h"
#include "project/project_files.h"
#include "state/host.h"

namespace carvela {
namespace {

// Characters, not bytes: an accented heading takes one place in the field.
std::size_t caratteri(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

void aggiungiRiga(std::string& out, const Griglia& g, int r) {
    for (int c = 0; c < g.colonne(); ++c) {
        const std::string& cella = g.cella(r, c);
        const std::size_t n = caratteri(cella);
        if (n < kLarghezzaCampoTesto) out.append(kLarghezzaCampoTesto - n, ' ');
        out += cella;
    }
    out += '\n';
}

}  // namespace

std::string testoEsportazione(const std::vector<const Griglia*>& griglie) {
    std::string out;
    for (const Griglia* g : griglie) {
        if (g == nullptr) continue;
        for (int r = 0; r < g->righe(); ++r) aggiungiRiga(out, *g, r);
        out += '\n';
    }
    return out;
}

void esportaTesto(Host& host, const std::vector<const Griglia*>& griglie,
                  const std::function<void(bool visibile)>& mostraChiamante) {
    const std::string path = host.salvaFile("", "File di testo (*.txt) | *.TXT", "Esporta file di testo");
    if (path.empty()) return;
    if (mostraChiamante) mostraChiamante(false);
    host.mostraAttesa();
    host.CaptionLabel("Salvataggio in corso...");

    std::string testo;
    for (const Griglia* g : griglie) {
        if (g == nullptr) continue;
        host.ImpostaBarra(barraPerConteggio(g->righe() - 1));
        for (int r = 0; r < g->righe(); ++r) {
            aggiungiRiga(testo, *g, r);
            host.AggiornaSatoBarra(posizionePerElemento(r));
        }
        testo += '\n';
    }
    const std::string byte = utf8ToCp1252(testo);
    // Written whole through a temporary file: a failure never leaves half an export.
    const std::string errore = scriviByteAtomico(path, std::vector<uint8_t>(byte.begin(), byte.end()), false);

    host.chiudiAttesa();
    if (mostraChiamante) mostraChiamante(true);
    if (!errore.empty()) host.messaggio("Impossibile creare il file " + path + ": " + errore + ".");
}

}  // namespace carvela
