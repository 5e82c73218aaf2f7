// The six project readers on arbitrary bytes: the first byte picks the kind, the rest is the
// file. A record that is read must write back to bytes that read again to the same bytes; a
// profile whose counts pass the reader's check must open its two pages and solve within the
// memory its bytes vouch for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_support.h"
#include "profile/grade_method_page.h"
#include "profile/profile_page.h"
#include "project/project_files.h"
#include "project/serializer.h"
#include "project/stored_counts.h"
#include "state/silent_host.h"
#include "state/workspace.h"

namespace {

template <class R>
void giro(const std::vector<uint8_t>& bytes) {
    R letto{};
    if (!carvela::fromBytes(bytes, letto)) return;
    const std::vector<uint8_t> scritti = carvela::toBytes(letto);
    R riletto{};
    if (!carvela::fromBytes(scritti, riletto) || carvela::toBytes(riletto) != scritti) std::abort();
}

// The pages a profile opens on, sized by its counts, and the solve of "&Applica".
void pagineProfilo(const carvela::Profilo& letto) {
    using namespace carvela;
    if (!conteggiErrati(letto).empty()) return;
    Workspace ws;
    ws.Profilo = letto;
    ws.Piano.ProfiloApplicato = letto;
    PaginaProfilo profilo;
    profilo.apri(ws);
    PaginaTipoProfilo metodo;
    metodo.apri(ws);
    metodo.attiva(ws);
    HostMuto host;
    metodo.applica(ws, host);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace carvela;
    if (size < 1) return 0;
    const std::vector<uint8_t> bytes(data + 1, data + size);
    switch (data[0] % 8) {
    case 0: giro<Planimetria>(bytes); break;
    case 1: {
        giro<Profilo>(bytes);
        Profilo letto;
        if (fromBytes(bytes, letto)) pagineProfilo(letto);
        break;
    }
    case 2: giro<FileSezioni>(bytes); break;
    case 3: giro<OpenTraverse>(bytes); break;
    case 4: giro<ClosedTraverse>(bytes); break;
    case 5: giro<TriangulationChain>(bytes); break;
    case 6: {
        // The plan as the open command reads it, sections, volume table and profile copied out.
        const std::string path = fuzz::fileTemporaneo("progetto.pln", bytes.data(), bytes.size());
        Planimetria piano;
        VbArray<Sezione> sezioni;
        sezioni.redim(1);
        TabellaPaleggi paleggi;
        Profilo profilo;
        if (leggiFilePiano(path, piano, sezioni, paleggi, profilo) &&
            sezioni.upperBound() < std::max(piano.NumeroIntersezioni, 0))
            std::abort();
        break;
    }
    default: {
        const std::string path = fuzz::fileTemporaneo("progetto.sez", bytes.data(), bytes.size());
        VbArray<Sezione> sezioni;
        sezioni.redim(1);
        leggiFileSezioni(path, sezioni);
        break;
    }
    }
    return 0;
}
