#include "graphics/stroke_font.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "graphics/recording_canvas.h"
#include "state/view.h"

namespace carvela {
namespace {

using Op = OperazioneCanvas;

// The strokes of a text as "M x,y" moves, "L x,y" line ends, "A x,y,r,from,to,aspect" arcs and
// "C x,y,r,aspect" circles; every stroke must be in the text's colour.
std::string scrivi(const std::string& testo, uint8_t verticale = 0, double x0 = 100, double y0 = 200, float s = 2,
                   float altezza = 10) {
    Vista v;
    RecordingCanvas c;
    scriviTesto(v, c, s, x0, y0, verticale, altezza, 14, testo);
    std::ostringstream out;
    for (const Op& o : c.operazioni) {
        if (o.colore != 14 && o.tipo != Op::MoveTo) out << "colour " << o.colore << "! ";
        if (o.tipo == Op::MoveTo) out << "M" << o.a << "," << o.b << " ";
        if (o.tipo == Op::LineTo) out << "L" << o.c << "," << o.d << " ";
        if (o.tipo == Op::Arc) out << "A" << o.a << "," << o.b << "," << o.c << "," << o.inizio << "," << o.fine << ",";
        if (o.tipo == Op::Circle) out << "C" << o.a << "," << o.b << "," << o.c << ",";
        if (o.tipo == Op::Arc || o.tipo == Op::Circle) out << o.aspetto << " ";
    }
    return out.str();
}

}  // namespace

TEST(StrokeFont, WorkedGlyphsFlatAndUpright) {
    // h = s * size = 20; reference corner (100, 200); v up is canvas y down.
    EXPECT_EQ(scrivi("2"), "M110,200 L100,200 L110,185 A105,185,5,0,3.1,1 ");
    EXPECT_EQ(scrivi("0"), "C105,190,10,2 ");
    EXPECT_EQ(scrivi("."), "C102.5,197.5,0.6,1 ");
    EXPECT_EQ(scrivi("("), "A108,190,10,1.57,4.61,1.7 ");
    // Vertical: a quarter turn anticlockwise, (u, v) to (x0 - v h, y0 - u h); the upright
    // ellipse of "0" lies on its side.
    EXPECT_EQ(scrivi("2", 1), "M100,190 L100,200 L85,190 A85,195,5,1.5708,4.6708,1 ");
    EXPECT_EQ(scrivi("0", 1), "C90,195,10,0.5 ");
    // Vertical text reads upwards: "B" at the reference point, "A" 0.6 h below it.
    EXPECT_EQ(scrivi("AB", 1), scrivi("B", 1) + scrivi("A", 1, 100, 212));
}

TEST(StrokeFont, AdvancesAndCharactersWithoutGlyph) {
    // 0.6 h = 12 for most glyphs, 0.4 h = 8 after "." and ")".
    EXPECT_EQ(scrivi("12"), scrivi("1") + scrivi("2", 0, 112));
    EXPECT_EQ(scrivi("1.2"), scrivi("1") + scrivi(".", 0, 112) + scrivi("2", 0, 120));
    EXPECT_EQ(scrivi(")A"), scrivi(")") + scrivi("A", 0, 108));
    // A character without a glyph repeats the advance before it; leading ones have none.
    EXPECT_EQ(scrivi("1/2"), scrivi("1") + scrivi("2", 0, 124));
    EXPECT_EQ(scrivi(".:2"), scrivi(".") + scrivi("2", 0, 116));
    EXPECT_EQ(scrivi("  5"), scrivi("5"));
    EXPECT_EQ(scrivi("1\xC3\xA8"
                     "2"),
              scrivi("1") + scrivi("2", 0, 124));  // "1è2"
    // Lower case is written in capitals.
    EXPECT_EQ(scrivi("quota p1"), scrivi("QUOTA P1"));
    // Advances are whole canvas units: h = 7.5 gives 4.5, rounded to 4 (half to even).
    const auto piccolo = [](const char* t, double x0) { return scrivi(t, 0, x0, 200, 1, 7.5f); };
    EXPECT_EQ(piccolo("11", 100), piccolo("1", 100) + piccolo("1", 104));

    int glifi = 0;
    for (char32_t c = 0; c < 128; ++c) glifi += haGlifo(c) && !(c >= 'a' && c <= 'z');
    EXPECT_EQ(glifi, 43);
    for (char c : std::string(" /:*?'\"")) EXPECT_FALSE(haGlifo(c)) << c;
}

TEST(StrokeFont, LongTextsStopAt255CharactersAndMovesTrackTheExtent) {
    EXPECT_EQ(scrivi(std::string(300, '7')), [] {
        std::string s;
        for (int i = 0; i < 255; ++i) s += scrivi("7", 0, 100 + 12 * i);
        return s;
    }());
    Vista v;
    RecordingCanvas c;
    riavviaEstensione(v);
    scriviTesto(v, c, 1, 50, 60, 0, 10, 11, "T1");
    // Moves of "T" (0,1)/(0.25,1) and "1" (0.1,0.8)/(0.1,0) from 50 and 56.
    EXPECT_EQ(std::vector<float>({v.estMinX, v.estMaxX, v.estMinY, v.estMaxY}), std::vector<float>({50, 57, 50, 60}));
    EXPECT_EQ(c.foreColor(), 11);
    // Nothing is drawn for a position that is not a number.
    RecordingCanvas d;
    scriviTesto(v, d, 1, NAN, 60, 0, 10, 11, "T1");
    EXPECT_TRUE(d.operazioni.empty());
}

}  // namespace carvela
