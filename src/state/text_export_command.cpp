#include "state/text_export_command.h"

#include "project/codepage.h"
#include "project/project_files.h"
#include "project/text_export.h"
#include "state/host.h"

namespace carvela {

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
            aggiungiRigaTesto(testo, *g, r);
            host.AggiornaSatoBarra(posizionePerElemento(r));
        }
        testo += '\n';
    }
    const std::string byte = utf8ToCp1252(testo);
    // Written whole through a temporary file: a failure never leaves half an export.
    const std::string errore = scriviByteAtomico(path, byte, false);

    host.chiudiAttesa();
    if (mostraChiamante) mostraChiamante(true);
    if (!errore.empty()) host.messaggio("Impossibile creare il file " + path + ": " + errore + ".");
}

}  // namespace carvela
