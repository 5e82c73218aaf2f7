// The ASCII profile reader on arbitrary text: a file either gives a profile whose tables hold
// what its counts say, with finite numbers only, or a message and the profile untouched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_support.h"
#include "profile/ascii_profile.h"
#include "project/records.h"
#include "state/silent_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace carvela;
    const std::string path = fuzz::fileTemporaneo("profilo.pro", data, size);
    HostMuto host;
    Profilo profilo;
    if (!importaProfiloAscii(path, profilo, host)) {
        if (!(profilo == Profilo{})) std::abort();
        return 0;
    }
    if (profilo.NumeroSezioni > 0 && !profilo.Progressive.has(profilo.NumeroSezioni)) std::abort();
    if (profilo.NumeroLivellette > 0 && profilo.PuntiLivelletta.upperBound() < profilo.NumeroLivellette) std::abort();
    fuzz::controllaFinito("profilo importato", profilo);
    // What was read is written again and read back.
    const std::string copia = path + ".2.pro";
    if (esportaProfiloAscii(copia, profilo, host)) {
        Profilo riletto;
        if (!importaProfiloAscii(copia, riletto, host)) std::abort();
    }
    return 0;
}
