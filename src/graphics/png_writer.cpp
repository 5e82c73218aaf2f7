#include "graphics/png_writer.h"

#include <zlib.h>

#include <array>
#include <fstream>

#include "project/project_files.h"

namespace carvela {
namespace {

const std::array<uint32_t, 256>& tabellaCrc() {
    static const std::array<uint32_t, 256> tabella = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return tabella;
}

void aggiungi32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void chunk(std::vector<uint8_t>& out, const char tipo[4], const std::vector<uint8_t>& dati) {
    aggiungi32(out, static_cast<uint32_t>(dati.size()));
    const std::size_t inizio = out.size();
    out.insert(out.end(), tipo, tipo + 4);
    out.insert(out.end(), dati.begin(), dati.end());
    aggiungi32(out, crc32(&out[inizio], out.size() - inizio));
}

}  // namespace

uint32_t crc32(const uint8_t* dati, std::size_t n, uint32_t crc) {
    const auto& t = tabellaCrc();
    uint32_t c = crc ^ 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) c = t[(c ^ dati[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const uint8_t* dati, std::size_t n, uint32_t adler) {
    constexpr uint32_t kModulo = 65521;
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    while (n > 0) {
        // 5552 bytes is the longest run whose sums cannot overflow 32 bits.
        const std::size_t passo = n < 5552 ? n : 5552;
        for (std::size_t i = 0; i < passo; ++i) {
            a += dati[i];
            b += a;
        }
        a %= kModulo;
        b %= kModulo;
        dati += passo;
        n -= passo;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> codificaPng(int larghezza, int altezza, const std::vector<uint8_t>& rgb) {
    const std::size_t w = larghezza > 0 ? static_cast<std::size_t>(larghezza) : 0;
    const std::size_t h = altezza > 0 ? static_cast<std::size_t>(altezza) : 0;
    // Scanlines: filter byte 0, then the row as it is (missing bytes read as black).
    std::vector<uint8_t> grezzi;
    grezzi.reserve(h * (1 + w * 3));
    for (std::size_t y = 0; y < h; ++y) {
        grezzi.push_back(0);
        for (std::size_t i = 0; i < w * 3; ++i) {
            const std::size_t k = y * w * 3 + i;
            grezzi.push_back(k < rgb.size() ? rgb[k] : 0);
        }
    }
    // zlib stream, deflate at the library's default level: drawings are long runs of one
    // colour, so the pictures shrink to a small part of their pixels.
    uLongf dimensione = compressBound(static_cast<uLong>(grezzi.size()));
    std::vector<uint8_t> zlib(dimensione);
    if (compress2(zlib.data(), &dimensione, grezzi.data(), static_cast<uLong>(grezzi.size()), Z_DEFAULT_COMPRESSION) !=
        Z_OK)
        return {};
    zlib.resize(dimensione);
    std::vector<uint8_t>().swap(grezzi);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    aggiungi32(ihdr, static_cast<uint32_t>(w));
    aggiungi32(ihdr, static_cast<uint32_t>(h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter method, no interlace
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    return png;
}

std::string scriviPng(const std::string& path, int larghezza, int altezza, const std::vector<uint8_t>& rgb) {
    if (larghezza <= 0 || altezza <= 0) return "dimensioni dell'immagine non valide";
    const std::vector<uint8_t> png = codificaPng(larghezza, altezza, rgb);
    if (png.empty()) return "memoria insufficiente per comprimere l'immagine";
    return scriviByteAtomico(path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()), false);
}

}  // namespace carvela
