#include "graphics/stroke_font.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "graphics/recording_canvas.h"
#include "state/view.h"
#include "support/cases.h"

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

TEST(StrokeFont, GlyphsAdvancesAndCharactersWithoutGlyph) {
    for (const test::Caso& c : test::leggiCasi("stroke_font.txt")) {
        SCOPED_TRACE(c.testo);
        std::string testo = c.campi[0];
        if (testo.size() > 1 && testo.front() == '"') testo = testo.substr(1, testo.size() - 2);
        std::vector<double> n = c.numeri(1);
        n.resize(4), n[2] = n[2] ? n[2] : 2, n[3] = n[3] ? n[3] : 10;
        const auto v = static_cast<uint8_t>(n[0]);
        const auto s = static_cast<float>(n[2]), h = static_cast<float>(n[3]);
        std::string atteso = c.campi[2];
        if (atteso.rfind("=", 0) == 0) {
            atteso.clear();
            for (const std::string& pezzo : c.lista(2)) {
                const std::size_t at = pezzo.rfind('@'), virgola = pezzo.find(',', at);
                const double y0 = virgola == std::string::npos ? 200 : std::stod(pezzo.substr(virgola + 1));
                atteso += scrivi(pezzo.substr(pezzo[0] == '=' ? 2 : 0, at - (pezzo[0] == '=' ? 2 : 0)), v,
                                 std::stod(pezzo.substr(at + 1)), y0, s, h);
            }
        } else {
            atteso += ' ';
        }
        EXPECT_EQ(scrivi(testo, v, n[1], 200, s, h), atteso);
    }

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
