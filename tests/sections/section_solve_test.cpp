// The cross-section solve: areas against closed-form geometry, walls, crossings, flags and
// the sections that cannot be solved.
#include "sections/section_solve.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sections/fixtures.h"

using namespace carvela;

namespace {

std::vector<std::string> campi(const std::string& riga) {
    std::vector<std::string> out;
    std::stringstream ss(riga);
    std::string c;
    while (std::getline(ss, c, '|')) out.push_back(c);
    return out;
}

std::vector<double> numeri(const std::string& t) {
    std::vector<double> out;
    std::stringstream ss(t);
    double v;
    while (ss >> v) out.push_back(v);
    return out;
}

}  // namespace

TEST(RisolviSezione, CasiTabellati) {
    std::ifstream in(std::string(CARVELA_TEST_CASES) + "/section_solve.txt");
    ASSERT_TRUE(in.good());
    std::string riga;
    int casi = 0;
    while (std::getline(in, riga)) {
        if (riga.empty() || riga[0] == '#') continue;
        auto c = campi(riga);
        ASSERT_EQ(c.size(), 5u) << riga;
        SCOPED_TRACE(c[0]);
        auto dati = numeri(c[1]);
        auto terreno = numeri(c[2]);
        auto aree = numeri(c[3]);
        auto piedi = numeri(c[4]);
        std::vector<float> xz(terreno.begin(), terreno.end());
        Impostazioni imp;
        imp.MuroSezione = dati[2] != 0;
        Sezione s = sezioneDi(static_cast<float>(dati[0]), static_cast<float>(dati[1]), xz);
        EXPECT_EQ(risolviSezioneConEsito(s, imp), EsitoSezione::Risolta);
        EXPECT_TRUE(s.Risolta);
        EXPECT_NEAR(s.AreaSterro, aree[0], 1e-4);
        EXPECT_NEAR(s.AreaRiporto, aree[1], 1e-4);
        EXPECT_NEAR(s.XPiedeSinistro, piedi[0], 1e-4);
        EXPECT_NEAR(s.XPiedeDestro, piedi[1], 1e-4);
        EXPECT_NEAR(s.ScostamentoSinistro, piedi[0] + dati[0] / 2, 1e-4);
        EXPECT_NEAR(s.ScostamentoDestro, piedi[1] - dati[0] / 2, 1e-4);
        EXPECT_EQ(s.NumeroPunti, static_cast<int16_t>(piedi[2]));

        // The solve depends only on its inputs: solving again (walls and all) changes nothing.
        Sezione di_nuovo = s;
        risolviSezione(di_nuovo, imp);
        EXPECT_EQ(di_nuovo.NumeroPunti, s.NumeroPunti);
        EXPECT_NEAR(di_nuovo.AreaSterro, s.AreaSterro, 1e-5);
        EXPECT_NEAR(di_nuovo.AreaRiporto, s.AreaRiporto, 1e-5);
        ++casi;
    }
    EXPECT_GE(casi, 8);
}

TEST(RisolviSezione, CigliIncrociPresenzeMuri) {
    Impostazioni imp;
    Sezione s = sezioneDi(10, 100, {-20, 99, 0, 99, 20, 99});
    risolviSezione(s, imp);
    EXPECT_EQ(std::vector<float>({s.RossaCiglioSinistro, s.RossaCiglioDestro, s.RossaAsse, s.QuotaTerrenoCiglio}),
              std::vector<float>({1, 1, 1, 99}));
    EXPECT_EQ(std::vector<int>({s.PresenteRiporto, s.PresenteSterro, s.NumeroIntersezioni}),
              std::vector<int>({1, 0, 0}));
    EXPECT_EQ(s.PoligonoX.upperBound(), 3 + 5);

    // One crossing at the axis, red heights of opposite signs; the pieces leave the flags of
    // the last one (cut, on the right).
    Sezione c = sezioneDi(10, 100, {-20, 98, 20, 102});
    risolviSezione(c, imp);
    ASSERT_EQ(c.NumeroIntersezioni, 1);
    EXPECT_NEAR(c.Intersezioni[1], 0, 1e-6);
    EXPECT_NEAR(c.RossaCiglioSinistro, 0.5, 1e-6);
    EXPECT_NEAR(c.Pendenze(2, 1), 0.1, 1e-7);
    EXPECT_EQ(std::vector<int>({c.PresenteSterro, c.PresenteRiporto}), std::vector<int>({1, 0}));

    // Only the crossings within the platform are listed, in order.
    Sezione z = sezioneDi(12, 10, {-15, 10.5f, -4, 10.8f, -1, 9.2f, 2, 10.6f, 5, 9.5f, 15, 9});
    risolviSezione(z, imp);
    ASSERT_EQ(z.NumeroIntersezioni, 3);
    EXPECT_NEAR(z.Intersezioni[2], 0.714286, 1e-5);

    // Walls: a point before the first and after the last, on the slope lines; the edges keep
    // the ground under the platform, and a wall has no gradient rather than an infinity.
    Sezione m = sezioneDi(10, 100, {-8, 97, 0, 97, 8, 97});
    risolviSezione(m, imp);
    ASSERT_EQ(m.NumeroPunti, 5);
    EXPECT_EQ(std::vector<float>({m.DistanzeTerreno[1], m.DistanzeTerreno[2], m.QuoteTerreno[2]}),
              std::vector<float>({-8, -8, 97}));
    EXPECT_NEAR(m.QuoteTerreno[5], 98.5, 1e-5);
    EXPECT_NEAR(m.ScostamentoSinistro, -3, 1e-5);
    EXPECT_EQ(m.RossaCiglioSinistro, 3);
    EXPECT_EQ(m.Pendenze(2, 1), 0);
    Sezione bordo = sezioneDi(10, 100, {-5, 99, 5, 99});  // a wall right on the edge
    risolviSezione(bordo, imp);
    EXPECT_EQ(bordo.RossaCiglioSinistro, 1);
    EXPECT_NEAR(bordo.AreaRiporto, -10, 1e-5);
    m.QuotaProgetto = 99;  // the old wall points are ground now
    risolviSezione(m, imp);
    EXPECT_TRUE(m.Risolta);
}

TEST(RisolviSezione, SezioniNonRisolteNonConservanoValoriVecchi) {
    Impostazioni imp;
    imp.MuroSezione = false;
    Sezione s = sezioneDi(10, 100, {-20, 99, 0, 99, 20, 99});
    risolviSezione(s, imp);
    ASSERT_TRUE(s.Risolta);
    auto neutra = [](const Sezione& t) {
        EXPECT_FALSE(t.Risolta);
        EXPECT_EQ(std::vector<float>(
                      {t.AreaSterro, t.AreaRiporto, t.ScostamentoSinistro, t.RossaCiglioSinistro, t.XPiedeDestro}),
                  std::vector<float>({0, 0, 0, 0, t.Larghezza / 2}));
        EXPECT_EQ(std::vector<int>({t.NumeroIntersezioni, t.PresenteSterro, t.PresenteRiporto}),
                  std::vector<int>({0, 0, 0}));
    };
    Sezione senzaMuro = s;  // a slope running off the ground, walls off
    senzaMuro.QuotaProgetto = 110;
    EXPECT_EQ(risolviSezioneConEsito(senzaMuro, imp), EsitoSezione::ScarpataSenzaTerreno);
    neutra(senzaMuro);
    EXPECT_EQ(senzaMuro.NumeroPunti, 3);
    imp.MuroSezione = true;
    Sezione larga = s;  // an edge outside the ground line: no wall is built either
    larga.Larghezza = 50;
    EXPECT_EQ(risolviSezioneConEsito(larga, imp), EsitoSezione::CiglioFuoriTerreno);
    neutra(larga);
    EXPECT_EQ(larga.NumeroPunti, 3);
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
