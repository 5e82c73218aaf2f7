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

#include <cmath>

#include "project/serializer.h"

namespace carvela::fuzz {

// Walks a stored record as the file writer does and aborts at the first number that is not
// finite: nothing computed from an input may store a NaN or an infinity.
struct ControlloFinito {
    const char* dove;
    void operator()(int16_t&) {}
    void operator()(int32_t&) {}
    void operator()(uint8_t&) {}
    void operator()(std::string&) {}
    void operator()(float& v) {
        if (!std::isfinite(v)) {
            std::fprintf(stderr, "numero non finito in %s\n", dove);
            std::abort();
        }
    }
    template <class T>
    void operator()(VbArray<T>& a) {
        for (auto& e : a.raw()) (*this)(e);
    }
    template <class T>
    void operator()(VbArray2<T>& a) {
        for (auto& e : a.raw()) (*this)(e);
    }
    template <class R>
    void operator()(R& r) {
        serializza(*this, r);
    }
};

template <class R>
void controllaFinito(const char* dove, R& record) {
    ControlloFinito c{dove};
    c(record);
}

}  // namespace carvela::fuzz
