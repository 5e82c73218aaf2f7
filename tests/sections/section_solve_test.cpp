// The cross-section solve (areas against closed-form geometry, walls, crossings, flags, the
// sections that cannot be solved) and the volume table built from the solved sections.
#include "sections/section_solve.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "sections/fixtures.h"
#include "sections/volumes.h"
#include "support/cases.h"
#include "support/trim2_fixtures.h"

using namespace carvela;
using carvela::prova::vicini;

namespace {

// Sections at the given progressives with the given cut and fill areas; a fourth value of 0
// marks a failed solve.
VbArray<Sezione> sezioni(const std::vector<std::vector<float>>& dati) {
    VbArray<Sezione> out(static_cast<int32_t>(dati.size()));
    for (int32_t j = 1; j <= out.upperBound(); ++j) {
        const auto& d = dati[static_cast<std::size_t>(j - 1)];
        out[j].Numero = static_cast<int16_t>(j);
        out[j].Progressiva = d[0], out[j].AreaSterro = d[1], out[j].AreaRiporto = d[2];
        out[j].Risolta = d.size() < 4 || d[3] != 0;
    }
    return out;
}

std::string riga(const Griglia& g, int r) {
    std::string out;
    for (int c = 0; c < g.colonne(); ++c) out += (c ? " / " : "") + g.testo(r, c);
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

TEST(Paleggi, CasiTabellati) {
    const std::map<std::string, VbArray<float> TabellaPaleggi::*> liste = {
        {"AreeSterro", &TabellaPaleggi::AreeSterro},
        {"AreeRiporto", &TabellaPaleggi::AreeRiporto},
        {"Ordinate", &TabellaPaleggi::Ordinate},
        {"ProgressivePunti", &TabellaPaleggi::ProgressivePunti},
        {"ProgressiveSezioni", &TabellaPaleggi::ProgressiveSezioni}};
    for (const test::Caso& c : test::leggiCasi("volumes.txt")) {
        SCOPED_TRACE(c.testo);
        std::vector<std::vector<float>> dati;
        for (const std::string& r : c.lista(0)) {
            std::istringstream in(r);
            dati.emplace_back(std::istream_iterator<float>(in), std::istream_iterator<float>());
        }
        TabellaPaleggi t;
        costruisciPaleggi(sezioni(dati), static_cast<int32_t>(c.numeri(1).at(0)), 10, t);
        const Griglia g = grigliaPaleggi(t);
        for (const std::string& v : c.lista(2)) {
            SCOPED_TRACE(v);
            std::istringstream sinistra(v.substr(0, v.find('='))), destra(v.substr(v.find('=') + 1));
            const std::string testo = v.substr(v.find('=') + 2);
            const std::vector<double> n{std::istream_iterator<double>(destra), std::istream_iterator<double>()};
            std::string nome;
            int a = 0, b = 0;
            sinistra >> nome >> a >> b;
            if (liste.count(nome)) {
                for (std::size_t k = 0; k < n.size(); ++k)
                    EXPECT_EQ((t.*liste.at(nome)).get(a + int(k)), float(n[k])) << a + k;
            } else if (nome == "NumeroPunti") {
                EXPECT_EQ(t.NumeroPunti, n.at(0));
            } else if (nome == "Segmenti") {
                EXPECT_EQ(t.Segmenti[a], (RigaPaleggio{int16_t(n[0]), float(n[1]), int16_t(n[2]), float(n[3])}));
            } else if (nome == "righe") {
                EXPECT_EQ(g.righe(), n.at(0));
            } else if (nome == "riga") {
                EXPECT_EQ(riga(g, a), testo);
            } else if (nome == "cella") {
                EXPECT_EQ(g.testo(a, b), testo);
            } else if (nome == "totali") {
                EXPECT_EQ(riga(grigliaTotaliPaleggi(t), 1), testo);
            } else {
                ASSERT_EQ(nome, "somme");
                const TotaliPaleggi tot = totaliPaleggi(t);
                EXPECT_EQ(std::vector<double>({tot.sterro, tot.riporto, tot.ordinataFinale}), n);
            }
        }
    }
}

TEST(Paleggi, IntestazioniETabellaGuasta) {
    TabellaPaleggi t;
    costruisciPaleggi(sezioni({{0, 12, -2}, {20, 35, -5}}), 2, 10, t);
    EXPECT_EQ(std::pair(int(t.Versione), t.ScalaVolumi), std::pair(1, 10.0f));
    const Griglia g = grigliaPaleggi(t);
    EXPECT_EQ(std::pair(g.testo(0, g.colonne() - 1), int(g.altezzaIntestazione)),
              std::pair(std::string("Eccedenza Totale"), 500));
    // A damaged table whose count exceeds its lists still fills every row, with zeros.
    TabellaPaleggi rotta;
    rotta.NumeroPunti = 3;
    EXPECT_EQ(grigliaPaleggi(rotta).testo(3, 6), "0,0000");
}
