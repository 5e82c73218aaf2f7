#include <gtest/gtest.h>

#include <cmath>

#include "graphics/recording_canvas.h"
#include "graphics/stroke_font.h"
#include "graphics/view.h"

namespace carvela {
namespace {

using Op = OperazioneCanvas;

std::vector<Op> scrivi(const std::string& testo, uint8_t verticale = 0, double x0 = 100, double y0 = 200,
                       float s = 2, float altezza = 10, int colore = 14) {
    Vista v;
    RecordingCanvas c;
    scriviTesto(v, c, s, x0, y0, verticale, altezza, colore, testo);
    return c.operazioni;
}

// Where each glyph starts: the first operation of each glyph is a pen move or a curve, so
// compare whole sequences glyph by glyph instead.
bool uguali(const std::vector<Op>& a, const std::vector<Op>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].tipo != b[i].tipo || a[i].colore != b[i].colore) return false;
        if (std::fabs(a[i].a - b[i].a) > 1e-9 || std::fabs(a[i].b - b[i].b) > 1e-9 ||
            std::fabs(a[i].c - b[i].c) > 1e-9 || std::fabs(a[i].d - b[i].d) > 1e-9 ||
            std::fabs(a[i].inizio - b[i].inizio) > 1e-9 || std::fabs(a[i].fine - b[i].fine) > 1e-9 ||
            std::fabs(a[i].aspetto - b[i].aspetto) > 1e-9)
            return false;
    }
    return true;
}

std::vector<Op> concatena(std::vector<Op> a, const std::vector<Op>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(StrokeFont, WorkedGlyphs) {
    // h = s * size = 20; reference corner (100, 200); v up is canvas y down.
    auto due = scrivi("2");
    ASSERT_EQ(due.size(), 4u);
    EXPECT_EQ(due[0].tipo, Op::MoveTo);
    EXPECT_EQ(due[0].a, 110);
    EXPECT_EQ(due[0].b, 200);
    EXPECT_EQ(due[1].tipo, Op::LineTo);
    EXPECT_EQ(due[1].c, 100);
    EXPECT_EQ(due[1].d, 200);
    EXPECT_EQ(due[1].colore, 14);
    EXPECT_EQ(due[2].c, 110);
    EXPECT_EQ(due[2].d, 185);
    EXPECT_EQ(due[3].tipo, Op::Arc);
    EXPECT_DOUBLE_EQ(due[3].a, 105);
    EXPECT_DOUBLE_EQ(due[3].b, 185);
    EXPECT_DOUBLE_EQ(due[3].c, 5);
    EXPECT_DOUBLE_EQ(due[3].inizio, 0);
    EXPECT_DOUBLE_EQ(due[3].fine, 3.1);
    EXPECT_DOUBLE_EQ(due[3].aspetto, 1);
    EXPECT_EQ(due[3].colore, 14);

    auto zero = scrivi("0");
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0].tipo, Op::Circle);
    EXPECT_DOUBLE_EQ(zero[0].a, 105);
    EXPECT_DOUBLE_EQ(zero[0].b, 190);
    EXPECT_DOUBLE_EQ(zero[0].c, 10);
    EXPECT_DOUBLE_EQ(zero[0].aspetto, 2);

    auto punto = scrivi(".");
    ASSERT_EQ(punto.size(), 1u);
    EXPECT_DOUBLE_EQ(punto[0].a, 102.5);
    EXPECT_DOUBLE_EQ(punto[0].b, 197.5);
    EXPECT_NEAR(punto[0].c, 0.6, 1e-12);

    auto parentesi = scrivi("(");
    ASSERT_EQ(parentesi.size(), 1u);
    EXPECT_EQ(parentesi[0].tipo, Op::Arc);
    EXPECT_DOUBLE_EQ(parentesi[0].a, 108);
    EXPECT_DOUBLE_EQ(parentesi[0].b, 190);
    EXPECT_DOUBLE_EQ(parentesi[0].c, 10);
    EXPECT_DOUBLE_EQ(parentesi[0].inizio, 1.57);
    EXPECT_DOUBLE_EQ(parentesi[0].fine, 4.61);
    EXPECT_DOUBLE_EQ(parentesi[0].aspetto, 1.7);
}

TEST(StrokeFont, AdvancesAndCharactersWithoutGlyph) {
    // 0.6 h = 12 for most glyphs, 0.4 h = 8 after "." and ")".
    EXPECT_TRUE(uguali(scrivi("12"), concatena(scrivi("1"), scrivi("2", 0, 112))));
    EXPECT_TRUE(uguali(scrivi("1.2"), concatena(concatena(scrivi("1"), scrivi(".", 0, 112)), scrivi("2", 0, 120))));
    EXPECT_TRUE(uguali(scrivi(")A"), concatena(scrivi(")"), scrivi("A", 0, 108))));
    // A character without a glyph repeats the advance before it; leading ones have none.
    EXPECT_TRUE(uguali(scrivi("1/2"), concatena(scrivi("1"), scrivi("2", 0, 124))));
    EXPECT_TRUE(uguali(scrivi(".:2"), concatena(scrivi("."), scrivi("2", 0, 116))));
    EXPECT_TRUE(uguali(scrivi("  5"), scrivi("5")));
    EXPECT_TRUE(uguali(scrivi("1\xC3\xA8" "2"), concatena(scrivi("1"), scrivi("2", 0, 124))));  // "1è2"
    // Lower case is written in capitals.
    EXPECT_TRUE(uguali(scrivi("p1"), scrivi("P1")));
    EXPECT_TRUE(uguali(scrivi("quota km"), scrivi("QUOTA KM")));
    // Advances are whole canvas units: h = 7.5 gives 4.5, rounded to 4 (half to even).
    EXPECT_TRUE(uguali(scrivi("11", 0, 100, 200, 1, 7.5f), concatena(scrivi("1", 0, 100, 200, 1, 7.5f),
                                                                   scrivi("1", 0, 104, 200, 1, 7.5f))));

    int glifi = 0;
    for (char32_t c = 0; c < 128; ++c) glifi += haGlifo(c) && !(c >= 'a' && c <= 'z');
    EXPECT_EQ(glifi, 43);
    for (char c : std::string("1234567890.-+=(),ABCDEFGHILMNOPQRSTUVZXYKWJ")) EXPECT_TRUE(haGlifo(c)) << c;
    for (char c : std::string(" /:*?'\"")) EXPECT_FALSE(haGlifo(c)) << c;
}

TEST(StrokeFont, VerticalTextReadsUpwards) {
    // "AB": "B" at the reference point, "A" 0.6 h below it.
    EXPECT_TRUE(uguali(scrivi("AB", 1), concatena(scrivi("B", 1), scrivi("A", 1, 100, 212))));
    // A glyph turns a quarter turn anticlockwise: (u, v) goes to (x0 - v h, y0 - u h).
    auto due = scrivi("2", 1);
    ASSERT_EQ(due.size(), 4u);
    EXPECT_EQ(due[0].a, 100);
    EXPECT_EQ(due[0].b, 190);
    EXPECT_EQ(due[2].c, 85);
    EXPECT_EQ(due[2].d, 190);
    EXPECT_DOUBLE_EQ(due[3].a, 85);
    EXPECT_DOUBLE_EQ(due[3].b, 195);
    EXPECT_NEAR(due[3].inizio, 1.5707963, 1e-6);
    EXPECT_NEAR(due[3].fine, 3.1 + 1.5707963, 1e-6);
    // The upright ellipse of "0" lies on its side.
    auto zero = scrivi("0", 1);
    EXPECT_DOUBLE_EQ(zero[0].a, 90);
    EXPECT_DOUBLE_EQ(zero[0].b, 195);
    EXPECT_DOUBLE_EQ(zero[0].aspetto, 0.5);
}

TEST(StrokeFont, LongTextsStopAt255CharactersAndMovesTrackTheExtent) {
    const auto lungo = scrivi(std::string(300, '7'));
    EXPECT_EQ(lungo.size(), 255u * 3);  // "7": one move and two lines
    Vista v;
    RecordingCanvas c;
    riavviaEstensione(v);
    scriviTesto(v, c, 1, 50, 60, 0, 10, 11, "T1");
    // Moves of "T" (0,1)/(0.25,1) and "1" (0.1,0.8)/(0.1,0) from 50 and 56.
    EXPECT_EQ(v.estMinX, 50);
    EXPECT_EQ(v.estMaxX, 57);
    EXPECT_EQ(v.estMinY, 50);
    EXPECT_EQ(v.estMaxY, 60);
    EXPECT_EQ(c.foreColor(), 11);
    // Nothing is drawn for a position that is not a number.
    RecordingCanvas d;
    scriviTesto(v, d, 1, NAN, 60, 0, 10, 11, "T1");
    EXPECT_TRUE(d.operazioni.empty());
}

}  // namespace carvela
