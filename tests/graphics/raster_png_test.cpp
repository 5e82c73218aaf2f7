#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <set>

#include "graphics/png_writer.h"
#include "graphics/raster_canvas.h"
#include "plan_sample.h"
#include "project/project_files.h"
#include "support/sample_records.h"

namespace carvela {
namespace {

uint32_t leggi32(const std::vector<uint8_t>& b, std::size_t p) {
    return (uint32_t(b[p]) << 24) | (uint32_t(b[p + 1]) << 16) | (uint32_t(b[p + 2]) << 8) | b[p + 3];
}

// Reads back a PNG of stored deflate blocks, checking every CRC and the Adler-32.
struct Immagine {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;
    ColoreRgb pixel(int x, int y) const {
        const std::size_t p = (std::size_t(y) * w + x) * 3;
        return {rgb[p], rgb[p + 1], rgb[p + 2]};
    }
};

::testing::AssertionResult decodifica(const std::vector<uint8_t>& png, Immagine& out) {
    const uint8_t firma[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || !std::equal(firma, firma + 8, png.begin())) return ::testing::AssertionFailure() << "firma";
    std::vector<uint8_t> idat;
    std::size_t p = 8;
    bool fine = false;
    while (p + 12 <= png.size()) {
        const uint32_t n = leggi32(png, p);
        const std::string tipo(png.begin() + p + 4, png.begin() + p + 8);
        if (crc32(&png[p + 4], n + 4) != leggi32(png, p + 8 + n))
            return ::testing::AssertionFailure() << "crc " << tipo;
        if (tipo == "IHDR") {
            out.w = int(leggi32(png, p + 8));
            out.h = int(leggi32(png, p + 12));
            if (png[p + 16] != 8 || png[p + 17] != 2) return ::testing::AssertionFailure() << "not 8-bit RGB";
        } else if (tipo == "IDAT") {
            idat.insert(idat.end(), png.begin() + p + 8, png.begin() + p + 8 + n);
        } else if (tipo == "IEND") {
            fine = true;
        }
        p += 12 + n;
    }
    if (!fine || p != png.size()) return ::testing::AssertionFailure() << "chunks";
    if (idat.size() < 6 || ((idat[0] << 8) | idat[1]) % 31 != 0) return ::testing::AssertionFailure() << "zlib header";
    const std::size_t riga = 1 + std::size_t(out.w) * 3;
    std::vector<uint8_t> grezzi(riga * out.h + 1);
    uLongf n = grezzi.size();
    if (uncompress(grezzi.data(), &n, idat.data(), idat.size()) != Z_OK) return ::testing::AssertionFailure() << "zlib";
    grezzi.resize(n);
    if (grezzi.size() != riga * out.h) return ::testing::AssertionFailure() << "size";
    for (int y = 0; y < out.h; ++y) {
        if (grezzi[y * riga] != 0) return ::testing::AssertionFailure() << "filter";
        out.rgb.insert(out.rgb.end(), grezzi.begin() + y * riga + 1, grezzi.begin() + (y + 1) * riga);
    }
    return ::testing::AssertionSuccess();
}

bool uguale(ColoreRgb a, int indice) {
    const ColoreRgb b = colorePalette(indice);
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

}  // namespace

TEST(PngWriter, ChecksumsAndRoundTrip) {
    const auto byte = [](const std::string& t) { return reinterpret_cast<const uint8_t*>(t.data()); };
    EXPECT_EQ(crc32(byte("123456789"), 9), 0xCBF43926u);
    EXPECT_EQ(adler32(byte("Wikipedia"), 9), 0x11E60398u);
    // Long runs of 0xFF, where the sums need their reductions.
    const std::vector<uint8_t> pieni(100000, 0xFF);
    EXPECT_EQ(adler32(pieni.data(), pieni.size()), 0x149A302Cu);

    // An image larger than one stored block (65535 bytes) survives the trip.
    RasterCanvas c(300, 200);
    c.setPixel(0, 0, 12);
    c.setPixel(299, 199, 10);
    c.box(100, 50, 120, 60, 14, true);
    Immagine img;
    ASSERT_TRUE(decodifica(codificaPng(300, 200, c.rgb()), img));
    EXPECT_EQ(std::pair(img.w, img.h), std::pair(300, 200));
    EXPECT_EQ(img.rgb, c.rgb());
    EXPECT_TRUE(uguale(img.pixel(0, 0), 12) && uguale(img.pixel(299, 199), 10) && uguale(img.pixel(110, 55), 14));
    EXPECT_FALSE(scriviPng("/nonexistent-folder/x.png", 3, 3, c.rgb()).empty());
}

TEST(RasterCanvas, PrimitivesLandOnTheirPixels) {
    RasterCanvas c(200, 200);
    const auto acceso = [&](int x, int y, int colore) { return uguale(c.pixel(x, y), colore); };
    c.setForeColor(15);
    c.moveTo(10, 10);
    c.lineTo(60, 35);
    EXPECT_TRUE(acceso(10, 10, 15) && acceso(60, 35, 15) && acceso(30, 20, 15));
    // An ellipse twice as high as wide, not filled; an arc of its upper half only.
    c.circle(100, 100, 40, 11, 2.0);
    EXPECT_TRUE(acceso(100, 60, 11) && acceso(120, 100, 11) && acceso(100, 100, 0));
    c.clear();
    c.arc(100, 100, 30, 12, 0, 3.14159);
    EXPECT_TRUE(acceso(100, 70, 12) && acceso(100, 130, 0));
    // Going round through zero: from 3/2 pi to pi/2 is the right half.
    c.clear();
    c.arc(100, 100, 30, 12, 4.712389, 1.570796);
    EXPECT_TRUE(acceso(130, 100, 12) && acceso(70, 100, 0));
    // A Bezier chain passes through its end points and bends toward its handles.
    c.clear();
    c.setForeColor(10);
    c.polyBezier({{10, 150}, {10, 100}, {90, 100}, {90, 150}});
    EXPECT_TRUE(acceso(10, 150, 10) && acceso(90, 150, 10));
    int alto = 0, accesi = 0;
    for (int y = 0; y < 200; ++y) alto += acceso(50, y, 10) ? y : 0;
    EXPECT_NEAR(alto, 112, 2);  // midpoint of the curve: y = 150 - 0.75 * 50
    // A chain that leaves the picture and comes back: the pieces crossing the border draw
    // their part inside, the one wholly outside nothing.
    c.clear();
    c.polyBezier({{20, 10},
                  {20, 10},
                  {-5000, 10},
                  {-5000, 10},
                  {-6000, 10},
                  {-6000, 60},
                  {-5000, 60},
                  {-5000, 60},
                  {150, 60},
                  {150, 60}});
    accesi = 0;
    for (int x = 0; x < 200; ++x) accesi += acceso(x, 10, 10) + acceso(x, 60, 10);
    EXPECT_EQ(accesi, 21 + 151);
    // Dashes leave gaps; lines far outside the picture are clipped, not walked.
    c.clear();
    c.setDrawStyle(StileTratto::Tratteggiato);
    c.line(0, 5, 199, 5, 15);
    accesi = 0;
    for (int x = 0; x < 200; ++x) accesi += acceso(x, 5, 15);
    EXPECT_EQ(accesi, 120);
    c.setDrawStyle(StileTratto::Continuo);
    c.line(-1e12, 50, 1e12, 50, 14);
    EXPECT_TRUE(acceso(0, 50, 14) && acceso(199, 50, 14));
    c.circle(1e15, 1e15, 1e14, 14);
    c.line(NAN, 0, 10, 10, 14);
}

TEST(RenderCommand, WritesThePlanAsAPicture) {
    campioni::CartellaTemporanea cartella;
    const std::string pln = cartella.file("collina.pln"), png = cartella.file("collina.png");
    ASSERT_EQ(scriviRecord(pln, prova::pianoDiProva(), false), "");
    const auto render = [&](const std::string& argomenti) {
        return std::system((std::string(CARVELA_CLI) + " render " + argomenti + " 2>/dev/null").c_str());
    };
    ASSERT_EQ(render("'" + pln + "' '" + png + "' --width 800 --height 500"), 0);
    std::vector<uint8_t> byte;
    ASSERT_TRUE(leggiFileByte(png, byte));
    Immagine img;
    ASSERT_TRUE(decodifica(byte, img));
    EXPECT_EQ(std::pair(img.w, img.h), std::pair(800, 500));
    // Every colour of the plan drawing shows (points, stations, contours, labels, axis), and the
    // drawing is fitted: it spans the picture one way, centred the other way.
    std::set<int> colori;
    int sinistra = img.w, destra = 0, alto = img.h, basso = 0;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            for (int k : {10, 11, 12, 14, 15})
                if (uguale(img.pixel(x, y), k)) colori.insert(k);
            if (uguale(img.pixel(x, y), 0)) continue;
            sinistra = std::min(sinistra, x), destra = std::max(destra, x);
            alto = std::min(alto, y), basso = std::max(basso, y);
        }
    EXPECT_EQ(colori, (std::set<int>{10, 11, 12, 14, 15}));
    const bool largo = sinistra < 40 && destra > img.w - 40, alto_ = alto < 40 && basso > img.h - 40;
    EXPECT_TRUE(largo || alto_) << sinistra << " " << destra << " " << alto << " " << basso;
    EXPECT_NEAR(sinistra, img.w - 1 - destra, 40);
    EXPECT_NEAR(alto, img.h - 1 - basso, 40);

    // Bad input: a missing file, an unknown document, a picture size out of range.
    EXPECT_NE(render("/nonexistent.pln '" + png + "'"), 0);
    EXPECT_NE(render("'" + pln + "' '" + png + "' --doc x"), 0);
    EXPECT_NE(render("'" + pln + "' '" + png + "' --width 0"), 0);
}

}  // namespace carvela
