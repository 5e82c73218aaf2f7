// The cross-section solve: areas against closed-form geometry, walls, crossings, flags and
// the sections that cannot be solved.
#include "sections/section_solve.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "project/records.h"
#include "shell/settings.h"

using namespace carvela;

namespace {

Sezione sezione(float larghezza, float quota, const std::vector<float>& xz) {
    Sezione s;
    s.Numero = 1;
    s.Larghezza = larghezza;
    s.QuotaProgetto = quota;
    const int n = static_cast<int>(xz.size() / 2);
    s.NumeroPunti = static_cast<int16_t>(n);
    s.DistanzeTerreno.redim(n);
    s.QuoteTerreno.redim(n);
    for (int i = 1; i <= n; ++i) {
        s.DistanzeTerreno[i] = xz[static_cast<std::size_t>(2 * i - 2)];
        s.QuoteTerreno[i] = xz[static_cast<std::size_t>(2 * i - 1)];
    }
    return s;
}

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
        Sezione s = sezione(static_cast<float>(dati[0]), static_cast<float>(dati[1]), xz);
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

TEST(RisolviSezione, RisultatiDiPiattaformaEScarpate) {
    Impostazioni imp;
    // Fill: red heights +1, the catch points on the ground 2 m out, fill flag only.
    Sezione s = sezione(10, 100, {-20, 99, 0, 99, 20, 99});
    risolviSezione(s, imp);
    EXPECT_FLOAT_EQ(s.RossaCiglioSinistro, 1);
    EXPECT_FLOAT_EQ(s.RossaCiglioDestro, 1);
    EXPECT_FLOAT_EQ(s.RossaAsse, 1);
    EXPECT_FLOAT_EQ(s.QuotaTerrenoCiglio, 99);
    EXPECT_NEAR(s.ZPiedeSinistro, 99, 1e-5);
    EXPECT_NEAR(s.ZPiedeDestro, 99, 1e-5);
    EXPECT_EQ(s.PresenteRiporto, 1);
    EXPECT_EQ(s.PresenteSterro, 0);
    EXPECT_EQ(s.NumeroIntersezioni, 0);
    EXPECT_EQ(s.PoligonoX.upperBound(), 3 + 5);
    EXPECT_FLOAT_EQ(s.Pendenze(2, 1), 0);

    // One crossing at the axis; the list holds it, the red heights have opposite signs.
    Sezione c = sezione(10, 100, {-20, 98, 20, 102});
    risolviSezione(c, imp);
    ASSERT_EQ(c.NumeroIntersezioni, 1);
    EXPECT_NEAR(c.Intersezioni[1], 0, 1e-6);
    EXPECT_NEAR(c.RossaCiglioSinistro, 0.5, 1e-6);
    EXPECT_NEAR(c.RossaCiglioDestro, -0.5, 1e-6);
    EXPECT_NEAR(c.Pendenze(2, 1), 0.1, 1e-7);
    // The pieces leave the last piece's flags (cut on the right).
    EXPECT_EQ(c.PresenteSterro, 1);
    EXPECT_EQ(c.PresenteRiporto, 0);

    // Crossings outside the platform are not listed; three inside are, in order.
    Sezione z = sezione(12, 10, {-15, 10.5f, -4, 10.8f, -1, 9.2f, 2, 10.6f, 5, 9.5f, 15, 9});
    risolviSezione(z, imp);
    ASSERT_EQ(z.NumeroIntersezioni, 3);
    EXPECT_NEAR(z.Intersezioni[1], -2.5, 1e-5);
    EXPECT_NEAR(z.Intersezioni[2], 0.714286, 1e-5);
    EXPECT_NEAR(z.Intersezioni[3], 3.636364, 1e-5);

    // Ground exactly at the platform level: no crossing, no flag, catch points at the edges.
    Sezione l = sezione(10, 100, {-20, 100, 20, 100});
    risolviSezione(l, imp);
    EXPECT_EQ(l.NumeroIntersezioni, 0);
    EXPECT_EQ(l.PresenteSterro, 0);
    EXPECT_EQ(l.PresenteRiporto, 0);
    EXPECT_NEAR(l.XPiedeSinistro, -5, 1e-5);
    EXPECT_NEAR(l.XPiedeDestro, 5, 1e-5);
}

TEST(RisolviSezione, MuroSullaScarpataCheEsceDalTerreno) {
    Impostazioni imp;
    Sezione s = sezione(10, 100, {-8, 97, 0, 97, 8, 97});
    risolviSezione(s, imp);
    // One point before the first and one after the last, on the slope lines: vertical walls.
    ASSERT_EQ(s.NumeroPunti, 5);
    EXPECT_FLOAT_EQ(s.DistanzeTerreno[1], -8);
    EXPECT_NEAR(s.QuoteTerreno[1], 98.5, 1e-5);
    EXPECT_FLOAT_EQ(s.DistanzeTerreno[2], -8);
    EXPECT_FLOAT_EQ(s.QuoteTerreno[2], 97);
    EXPECT_FLOAT_EQ(s.DistanzeTerreno[5], 8);
    EXPECT_NEAR(s.QuoteTerreno[5], 98.5, 1e-5);
    EXPECT_NEAR(s.ZPiedeSinistro, 98.5, 1e-5);
    EXPECT_NEAR(s.ScostamentoSinistro, -3, 1e-5);
    // The edges keep the ground under the platform, not the wall top.
    EXPECT_FLOAT_EQ(s.RossaCiglioSinistro, 3);
    EXPECT_FLOAT_EQ(s.RossaCiglioDestro, 3);
    EXPECT_EQ(s.Pendenze.upperBound1(), 5);
    EXPECT_FLOAT_EQ(s.Pendenze(2, 1), 0);  // a wall has no gradient, and no infinity

    // A wall standing right on the edge still gives the edge the ground elevation.
    Sezione bordo = sezione(10, 100, {-5, 99, 5, 99});
    risolviSezione(bordo, imp);
    EXPECT_EQ(bordo.NumeroPunti, 4);
    EXPECT_FLOAT_EQ(bordo.RossaCiglioSinistro, 1);
    EXPECT_NEAR(bordo.AreaRiporto, -10, 1e-5);

    // Changing the design elevation after a solve: the old wall points are ground now.
    s.QuotaProgetto = 99;
    risolviSezione(s, imp);
    EXPECT_TRUE(s.Risolta);
    EXPECT_LT(s.AreaRiporto, 0);
}

TEST(RisolviSezione, SezioniNonRisolteNonConservanoValoriVecchi) {
    Impostazioni imp;
    imp.MuroSezione = false;
    // A solved section first, so every result holds something.
    Sezione s = sezione(10, 100, {-20, 99, 0, 99, 20, 99});
    risolviSezione(s, imp);
    ASSERT_TRUE(s.Risolta);

    auto verificaNeutra = [](const Sezione& t) {
        EXPECT_FALSE(t.Risolta);
        EXPECT_EQ(t.AreaSterro, 0);
        EXPECT_EQ(t.AreaRiporto, 0);
        EXPECT_EQ(t.NumeroIntersezioni, 0);
        EXPECT_EQ(t.PresenteSterro, 0);
        EXPECT_EQ(t.PresenteRiporto, 0);
        EXPECT_FLOAT_EQ(t.XPiedeSinistro, -t.Larghezza / 2);
        EXPECT_FLOAT_EQ(t.XPiedeDestro, t.Larghezza / 2);
        EXPECT_EQ(t.ScostamentoSinistro, 0);
        EXPECT_EQ(t.RossaCiglioSinistro, 0);
    };

    // Slope running off the ground with walls off.
    Sezione senzaMuro = s;
    senzaMuro.QuotaProgetto = 110;
    EXPECT_EQ(risolviSezioneConEsito(senzaMuro, imp), EsitoSezione::ScarpataSenzaTerreno);
    verificaNeutra(senzaMuro);
    EXPECT_EQ(senzaMuro.NumeroPunti, 3);  // no wall was added

    // Platform edge outside the ground line, walls on or off: the ground line is left alone.
    imp.MuroSezione = true;
    Sezione corta = s;
    corta.Larghezza = 50;
    EXPECT_EQ(risolviSezioneConEsito(corta, imp), EsitoSezione::CiglioFuoriTerreno);
    verificaNeutra(corta);
    EXPECT_EQ(corta.NumeroPunti, 3);

    Sezione vuota = sezione(10, 100, {-20, 99});
    EXPECT_EQ(risolviSezioneConEsito(vuota, imp), EsitoSezione::PuntiInsufficienti);
    Sezione indietro = sezione(10, 100, {-20, 99, 20, 99, 10, 99});
    EXPECT_EQ(risolviSezioneConEsito(indietro, imp), EsitoSezione::DistanzeNonCrescenti);
    Sezione negativa = sezione(-4, 100, {-20, 99, 20, 99});
    EXPECT_EQ(risolviSezioneConEsito(negativa, imp), EsitoSezione::ValoriNonValidi);
    Sezione troncata = sezione(10, 100, {-20, 99, 20, 99});
    troncata.NumeroPunti = 7;  // a count the lists do not back
    EXPECT_EQ(risolviSezioneConEsito(troncata, imp), EsitoSezione::PuntiInsufficienti);
    verificaNeutra(troncata);

    // Counting and the warning of the road computation.
    VbArray<Sezione> elenco(4);
    elenco[1] = s;
    elenco[2] = corta;
    elenco[3] = s;
    elenco[4] = senzaMuro;
    EXPECT_EQ(sezioniNonRisolte(elenco, 4), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(contaSezioniNonRisolte(elenco, 3), 1);
    EXPECT_EQ(contaSezioniNonRisolte(elenco, 99), 2);  // counts beyond the list are ignored
    const std::string avviso = messaggioSezioniNonRisolte({2, 4});
    EXPECT_NE(avviso.find("2 sezioni non sono state risolte (2, 4)"), std::string::npos);
    EXPECT_NE(avviso.find("nulle"), std::string::npos);
    EXPECT_TRUE(messaggioSezioniNonRisolte({}).empty());
    EXPECT_STREQ(testoEsito(EsitoSezione::Risolta), "");
}
