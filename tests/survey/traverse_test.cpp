// Traverses and triangulation chains: the tabled figures worked by hand, the tolerance limits,
// records whose arrays are shorter than their counts.
#include "survey/traverse.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <sstream>

#include "state/settings.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "survey/survey_messages.h"
#include "survey/triangulation.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

using test::lista;
using V = std::vector<std::string>;

// An open traverse read with the stadia (constant 100): per station azimuth, zenith,
// instrument height, upper, middle and lower reading; the first station's x y q, the count.
OpenTraverse aperta(const std::vector<std::vector<double>>& righe, const std::vector<double>& a) {
    OpenTraverse p;
    p.NumeroStazioni = int16_t(a[3]);
    p.CostanteDistanziometrica = 100;
    VbArray<float>* colonne[] = {&p.LetturaAzimutale, &p.LetturaZenitale, &p.AltezzaStrumentale,
                                 &p.LetturaSuperiore, &p.LetturaMedia,    &p.LetturaInferiore};
    for (auto* v : {&p.Riservato, colonne[0], colonne[1], colonne[2], colonne[3], colonne[4], colonne[5]})
        v->redim(int(righe.size()));
    for (int i = 1; i <= int(righe.size()); ++i)
        for (int k = 0; k < 6; ++k) (*colonne[k])[i] = float(righe[i - 1][k]);
    p.Ascissa = lista({float(a[0])}), p.Ordinata = lista({float(a[1])}), p.Quota = lista({float(a[2])});
    preparaPoligonaleAperta(p);
    return p;
}

// The named results of each kind of figure.
template <class R>
struct Campi {
    std::map<std::string, VbArray<float> R::*> liste;
    std::map<std::string, float R::*> numeri;
};
#define CAMPO(R, nome) \
    { #nome, &R::nome }
using PC = ClosedTraverse;
using PA = OpenTraverse;
using CT = TriangulationChain;
const Campi<PC> kChiusa{
    {CAMPO(PC, Ascissa), CAMPO(PC, Ordinata), CAMPO(PC, Quota), CAMPO(PC, Azimut), CAMPO(PC, AngoloMisurato),
     CAMPO(PC, AngoloCompensato), CAMPO(PC, AscissaParziale)},
    {CAMPO(PC, SommaAngoli), CAMPO(PC, ErroreAngolare), CAMPO(PC, Perimetro), CAMPO(PC, ErroreAscissa),
     CAMPO(PC, ErroreOrdinata), CAMPO(PC, ErroreLineare), CAMPO(PC, Correzione)}};
const Campi<PA> kAperta{{CAMPO(PA, DistanzaOrizzontale), CAMPO(PA, AscissaParziale), CAMPO(PA, Dislivello),
                         CAMPO(PA, Ascissa), CAMPO(PA, Ordinata), CAMPO(PA, Quota)},
                        {CAMPO(PA, LunghezzaTotale)}};
const Campi<CT> kCatena{{CAMPO(CT, X), CAMPO(CT, Y), CAMPO(CT, Azimut), CAMPO(CT, Distanza), CAMPO(CT, Errore),
                         CAMPO(CT, Angolo1), CAMPO(CT, Angolo2)},
                        {}};
#undef CAMPO

// The messages shown; a refused figure left as it was, or each "Name [first] tolerance =
// values" of the expected field against the computed one.
template <class R>
void verifica(const R& r, const R& prima, bool riuscito, const Campi<R>& campi, const test::Caso& c, FakeHost& host) {
    EXPECT_EQ(host.testiMessaggi(), c.campi[5] == "-" ? V{} : c.lista(5));
    if (c.campi[4] == "refused") {
        EXPECT_FALSE(riuscito);
        EXPECT_EQ(r, prima);
        return;
    }
    ASSERT_TRUE(riuscito);
    for (const std::string& voce : c.lista(4)) {
        std::istringstream sinistra(voce.substr(0, voce.find('=')));
        std::istringstream destra(voce.substr(voce.find('=') + 1));
        std::string nome;
        double da = 0, tolleranza = 0;
        sinistra >> nome;
        std::vector<double> attesi;
        for (double v; destra >> v;) attesi.push_back(v);
        SCOPED_TRACE(voce);
        if (nome.ends_with(".fine")) {
            EXPECT_EQ((r.*campi.liste.at(nome.substr(0, nome.size() - 5))).upperBound(), attesi.at(0));
            continue;
        }
        const bool lista = campi.liste.count(nome);
        ASSERT_TRUE(lista || campi.numeri.count(nome)) << "unknown field";
        if (lista) sinistra >> da;
        sinistra >> tolleranza;
        for (std::size_t k = 0; k < attesi.size(); ++k) {
            const double letto = lista ? (r.*campi.liste.at(nome)).get(int(da) + int(k)) : r.*campi.numeri.at(nome);
            const double atteso = tolleranza == 0 ? double(float(attesi[k])) : attesi[k];
            EXPECT_LE(std::fabs(letto - atteso), tolleranza) << "element " << da + k << " is " << letto;
        }
    }
}

TEST(FigureRilievo, CasiTabellati) {
    for (const test::Caso& c : test::leggiCasi("survey_figures.txt")) {
        SCOPED_TRACE(c.testo);
        ASSERT_EQ(c.campi.size(), 6u);
        const float U = float(c.numeri(1)[0]);
        std::vector<std::vector<double>> righe;
        for (const std::string& r : c.lista(2)) {
            std::istringstream in(r);
            righe.emplace_back(std::istream_iterator<double>(in), std::istream_iterator<double>());
        }
        const std::vector<double> a = c.numeri(3);
        FakeHost host;
        if (c.nome() == "closed") {
            std::vector<test::Stazione> s;
            for (const auto& r : righe)
                s.push_back({float(r[0]), float(r[1]), float(r[2]), float(r[3]), float(r[4]), float(r[5])});
            ClosedTraverse p =
                test::poligonaleChiusa(s, float(a[0]), float(a[1]), float(a[2]), float(a[3]), float(a[4]), float(a[5]));
            if (a.size() > 6) p.NumeroStazioni = int16_t(a[6]);
            const ClosedTraverse prima = p;
            verifica(p, prima, calcolaPoligonaleChiusa(p, U, host), kChiusa, c, host);
        } else if (c.nome() == "open") {
            OpenTraverse p = aperta(righe, a);
            const OpenTraverse prima = p;
            verifica(p, prima, calcolaPoligonaleAperta(p, U, host), kAperta, c, host);
        } else {
            std::vector<std::array<float, 3>> angoli;
            for (const auto& r : righe) angoli.push_back({float(r[0]), float(r[1]), float(r[2])});
            TriangulationChain t = test::catena(angoli, float(a[0]), float(a[1]), float(a[2]), float(a[3]));
            const TriangulationChain prima = t;
            verifica(t, prima, calcolaTriangolazione(t, U, host), kCatena, c, host);
            for (int k = 1; c.campi[4] != "refused" && k <= t.NumeroTriangoli; ++k)  // compensated, each closes
                EXPECT_NEAR(double(t.Angolo1[k]) + t.Angolo2[k] + t.Angolo3[k], U, 2e-5) << k;
        }
    }
}

// The square 100 m a side walked anticlockwise from (500, 1000), first leg north, every
// interior angle a right angle read as forward minus backward; the north leg 4 cm long.
ClosedTraverse quadrato(float U, float primoAzimut = 0, float distanzaNord = 100.04f) {
    const float retto = U / 2;
    return test::poligonaleChiusa({{0, retto, distanzaNord, retto, 1.7f, 1.5f},
                                   {0, retto, 100, retto, 1.5f, 1.5f},
                                   {0, retto, 100, retto, 1.5f, 1.5f},
                                   {0, retto, 100, retto, 1.5f, 1.5f}},
                                  500, 1000, 100, primoAzimut, 0.01f, 0.05f);
}

TEST(PoligonaleChiusa, TolerancesAreStrictAndOnlyWarn) {
    FakeHost host;
    ClosedTraverse p = quadrato(200), misurata;
    p.LetturaAvanti[3] = 100.003f;
    ASSERT_TRUE(calcolaPoligonaleChiusa(misurata = p, 200, host));
    // Errors exactly at the tolerances: silent.
    p.TolleranzaAngolare = std::fabs(misurata.ErroreAngolare);
    p.TolleranzaLineare = misurata.ErroreLineare;
    ClosedTraverse alLimite = p, oltre = p;
    host.pulisci();
    ASSERT_TRUE(calcolaPoligonaleChiusa(alLimite, 200, host));
    EXPECT_TRUE(host.messaggi.empty());
    // Just below: both messages, angular first, and the traverse is still adjusted.
    oltre.TolleranzaAngolare = std::nextafter(p.TolleranzaAngolare, 0.0f);
    oltre.TolleranzaLineare = std::nextafter(p.TolleranzaLineare, 0.0f);
    ASSERT_TRUE(calcolaPoligonaleChiusa(oltre, 200, host));
    EXPECT_EQ(host.testiMessaggi(), (V{kMsgChiusuraAngolare, kMsgTolleranzaLineare}));
    EXPECT_EQ(oltre.Ascissa, alLimite.Ascissa);
    EXPECT_EQ(oltre.Ordinata, alLimite.Ordinata);
}

TEST(PoligonaleChiusa, ArraysShorterThanTheCountAreGrown) {
    FakeHost host;
    // Arrays shorter than the count, as a file written elsewhere might hold them.
    ClosedTraverse corta = quadrato(200);
    corta.Ascissa.redimPreserve(1);
    corta.AngoloMisurato.erase();
    ASSERT_TRUE(calcolaPoligonaleChiusa(corta, 200, host));
    EXPECT_EQ(corta.Ascissa.upperBound(), 5);
    EXPECT_NEAR(corta.Ascissa[3], 400, 2e-4);
}

}  // namespace
}  // namespace carvela
