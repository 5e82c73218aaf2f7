#pragma once
// What the fuzz targets share: a scratch file per process for the readers that take a path.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace carvela::fuzz {

inline std::string fileTemporaneo(const char* nome, const uint8_t* data, std::size_t size) {
    const char* cartella = std::getenv("TMPDIR");
    const std::string path = std::string(cartella && *cartella ? cartella : "/tmp") + "/carvela-fuzz-" +
                             std::to_string(::getpid()) + "-" + nome;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

}  // namespace carvela::fuzz

#include "project/non_finiti.h"

namespace carvela::fuzz {

// Aborts when a record computed from the input stores a number that is not finite.
template <class R>
void controllaFinito(const char* dove, const R& record) {
    if (const int n = nonFiniti(record)) {
        std::fprintf(stderr, "%d numeri non finiti in %s\n", n, dove);
        std::abort();
    }
}

}  // namespace carvela::fuzz
