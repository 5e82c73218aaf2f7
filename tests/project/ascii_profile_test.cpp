// The plain-text longitudinal profile: layout of the file, import, round trip, bad files.
#include "profile/ascii_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "profile/profile_solve.h"
#include "project/records.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "support/sample_records.h"

namespace carvela {
namespace {

std::string percorso(const std::string& nome) {
    static const campioni::CartellaTemporanea cartella;
    return cartella.file(nome);
}

std::string scrivi(const std::string& nome, const std::string& testo) {
    std::ofstream(percorso(nome), std::ios::binary) << testo;
    return percorso(nome);
}

std::string leggi(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

// One value per line.
std::string righe(std::initializer_list<std::string> valori) {
    std::string t;
    for (const auto& v : valori) t += v + "\n";
    return t;
}

// A profile in the form the road computation leaves it: `punti` per grade line, sections
// every 20 m over gently rolling ground, flattened per section, two curves.
Profilo profiloCalcolato(std::vector<int32_t> punti, uint8_t metodo) {
    Profilo p;
    const int32_t l = static_cast<int32_t>(punti.size());
    int32_t n = 1;
    for (int32_t k : punti) n += k - 1;
    p.Versione = 1, p.NumeroSezioni = n, p.NumeroLivellette = l, p.MetodoLivellette = metodo;
    for (auto* t : {&p.ProgressiveLiv, &p.TerrenoLiv, &p.ProgettoLiv, &p.RosseLiv}) t->redim(n, l + 1);
    for (auto* v :
         {&p.AscissePassaggio, &p.QuotePassaggio, &p.Progressive, &p.QuoteTerreno, &p.QuoteProgetto, &p.QuoteRosse})
        v->redim(n);
    for (auto* v : {&p.AreaTerreno, &p.Pendenze, &p.DistanzaPassaggio, &p.QuotaPassaggio}) v->redim(l);
    p.PuntiLivelletta.redim(l);
    for (int32_t i = 1; i <= n; ++i) {
        p.Progressive[i] = 20.0f * (i - 1);
        p.QuoteTerreno[i] = static_cast<float>(100.0 + 3.0 * std::sin(i * 0.7) + 0.13 * i);
    }
    for (int32_t g = 1, primo = 0; g <= l; primo += punti[g - 1] - 1, ++g) {
        const int32_t k = p.PuntiLivelletta[g] = punti[g - 1];
        double area = 0;
        for (int32_t j = 1; j <= k; ++j) {
            p.ProgressiveLiv(j, g) = p.Progressive[primo + j];
            p.TerrenoLiv(j, g) = p.QuoteTerreno[primo + j];
            if (j > 1)
                area += (double{p.ProgressiveLiv(j, g)} - p.ProgressiveLiv(j - 1, g)) *
                        (double{p.TerrenoLiv(j, g)} + p.TerrenoLiv(j - 1, g)) / 2;
        }
        p.AreaTerreno[g] = static_cast<float>(area);
        p.ProgettoLiv(1, g) = 100.5f + g, p.ProgettoLiv(k, g) = 101.25f + g;
        p.Pendenze[g] = 0.01f * g, p.QuotaPassaggio[g] = 100.8f, p.DistanzaPassaggio[g] = 10.0f;
    }
    p.NumeroCurve = 2;
    for (auto* v : {&p.CurvaDa, &p.CurvaA}) v->redim(2);
    p.CurvaPicchetti.redim(2);
    for (auto* v : {&p.CurvaRaggio, &p.CurvaTangente, &p.CurvaSviluppo, &p.CurvaApertura}) v->redim(2);
    p.CurvaVerso.redim(2);
    p.CurvaVerso[1] = "s", p.CurvaRaggio[1] = 45.5f, p.CurvaDa[1] = 1, p.CurvaA[1] = 3, p.CurvaPicchetti[1] = 8;
    p.CurvaVerso[2] = "d", p.CurvaRaggio[2] = 120.125f, p.CurvaDa[2] = n - 1, p.CurvaA[2] = n, p.CurvaPicchetti[2] = 5;
    if (metodo != 0) risolviProfilo(p);
    return p;
}

// A profile that differs from anything a file gives, to see that a failed import keeps it.
Profilo profiloPrecedente() {
    Profilo p = profiloCalcolato({3, 4}, 2);
    p.Origine = "precedente.pro";
    return p;
}

TEST(ProfiloAscii, ExportListsThePointsGradeLineByGradeLine) {
    Profilo p = profiloCalcolato({3, 2}, 5);
    p.ProgettoLiv(1, 1) = 101.5f, p.ProgettoLiv(3, 1) = 99.75f;
    p.ProgettoLiv(1, 2) = 99.75f, p.ProgettoLiv(2, 2) = 98;
    for (int i = 1; i <= 4; ++i) p.QuoteTerreno[i] = 100 + i * 0.5f;
    FakeHost host;
    ASSERT_TRUE(esportaProfiloAscii(percorso("layout.pro"), p, host));
    // Four sections, two grade lines: five points, the shared third section twice.
    EXPECT_EQ(leggi(percorso("layout.pro")),
              "5\r\n2\r\n"
              "0\r\n100.5\r\n20\r\n101\r\n40\r\n101.5\r\n"
              "40\r\n101.5\r\n60\r\n102\r\n"
              "3\r\n2\r\n"
              "2\r\ns\r\n45.5\r\n1\r\n3\r\nd\r\n120.125\r\n3\r\n4\r\n"
              "0\r\n5\r\n"
              "101.5\r\n99.75\r\n99.75\r\n98\r\n");
    EXPECT_TRUE(host.messaggi.empty());
}

TEST(ProfiloAscii, ImportSpreadsThePointsOverTheGradeLines) {
    // Three grade lines of 4, 3 and 5 points: 12 pairs, 10 sections; the shared sections are
    // repeated (positions 4/5 and 7/8).
    std::string testo = righe({"12", "3"});
    for (int i = 0; i < 12; ++i) {
        const int sezione = i < 4 ? i : (i < 7 ? i - 1 : i - 2);
        testo += std::to_string(sezione * 25) + ".5\n" + std::to_string(200 + sezione) + ",25\n";
    }
    testo += righe({"4", "3", "5", "1", "\"d\"", "80", "2", "5", "1", "0"});
    Profilo p;
    FakeHost host;
    const std::string path = scrivi("dieci.pro", testo);
    ASSERT_TRUE(importaProfiloAscii(path, p, host));
    EXPECT_TRUE(host.messaggi.empty());
    EXPECT_EQ(p.Origine, path);
    EXPECT_EQ(p.NumeroSezioni, 10);
    EXPECT_EQ(p.NumeroLivellette, 3);
    EXPECT_EQ(p.PuntiLivelletta.raw(), (std::vector<int32_t>{0, 4, 3, 5}));
    for (int i = 1; i <= 10; ++i) {
        EXPECT_FLOAT_EQ(p.Progressive[i], (i - 1) * 25 + 0.5f) << i;
        EXPECT_FLOAT_EQ(p.QuoteTerreno[i], 199.25f + i) << i;
    }
    // Each grade line starts where the previous one ends.
    EXPECT_FLOAT_EQ(p.ProgressiveLiv(1, 2), p.ProgressiveLiv(4, 1));
    EXPECT_FLOAT_EQ(p.ProgressiveLiv(5, 3), 225.5f);
    // Ground area of grade line 2: 50 m under a straight ground rising from 203.25 to 205.25.
    EXPECT_NEAR(p.AreaTerreno[2], 50 * 204.25, 1e-3);
    EXPECT_FLOAT_EQ(p.QuotaMassima, 209.25f);
    EXPECT_FLOAT_EQ(p.QuotaRiferimento, 180.25f);
    EXPECT_EQ(p.NumeroCurve, 1);
    EXPECT_EQ(p.CurvaDa[1], 2);
}

TEST(ProfiloAscii, EndElevationsByMethod) {
    const std::string base = righe({"3", "1", "0", "100", "10", "100", "20", "100", "3", "0", "0"});
    FakeHost host;
    Profilo p, q;
    // Method 5 reads exactly one start elevation (whatever follows is not read) and beeps.
    ASSERT_TRUE(importaProfiloAscii(scrivi("m5.pro", base + righe({"5", "101", "non letto"})), p, host));
    EXPECT_FLOAT_EQ(p.ProgettoLiv(1, 1), 101);
    EXPECT_EQ(host.beeps, 1);
    // The slope method takes both ends of every grade line.
    ASSERT_TRUE(importaProfiloAscii(scrivi("m4.pro", base + righe({"4", "101", "99"})), p, host));
    EXPECT_EQ(p.MetodoLivellette, 4);
    EXPECT_NEAR(p.ProgettoLiv(1, 1) + p.ProgettoLiv(3, 1), 200, 1e-4);
    // Method 1 takes the start elevations when the file has them; a file that stops after the
    // method is still read.
    ASSERT_TRUE(importaProfiloAscii(scrivi("m1.pro", base + righe({"1", "101.5", "98.5"})), p, host));
    EXPECT_FLOAT_EQ(p.ProgettoLiv(1, 1), 101.5f);
    ASSERT_TRUE(importaProfiloAscii(scrivi("m1breve.pro", base + righe({"1"})), q, host));
    EXPECT_EQ(q.MetodoLivellette, 1);
    EXPECT_EQ(q.NumeroSezioni, 3);
    EXPECT_TRUE(host.messaggi.empty());
}

TEST(ProfiloAscii, ExportThenImportGivesBackTheProfile) {
    for (uint8_t metodo = 0; metodo <= 5; ++metodo) {
        SCOPED_TRACE(static_cast<int>(metodo));
        const Profilo originale = profiloCalcolato({4, 3, 5}, metodo);
        FakeHost host;
        ASSERT_TRUE(esportaProfiloAscii(percorso("giro.pro"), originale, host));
        Profilo letto = profiloPrecedente();
        ASSERT_TRUE(importaProfiloAscii(percorso("giro.pro"), letto, host));
        EXPECT_TRUE(host.messaggi.empty());

        // Everything the file carries comes back, written again the same file: points, layout,
        // curves, method and the end elevations (which method 0 does not read).
        Profilo atteso = originale;
        if (metodo == 0) atteso.ProgettoLiv.redim(atteso.NumeroSezioni, atteso.NumeroLivellette + 1);
        ASSERT_TRUE(esportaProfiloAscii(percorso("giro.pro"), atteso, host));
        ASSERT_TRUE(esportaProfiloAscii(percorso("giro2.pro"), letto, host));
        EXPECT_EQ(leggi(percorso("giro2.pro")), leggi(percorso("giro.pro")));
        for (int32_t i = 1; i <= originale.NumeroSezioni; ++i) {
            // The design follows from the end elevations the file carries (all of them with
            // methods 1 to 4, the first start elevation with method 5, none with method 0).
            EXPECT_NEAR(letto.QuoteProgetto[i], originale.QuoteProgetto[i], 1e-3) << i;
        }
        EXPECT_EQ(letto.AreaTerreno, originale.AreaTerreno);
        for (int32_t g = 1; g <= originale.NumeroLivellette; ++g)
            for (int32_t j = 1; j <= originale.PuntiLivelletta[g]; ++j)
                EXPECT_EQ(letto.ProgressiveLiv(j, g), originale.ProgressiveLiv(j, g));
        // The stakes are not part of the file: they stay as they were.
        EXPECT_EQ(letto.CurvaPicchetti, profiloPrecedente().CurvaPicchetti);
    }
}

TEST(ProfiloAscii, TruncatedFileLeavesTheProfileUnchanged) {
    FakeHost host;
    ASSERT_TRUE(esportaProfiloAscii(percorso("intero.pro"), profiloCalcolato({2, 3}, 4), host));
    const std::string testo = leggi(percorso("intero.pro"));
    // The last value starts after the last line break but one.
    const std::size_t ultimoValore = testo.rfind('\n', testo.size() - 2) + 1;
    const Profilo prima = profiloPrecedente();
    std::string ultimoMessaggio;
    for (std::size_t lunghezza = 0; lunghezza < testo.size(); ++lunghezza) {
        Profilo p = prima;
        host.pulisci();
        const bool letto = importaProfiloAscii(scrivi("tronco.pro", testo.substr(0, lunghezza)), p, host);
        if (lunghezza > ultimoValore) {
            // Cut inside the last value: a shorter number, still a whole profile.
            EXPECT_TRUE(letto) << lunghezza;
            continue;
        }
        ASSERT_FALSE(letto) << lunghezza;
        ASSERT_EQ(host.messaggi.size(), 1u) << lunghezza;
        EXPECT_EQ(host.messaggi[0].icona, Icona::Critico);
        ultimoMessaggio = host.messaggi[0].testo;
        ASSERT_TRUE(p == prima) << "profile changed by a file cut at byte " << lunghezza;
    }
    EXPECT_EQ(ultimoMessaggio.rfind("Il file di profilo longitudinale ASCII è incompleto", 0), 0u) << ultimoMessaggio;
}

TEST(ProfiloAscii, MalformedFilesAreRefusedWithTheirReason) {
    const Profilo prima = profiloPrecedente();
    for (const test::Caso& c : test::leggiCasi("ascii_profile_errors.txt")) {
        SCOPED_TRACE(c.testo);
        std::string testo;
        for (const std::string& v : c.parole(0)) testo += v + "\n";
        FakeHost host;
        Profilo p = prima;
        EXPECT_FALSE(importaProfiloAscii(scrivi("errato.pro", testo), p, host));
        EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{c.campi[1]});
        EXPECT_TRUE(p == prima);
    }
    FakeHost host;
    Profilo p = prima;
    EXPECT_FALSE(importaProfiloAscii(percorso("assente.pro"), p, host));
    EXPECT_EQ(host.testiMessaggi(),
              std::vector<std::string>{"Impossibile aprire il file " + percorso("assente.pro") + "."});
}

TEST(ProfiloAscii, AProfileWithoutPointsIsEmptyWhateverItsMethod) {
    // No points, no grade lines: nothing may be placed in the tables (method 5 once wrote its
    // start elevation past them), and the empty profile goes out and comes back.
    for (int metodo = 0; metodo <= 5; ++metodo)
        for (const char* coda : {"", "12,5"}) {
            SCOPED_TRACE(std::to_string(metodo) + coda);
            FakeHost host;
            Profilo p = profiloPrecedente();
            std::string testo = righe({"0", "0", "0", "1", std::to_string(metodo)});
            if (*coda) testo += righe({coda});
            ASSERT_TRUE(importaProfiloAscii(scrivi("vuoto.pro", testo), p, host));
            EXPECT_EQ(p.NumeroSezioni, 0);
            EXPECT_EQ(p.MetodoLivellette, metodo);
            EXPECT_FALSE(p.ProgettoLiv.has(1, 1));
            ASSERT_TRUE(esportaProfiloAscii(percorso("vuoto2.pro"), p, host));
            Profilo q;
            EXPECT_TRUE(importaProfiloAscii(percorso("vuoto2.pro"), q, host));
            EXPECT_TRUE(host.messaggi.empty());
        }
}

TEST(ProfiloAscii, TolerantNumberForms) {
    // Comma decimals, blanks, Windows line ends, a quoted side and a leading plus sign.
    const std::string testo =
        " 3 \r\n1\r\n0\r\n100,5\r\n\r\n+10.25\r\n1.01e2\r\n20\r\n102\r\n3\r\n1\r\n\"S\"\r\n50\r\n0\r\n2\r\n0\r\n0\r\n";
    Profilo p;
    FakeHost host;
    ASSERT_TRUE(importaProfiloAscii(scrivi("forme.pro", testo), p, host)) << host.testiMessaggi()[0];
    EXPECT_FLOAT_EQ(p.QuoteTerreno[1], 100.5f);
    EXPECT_FLOAT_EQ(p.Progressive[2], 10.25f);
    EXPECT_FLOAT_EQ(p.QuoteTerreno[2], 101);
    EXPECT_EQ(p.CurvaVerso[1], "s");
}

TEST(ProfiloAscii, ExportRefusesWhatCouldNotBeReadBack) {
    FakeHost host;
    const std::string path = percorso("rifiuto.pro");
    Profilo incoerente = profiloCalcolato({3, 3}, 0);
    incoerente.PuntiLivelletta[2] = 7;  // more points than sections
    EXPECT_FALSE(esportaProfiloAscii(path, incoerente, host));
    Profilo nonNumerico = profiloCalcolato({3, 3}, 0);
    nonNumerico.QuoteTerreno[2] = std::nanf("");
    EXPECT_FALSE(esportaProfiloAscii(path, nonNumerico, host));
    Profilo fuoriMisura = profiloCalcolato({3, 3}, 0);
    fuoriMisura.ProgettoLiv(3, 1) = -2e7f;  // the import would refuse it
    EXPECT_FALSE(esportaProfiloAscii(path, fuoriMisura, host));
    EXPECT_FALSE(esportaProfiloAscii(percorso("manca/x.pro"), profiloCalcolato({3}, 0), host));
    EXPECT_FALSE(std::filesystem::exists(path));
    const std::string esporta = "Impossibile esportare il profilo longitudinale: ";
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{esporta + "i punti delle livellette non corrispondono alle sezioni.",
                                        esporta + "la sezione 2 ha valori non numerici.",
                                        esporta + "la livelletta 1 ha quote di progetto superiori a 10000000.",
                                        "Impossibile scrivere il file " + percorso("manca/x.pro") + "."}));

    // A profile never divided into grade lines goes out as one grade line and comes back so.
    Profilo senzaLivellette = profiloCalcolato({4}, 0);
    senzaLivellette.NumeroLivellette = 0;
    ASSERT_TRUE(esportaProfiloAscii(path, senzaLivellette, host));
    Profilo letto;
    ASSERT_TRUE(importaProfiloAscii(path, letto, host));
    EXPECT_EQ(letto.NumeroSezioni, 4);
    EXPECT_EQ(letto.NumeroLivellette, 1);
    EXPECT_EQ(letto.Progressive[4], 60);

    // The empty profile round-trips as an empty profile.
    ASSERT_TRUE(esportaProfiloAscii(path, Profilo{}, host));
    Profilo vuoto = profiloPrecedente();
    ASSERT_TRUE(importaProfiloAscii(path, vuoto, host));
    EXPECT_EQ(vuoto.NumeroSezioni, 0);
    EXPECT_EQ(vuoto.NumeroLivellette, 0);
}

}  // namespace
}  // namespace carvela
