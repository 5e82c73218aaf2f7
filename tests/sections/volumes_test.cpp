// The volume table: average end areas on net areas, zero points, mass ordinates, and the
// rows of the volume window.
#include "sections/volumes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace carvela;

namespace {

// Sections at the given progressives with the given cut and fill areas.
VbArray<Sezione> sezioni(const std::vector<std::vector<float>>& dati) {
    VbArray<Sezione> out(static_cast<int32_t>(dati.size()));
    for (int32_t j = 1; j <= out.upperBound(); ++j) {
        const auto& d = dati[static_cast<std::size_t>(j - 1)];
        out[j].Numero = static_cast<int16_t>(j);
        out[j].Progressiva = d[0], out[j].AreaSterro = d[1], out[j].AreaRiporto = d[2];
    }
    return out;
}

std::vector<std::string> riga(const Griglia& g, int r) {
    std::vector<std::string> out;
    for (int c = 0; c < g.colonne(); ++c) out.push_back(g.testo(r, c));
    return out;
}

}  // namespace

TEST(Paleggi, VolumiEPuntiDiPassaggio) {
    // Net +10 and +30 over 20 m (cut and fill compensated inside each section first): 400 m3.
    TabellaPaleggi t;
    costruisciPaleggi(sezioni({{0, 12, -2}, {20, 35, -5}}), 2, 10, t);
    EXPECT_EQ(std::vector<float>({float(t.Versione), t.ScalaVolumi, float(t.NumeroPunti), t.Ordinate[2]}),
              std::vector<float>({1, 10, 2, 400}));
    EXPECT_EQ(t.Segmenti[1], (RigaPaleggio{1, 0, 2, 20}));
    EXPECT_EQ(std::vector<float>({t.AreeSterro[2], t.AreeRiporto[2], t.ProgressiveSezioni[1]}),
              std::vector<float>({35, -5, 20}));
    Griglia g = grigliaPaleggi(t);
    ASSERT_EQ(g.righe(), 3);
    EXPECT_EQ(std::pair(riga(g, 0).back(), int(g.altezzaIntestazione)), std::pair(std::string("Eccedenza Totale"), 500));
    EXPECT_EQ(riga(g, 1), (std::vector<std::string>{"1", "0,0000", "0,0000", "12,0000", "-2,0000", "0,0000", "0,0000"}));
    EXPECT_EQ(riga(g, 2),
              (std::vector<std::string>{"2", "20,0000", "20,0000", "35,0000", "-5,0000", "400,0000", "400,0000"}));

    // +10 then -30 over 20 m: a zero point at 5 m (ordinate 25), the section at 25 - 225.
    costruisciPaleggi(sezioni({{0, 10, 0}, {20, 0, -30}, {50, 0, -30}}), 3, 10, t);
    ASSERT_EQ(t.NumeroPunti, 4);
    EXPECT_EQ(
        std::vector<float>({t.ProgressivePunti[2], t.Ordinate[2], t.ProgressivePunti[3], t.Ordinate[3], t.Ordinate[4]}),
        std::vector<float>({5, 25, 20, -200, -1100}));
    g = grigliaPaleggi(t);
    ASSERT_EQ(g.righe(), 5);  // the zero row shows the next section's areas and the first part's volume
    EXPECT_EQ(riga(g, 2),
              (std::vector<std::string>{"*", "5,0000", "5,0000", "0,0000", "-30,0000", "25,0000", "25,0000"}));
    EXPECT_EQ(riga(g, 3),
              (std::vector<std::string>{"2", "15,0000", "20,0000", "0,0000", "-30,0000", "-225,0000", "-200,0000"}));
    EXPECT_EQ(riga(g, 4)[5], "-900,0000");

    // A net area of exactly 0 at a section makes no zero point.
    costruisciPaleggi(sezioni({{0, 10, 0}, {10, 5, -5}, {20, 0, -10}}), 3, 10, t);
    EXPECT_EQ(t.NumeroPunti, 3);
    EXPECT_EQ(t.Ordinate[3], 0);
}

TEST(Paleggi, CasiLimite) {
    TabellaPaleggi t;
    // One section: one point at 0; none: headings only; a count past the list: what is there.
    costruisciPaleggi(sezioni({{0, 7, -1}}), 1, 10, t);
    EXPECT_EQ(std::pair(int(t.NumeroPunti), grigliaPaleggi(t).testo(1, 6)), std::pair(1, std::string("0,0000")));
    costruisciPaleggi(sezioni({{0, 7, -1}}), 0, 10, t);
    EXPECT_EQ(grigliaPaleggi(t).righe(), 1);
    costruisciPaleggi(sezioni({{0, 7, -1}}), 5, 10, t);
    EXPECT_EQ(t.NumeroPunti, 1);

    // A road starting past progressive 0 starts its diagram at its first section.
    costruisciPaleggi(sezioni({{100, 10, 0}, {120, 10, 0}}), 2, 10, t);
    EXPECT_EQ(std::pair(t.ProgressivePunti[1], grigliaPaleggi(t).testo(1, 2)), std::pair(100.0f, std::string("100,0000")));

    // A section whose solve failed counts with zero areas, not with what it held.
    VbArray<Sezione> guasta = sezioni({{0, 10, 0}, {20, 999, -1}, {40, 10, 0}});
    guasta[2].Risolta = false;
    costruisciPaleggi(guasta, 3, 10, t);
    EXPECT_EQ(std::vector<float>({t.AreeSterro[2], t.AreeRiporto[2], t.Ordinate[3]}), std::vector<float>({0, 0, 200}));

    // A damaged table whose count exceeds its lists still fills every row, with zeros.
    TabellaPaleggi rotta;
    rotta.NumeroPunti = 3;
    EXPECT_EQ(grigliaPaleggi(rotta).testo(3, 6), "0,0000");
}
