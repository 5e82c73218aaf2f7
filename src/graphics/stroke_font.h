#pragma once
// The stroke font: every text on the drawings is made of lines and arcs, so it scales
// with the view and can be written horizontally or vertically.
#include <cstdint>
#include <string_view>

namespace carvela {
struct Vista;
class Canvas;

// Writes `testo` with its reference corner at canvas point (x0, y0). `s` is the view scale,
// `altezza` the character height in world units; vertical text (verticale != 0) reads from
// bottom to top. At most 255 characters are written.
void scriviTesto(Vista& vista, Canvas& canvas, float s, double x0, double y0, uint8_t verticale,
                 float altezza, int colore, std::string_view testo);

// Whether the character has a glyph (after upper-casing): the digits, ". - + = ( ) ," and
// the capitals except those the font leaves out, and the superscripts ² and ³.
bool haGlifo(char32_t carattere);

}  // namespace carvela
