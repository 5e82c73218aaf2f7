#pragma once
// A large contour-line drawing for the reader benchmark: an R12 file with a header holding
// the limits and, in the ENTITIES section, 3D polylines (flags 8) of 32-flag vertices with
// survey-sized coordinates, as a surveying program exports a terrain model.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace carvela::bench {

// Writes about `byte` bytes (at least the header and one contour line) to `path`, LF line
// ends; returns the size written or 0 on failure.
inline std::size_t generaCurveDxf(const std::string& path, std::size_t byte) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::string buf;
    buf.reserve(1 << 20);
    std::size_t scritti = 0;
    auto svuota = [&] {
        scritti += std::fwrite(buf.data(), 1, buf.size(), f);
        buf.clear();
    };
    auto coppia = [&](int codice, const char* valore) {
        char riga[64];
        std::snprintf(riga, sizeof riga, "%3d\n%s\n", codice, valore);
        buf += riga;
    };
    auto numero = [&](int codice, double v) {
        char riga[64];
        std::snprintf(riga, sizeof riga, "%3d\n%.3f\n", codice, v);
        buf += riga;
    };
    const double x0 = 1512000, y0 = 5034000;
    coppia(0, "SECTION"), coppia(2, "HEADER");
    coppia(9, "$ACADVER"), coppia(1, "AC1009");
    coppia(9, "$LIMMIN"), numero(10, x0 - 3000), numero(20, y0 - 3000);
    coppia(9, "$LIMMAX"), numero(10, x0 + 3000), numero(20, y0 + 3000);
    coppia(0, "ENDSEC"), coppia(0, "SECTION"), coppia(2, "ENTITIES");

    // Rings of a hill, each a little wavy; elevation one metre apart.
    for (int anello = 0; scritti + buf.size() < byte; ++anello) {
        const double quota = 250.0 + std::fmod(anello, 2000.0);
        const double raggio = 20.0 + 1.3 * std::fmod(anello, 2000.0);
        coppia(0, "POLYLINE"), coppia(8, "CURVE_LIVELLO"), coppia(66, "1");
        numero(10, 0), numero(20, 0), numero(30, quota), coppia(70, "8");
        const int vertici = 64 + static_cast<int>(raggio / 4);
        for (int v = 0; v <= vertici; ++v) {
            const double a = 6.283185307179586 * v / vertici;
            const double r = raggio * (1 + 0.05 * std::sin(5 * a + anello));
            coppia(0, "VERTEX"), coppia(8, "CURVE_LIVELLO");
            numero(10, x0 + r * std::sin(a)), numero(20, y0 + r * std::cos(a)), numero(30, quota);
            coppia(70, "32");
        }
        coppia(0, "SEQEND"), coppia(8, "CURVE_LIVELLO");
        if (buf.size() > (1 << 20) - 4096) svuota();
    }
    coppia(0, "ENDSEC"), coppia(0, "EOF");
    svuota();
    const bool ok = std::fclose(f) == 0;
    return ok ? scritti : 0;
}

// The benchmark's file, made once and kept in the temporary folder.
inline std::string fileCurveDxf(std::size_t byte) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("carvela_curve_" + std::to_string(byte >> 20) + "MB.dxf")).string();
    std::error_code ec;
    const auto dimensione = std::filesystem::file_size(path, ec);
    if (ec || dimensione < byte) generaCurveDxf(path, byte);
    return path;
}

}  // namespace carvela::bench
