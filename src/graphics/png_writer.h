#pragma once
// A small PNG writer: 8-bit RGB, no filtering, the image data deflated by zlib.
#include <cstdint>
#include <string>
#include <vector>

namespace carvela {

// CRC-32 of PNG chunks (polynomial 0xEDB88320), continuing from `crc` (0 to start).
uint32_t crc32(const uint8_t* dati, std::size_t n, uint32_t crc = 0);
// Adler-32 of zlib streams, continuing from `adler` (1 to start).
uint32_t adler32(const uint8_t* dati, std::size_t n, uint32_t adler = 1);

// The PNG file of an image given as rows top to bottom, 3 bytes per pixel; empty when the
// compression could not get its memory.
std::vector<uint8_t> codificaPng(int larghezza, int altezza, const std::vector<uint8_t>& rgb);
// Writes it to a file; an empty string or the reason of the failure.
std::string scriviPng(const std::string& path, int larghezza, int altezza, const std::vector<uint8_t>& rgb);

}  // namespace carvela
