// The DXF reader on arbitrary text, from memory and from a file: both must give the same
// entities and the same drawing limits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "dxf/dxf_reader.h"
#include "fuzz_support.h"
#include "state/silent_host.h"

namespace {

void controllaEntita(const carvela::DxfEntity& e) {
    for (float v : {e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2, e.R, e.AngoloIniziale, e.AngoloFinale})
        if (!std::isfinite(v)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace carvela;
    const std::string_view testo(reinterpret_cast<const char*>(data), size);
    VbArray<DxfEntity> memoria;
    LimitiDxf limitiMemoria;
    // No origin asked for: a drawing far from 0 gets one near it, the same on both paths.
    const OrigineProgetto nessuna;
    LetturaDxf lettura;
    convertiDxf(testo, memoria, limitiMemoria, nullptr, &lettura, &nessuna);
    for (const DxfEntity& e : memoria.raw()) controllaEntita(e);

    // A binary drawing is refused by the file path only.
    if (size >= 18 && std::memcmp(data, "AutoCAD Binary DXF", 18) == 0) return 0;
    const std::string path = fuzz::fileTemporaneo("disegno.dxf", data, size);
    HostMuto host;
    VbArray<DxfEntity> file;
    LimitiDxf limitiFile;
    // Text that is no drawing is refused by the file path and converted to nothing in memory.
    LetturaDxf letturaFile;
    if (!leggiFileDxf(path, file, limitiFile, host, &letturaFile, &nessuna)) {
        if (lettura.esito != EsitoLetturaDxf::NonDxf) std::abort();
        return 0;
    }
    if (lettura.esito != EsitoLetturaDxf::Letto || !(letturaFile.origine == lettura.origine)) std::abort();
    if (file.upperBound() != memoria.upperBound()) {
        std::fprintf(stderr, "entità: file %d, memoria %d\n", file.upperBound(), memoria.upperBound());
        std::abort();
    }
    for (int32_t i = 0; i <= file.upperBound(); ++i)
        if (!(file[i] == memoria[i])) {
            std::fprintf(stderr, "entità %d diversa tra file e memoria\n", i);
            std::abort();
        }
    if (limitiFile.completi() != limitiMemoria.completi() || limitiFile.minX != limitiMemoria.minX ||
        limitiFile.maxY != limitiMemoria.maxY)
        std::abort();
    return 0;
}
