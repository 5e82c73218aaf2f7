// The cross-section solve (areas against closed-form geometry, walls, crossings, flags, the
// sections that cannot be solved) and the volume table built from the solved sections.
#include "sections/section_solve.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sections/fixtures.h"
#include "sections/volumes.h"
#include "support/cases.h"
#include "support/trim2_fixtures.h"

using namespace carvela;
using carvela::prova::vicini;

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

TEST(RisolviSezione, CasiTabellati) {
    for (const test::Caso& caso : test::leggiCasi("section_solve.txt")) {
        // name | width elevation walls | ground x z ... | cut fill | left-x right-x points
        SCOPED_TRACE(caso.nome());
        ASSERT_EQ(caso.campi.size(), 5u);
        const std::vector<double> c[] = {caso.numeri(1), caso.numeri(2), caso.numeri(3), caso.numeri(4)};
        Impostazioni imp;
        imp.MuroSezione = c[0][2] != 0;
        Sezione s = sezioneDi(float(c[0][0]), float(c[0][1]), std::vector<float>(c[1].begin(), c[1].end()));
        EXPECT_EQ(risolviSezioneConEsito(s, imp), EsitoSezione::Risolta);
        EXPECT_TRUE(s.Risolta);
        const double w = c[0][0] / 2;
        EXPECT_TRUE(vicini({s.AreaSterro, s.AreaRiporto, s.XPiedeSinistro, s.XPiedeDestro, s.ScostamentoSinistro,
                            s.ScostamentoDestro, double(s.NumeroPunti)},
                           {c[2][0], c[2][1], c[3][0], c[3][1], c[3][0] + w, c[3][1] - w, c[3][2]}));
        // The solve depends only on its inputs: solving again (walls and all) changes nothing.
        Sezione ancora = s;
        risolviSezione(ancora, imp);
        EXPECT_TRUE(vicini({double(ancora.NumeroPunti), ancora.AreaSterro, ancora.AreaRiporto},
                           {double(s.NumeroPunti), s.AreaSterro, s.AreaRiporto}, 1e-5));
    }
}

TEST(RisolviSezione, CigliIncrociPresenzeMuri) {
    const Impostazioni imp;
    Sezione s = sezioneRisolta(100, {-20, 99, 0, 99, 20, 99});
    EXPECT_EQ(std::vector<float>({s.RossaCiglioSinistro, s.RossaCiglioDestro, s.RossaAsse, s.QuotaTerrenoCiglio}),
              std::vector<float>({1, 1, 1, 99}));
    EXPECT_EQ(std::vector<int>({s.PresenteRiporto, s.PresenteSterro, s.NumeroIntersezioni, s.PoligonoX.upperBound()}),
              std::vector<int>({1, 0, 0, 3 + 5}));

    // One crossing at the axis, red heights of opposite signs; the pieces leave the flags of
    // the last one (cut, on the right).
    Sezione c = sezioneRisolta(100, {-20, 98, 20, 102});
    ASSERT_EQ(c.NumeroIntersezioni, 1);
    EXPECT_TRUE(vicini({c.Intersezioni[1], c.RossaCiglioSinistro, c.Pendenze(2, 1)}, {0, 0.5, 0.1}, 1e-6));
    EXPECT_EQ(std::vector<int>({c.PresenteSterro, c.PresenteRiporto}), std::vector<int>({1, 0}));
    // Only the crossings within the platform are listed, in order.
    Sezione z = sezioneDi(12, 10, {-15, 10.5f, -4, 10.8f, -1, 9.2f, 2, 10.6f, 5, 9.5f, 15, 9});
    risolviSezione(z, imp);
    ASSERT_EQ(z.NumeroIntersezioni, 3);
    EXPECT_NEAR(z.Intersezioni[2], 0.714286, 1e-5);

    // Walls: a point before the first and after the last, on the slope lines; the edges keep
    // the ground under the platform, and a wall has no gradient rather than an infinity.
    Sezione m = sezioneRisolta(100, {-8, 97, 0, 97, 8, 97});
    ASSERT_EQ(m.NumeroPunti, 5);
    EXPECT_TRUE(vicini({m.DistanzeTerreno[1], m.DistanzeTerreno[2], m.QuoteTerreno[2], m.QuoteTerreno[5],
                        m.ScostamentoSinistro, m.RossaCiglioSinistro, m.Pendenze(2, 1)},
                       {-8, -8, 97, 98.5, -3, 3, 0}, 1e-5));
    const Sezione bordo = sezioneRisolta(100, {-5, 99, 5, 99});  // a wall right on the edge
    EXPECT_TRUE(vicini({bordo.RossaCiglioSinistro, bordo.AreaRiporto}, {1, -10}, 1e-5));
    m.QuotaProgetto = 99;  // the old wall points are ground now
    risolviSezione(m, imp);
    EXPECT_TRUE(m.Risolta);
}

TEST(RisolviSezione, SezioniNonRisolteNonConservanoValoriVecchi) {
    Impostazioni imp;
    imp.MuroSezione = false;
    const Sezione s = sezioneRisolta(100, {-20, 99, 0, 99, 20, 99});
    ASSERT_TRUE(s.Risolta);
    // An unsolved section keeps its ground line but none of the results of an earlier solve.
    auto neutra = [](const Sezione& t) {
        EXPECT_FALSE(t.Risolta);
        EXPECT_EQ(std::vector<float>({t.AreaSterro, t.AreaRiporto, t.ScostamentoSinistro, t.RossaCiglioSinistro,
                                      t.XPiedeDestro, float(t.NumeroPunti)}),
                  std::vector<float>({0, 0, 0, 0, t.Larghezza / 2, 3}));
        EXPECT_EQ(std::vector<int>({t.NumeroIntersezioni, t.PresenteSterro, t.PresenteRiporto}),
                  std::vector<int>({0, 0, 0}));
    };
    Sezione senzaMuro = s;  // a slope running off the ground, walls off
    senzaMuro.QuotaProgetto = 110;
    EXPECT_EQ(risolviSezioneConEsito(senzaMuro, imp), EsitoSezione::ScarpataSenzaTerreno);
    neutra(senzaMuro);
    imp.MuroSezione = true;
    Sezione larga = s;  // an edge outside the ground line: no wall is built either
    larga.Larghezza = 50;
    EXPECT_EQ(risolviSezioneConEsito(larga, imp), EsitoSezione::CiglioFuoriTerreno);
    neutra(larga);
    Sezione t1 = sezioneDi(10, 100, {-20, 99}), t2 = sezioneDi(10, 100, {-20, 99, 20, 99, 10, 99}),
            t3 = sezioneDi(-4, 100, {-20, 99, 20, 99}), t4 = sezioneDi(10, 100, {-20, 99, 20, 99});
    t4.NumeroPunti = 7;  // a count the lists do not back
    EXPECT_EQ(risolviSezioneConEsito(t1, imp), EsitoSezione::PuntiInsufficienti);
    EXPECT_EQ(risolviSezioneConEsito(t2, imp), EsitoSezione::DistanzeNonCrescenti);
    EXPECT_EQ(risolviSezioneConEsito(t3, imp), EsitoSezione::ValoriNonValidi);
    EXPECT_EQ(risolviSezioneConEsito(t4, imp), EsitoSezione::PuntiInsufficienti);

    VbArray<Sezione> elenco;
    elenco.assignRaw({Sezione{}, s, larga, s, senzaMuro});
    EXPECT_EQ(sezioniNonRisolte(elenco, 99), (std::vector<int32_t>{2, 4}));  // counts past the list ignored
    EXPECT_EQ(contaSezioniNonRisolte(elenco, 3), 1);
    EXPECT_NE(messaggioSezioniNonRisolte({2, 4}).find("2 sezioni non sono state risolte (2, 4)"), std::string::npos);
    EXPECT_TRUE(messaggioSezioniNonRisolte({}).empty());
}

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
    EXPECT_EQ(std::pair(riga(g, 0).back(), int(g.altezzaIntestazione)),
              std::pair(std::string("Eccedenza Totale"), 500));
    EXPECT_EQ(riga(g, 1),
              (std::vector<std::string>{"1", "0,0000", "0,0000", "12,0000", "-2,0000", "0,0000", "0,0000"}));
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
    // Totals on each side's own areas, fill positive; cut less fill is the final ordinate.
    EXPECT_EQ(riga(grigliaTotaliPaleggi(t), 1), (std::vector<std::string>{"100,0000", "1200,0000", "-1100,0000"}));
    // Mixed sections: the zero point at 8 m leaves the totals of the plain stretch.
    costruisciPaleggi(sezioni({{0, 10, -2}, {20, 3, -15}}), 2, 10, t);
    const TotaliPaleggi tot = totaliPaleggi(t);
    EXPECT_EQ(std::vector<double>({tot.sterro, tot.riporto, tot.ordinataFinale}), std::vector<double>({130, 170, -40}));

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
    EXPECT_EQ(std::pair(t.ProgressivePunti[1], grigliaPaleggi(t).testo(1, 2)),
              std::pair(100.0f, std::string("100,0000")));

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
