// The volume table: average end areas on net areas, zero points, mass ordinates, and the
// rows of the volume window.
#include "sections/volumes.h"

#include <gtest/gtest.h>

#include <vector>

#include "project/records.h"

using namespace carvela;

namespace {

struct DatiSezione {
    float progressiva, sterro, riporto;
};

VbArray<Sezione> sezioni(const std::vector<DatiSezione>& dati) {
    VbArray<Sezione> out(static_cast<int32_t>(dati.size()));
    for (std::size_t i = 0; i < dati.size(); ++i) {
        Sezione& s = out[static_cast<int32_t>(i + 1)];
        s.Numero = static_cast<int16_t>(i + 1);
        s.Progressiva = dati[i].progressiva;
        s.AreaSterro = dati[i].sterro;
        s.AreaRiporto = dati[i].riporto;
    }
    return out;
}

std::vector<std::string> riga(const Griglia& g, int r) {
    std::vector<std::string> out;
    for (int c = 0; c < g.colonne(); ++c) out.push_back(g.testo(r, c));
    return out;
}

}  // namespace

TEST(Paleggi, VolumiSenzaCambioDiSegno) {
    // Net +10 and +30 over 20 m: 400 m3. Cut and fill compensate inside each section first.
    VbArray<Sezione> s = sezioni({{0, 12, -2}, {20, 35, -5}});
    TabellaPaleggi t;
    costruisciPaleggi(s, 2, 10, t);
    EXPECT_EQ(t.Versione, 1);
    EXPECT_FLOAT_EQ(t.ScalaVolumi, 10);
    ASSERT_EQ(t.NumeroPunti, 2);
    EXPECT_FLOAT_EQ(t.Ordinate[1], 0);
    EXPECT_FLOAT_EQ(t.Ordinate[2], 400);
    EXPECT_FLOAT_EQ(t.ProgressivePunti[2], 20);
    EXPECT_EQ(t.Segmenti[1], (RigaPaleggio{1, 0, 2, 20}));
    EXPECT_FLOAT_EQ(t.AreeSterro[2], 35);
    EXPECT_FLOAT_EQ(t.AreeRiporto[2], -5);
    EXPECT_FLOAT_EQ(t.ProgressiveSezioni[1], 20);
    EXPECT_FLOAT_EQ(t.ProgressiveSezioni[0], 0);

    Griglia g = grigliaPaleggi(t);
    ASSERT_EQ(g.righe(), 3);
    EXPECT_EQ(riga(g, 0), (std::vector<std::string>{"Sez. n°", "Dist. Parziale", "Dist. Progressiva", "Area di Sterro",
                                                    "Area di Riporto", "Volume del Terreno", "Eccedenza Totale"}));
    EXPECT_EQ(riga(g, 1),
              (std::vector<std::string>{"1", "0,0000", "0,0000", "12,0000", "-2,0000", "0,0000", "0,0000"}));
    EXPECT_EQ(riga(g, 2),
              (std::vector<std::string>{"2", "20,0000", "20,0000", "35,0000", "-5,0000", "400,0000", "400,0000"}));
    EXPECT_EQ(g.larghezzeColonne, (std::vector<int>{700, 1320, 1320, 1320, 1320, 1320, 1320}));
    EXPECT_EQ(g.altezzaIntestazione, 500);
}

TEST(Paleggi, PuntoDiPassaggioDoveLAreaCambiaSegno) {
    // +10 then -30 over 20 m: zero at 5 m (ordinate 25), the second section at 25 - 225.
    VbArray<Sezione> s = sezioni({{0, 10, 0}, {20, 0, -30}, {50, 0, -30}});
    TabellaPaleggi t;
    costruisciPaleggi(s, 3, 10, t);
    ASSERT_EQ(t.NumeroPunti, 4);
    EXPECT_FLOAT_EQ(t.ProgressivePunti[2], 5);
    EXPECT_FLOAT_EQ(t.Ordinate[2], 25);
    EXPECT_FLOAT_EQ(t.ProgressivePunti[3], 20);
    EXPECT_FLOAT_EQ(t.Ordinate[3], -200);
    EXPECT_FLOAT_EQ(t.Ordinate[4], -200 - 900);

    Griglia g = grigliaPaleggi(t);
    ASSERT_EQ(g.righe(), 5);
    // The zero point row shows the next section's areas and the first part's volume.
    EXPECT_EQ(riga(g, 2),
              (std::vector<std::string>{"*", "5,0000", "5,0000", "0,0000", "-30,0000", "25,0000", "25,0000"}));
    EXPECT_EQ(riga(g, 3),
              (std::vector<std::string>{"2", "15,0000", "20,0000", "0,0000", "-30,0000", "-225,0000", "-200,0000"}));
    EXPECT_EQ(riga(g, 4),
              (std::vector<std::string>{"3", "30,0000", "50,0000", "0,0000", "-30,0000", "-900,0000", "-1100,0000"}));

    // A net area of exactly 0 at a section never makes a zero point.
    VbArray<Sezione> zero = sezioni({{0, 10, 0}, {10, 5, -5}, {20, 0, -10}});
    costruisciPaleggi(zero, 3, 10, t);
    EXPECT_EQ(t.NumeroPunti, 3);
    EXPECT_FLOAT_EQ(t.Ordinate[3], 50 - 50);
    EXPECT_EQ(grigliaPaleggi(t).righe(), 4);
}

TEST(Paleggi, CasiLimite) {
    TabellaPaleggi t;
    // One section: one point at ordinate 0.
    VbArray<Sezione> una = sezioni({{0, 7, -1}});
    costruisciPaleggi(una, 1, 10, t);
    ASSERT_EQ(t.NumeroPunti, 1);
    EXPECT_FLOAT_EQ(t.Ordinate[1], 0);
    EXPECT_EQ(grigliaPaleggi(t).testo(1, 6), "0,0000");

    // No section: an empty table, a grid of headings only.
    costruisciPaleggi(una, 0, 10, t);
    EXPECT_EQ(t.NumeroPunti, 0);
    EXPECT_EQ(grigliaPaleggi(t).righe(), 1);

    // A count beyond the list takes the sections there are.
    costruisciPaleggi(una, 5, 10, t);
    EXPECT_EQ(t.NumeroPunti, 1);

    // A road that does not start at progressive 0 starts its diagram at its first section.
    VbArray<Sezione> dopo = sezioni({{100, 10, 0}, {120, 10, 0}});
    costruisciPaleggi(dopo, 2, 10, t);
    EXPECT_FLOAT_EQ(t.ProgressivePunti[1], 100);
    EXPECT_FLOAT_EQ(t.Ordinate[2], 200);
    EXPECT_EQ(grigliaPaleggi(t).testo(1, 2), "100,0000");

    // A section whose solve failed counts with zero areas, not with what it held.
    VbArray<Sezione> guasta = sezioni({{0, 10, 0}, {20, 999, -1}, {40, 10, 0}});
    guasta[2].Risolta = false;
    costruisciPaleggi(guasta, 3, 10, t);
    EXPECT_FLOAT_EQ(t.AreeSterro[2], 0);
    EXPECT_FLOAT_EQ(t.AreeRiporto[2], 0);
    EXPECT_FLOAT_EQ(t.Ordinate[3], 100 + 100);

    // A table from a damaged file whose count exceeds its lists still fills every row.
    TabellaPaleggi rotta;
    rotta.NumeroPunti = 3;
    Griglia g = grigliaPaleggi(rotta);
    EXPECT_EQ(g.righe(), 4);
    EXPECT_EQ(g.testo(3, 6), "0,0000");
}
