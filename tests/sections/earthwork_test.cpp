// Earthworks: the tabled mass-haul cases run through carvela-cli earthwork, and the table
// reader's refusals.
#include "sections/earthwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/sample_records.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

// carvela-cli earthwork with the arguments: its output and errors together.
std::string esegui(const std::string& argomenti, int& stato) {
    std::string uscita;
    stato = test::esegui(std::string(CARVELA_CLI) + " earthwork " + argomenti + " 2>&1", uscita);
    return uscita;
}

std::vector<std::string> parole(const std::string& t) {
    std::istringstream in(t);
    std::vector<std::string> out;
    for (std::string p; in >> p;)
        if (p != "m" && p != "m3" && p != "m3*m") out.push_back(p);  // the units
    return out;
}

// The words after the label on the report line that starts with it; for "tratto N", the
// N-th row under the balanced stretches' headings.
std::vector<std::string> valori(const std::string& report, const std::string& etichetta) {
    std::istringstream in(report);
    std::string riga;
    if (etichetta.rfind("tratto ", 0) == 0) {
        const int n = std::atoi(etichetta.c_str() + 7);
        while (std::getline(in, riga) && riga.rfind("Tratti compensati", 0) != 0) {
        }
        std::getline(in, riga);  // the headings
        for (int k = 0; k < n && std::getline(in, riga);) ++k;
        return parole(riga);
    }
    while (std::getline(in, riga))
        if (riga.rfind(etichetta + ":", 0) == 0) return parole(riga.substr(etichetta.size() + 1));
    return {};
}

bool uguali(const std::string& atteso, const std::string& letto) {
    char* fa = nullptr;
    char* fl = nullptr;
    const double a = std::strtod(atteso.c_str(), &fa), l = std::strtod(letto.c_str(), &fl);
    if (*fa || *fl || atteso.empty() || letto.empty()) return atteso == letto;
    return std::fabs(a - l) <= 1e-3 * std::max(1.0, std::fabs(a));
}

TEST(MovimentiDiTerra, CasiTabellati) {
    std::ifstream in(std::string(CARVELA_TEST_CASES) + "/earthwork.txt");
    ASSERT_TRUE(in.good());
    campioni::CartellaTemporanea dir;
    std::string riga, nome, argomenti, tabella;
    std::vector<std::pair<std::string, std::string>> attese;
    int casi = 0;
    while (std::getline(in, riga)) {
        if (riga.empty() || riga[0] == '#') continue;
        if (riga.rfind("case ", 0) == 0) {
            nome = riga.substr(5), argomenti.clear(), tabella.clear(), attese.clear();
        } else if (riga.rfind("args", 0) == 0) {
            argomenti = riga.size() > 4 ? riga.substr(5) : "";
        } else if (riga.rfind("expect ", 0) == 0) {
            const auto dp = riga.find(": ");
            attese.emplace_back(riga.substr(7, dp - 7), riga.substr(dp + 2));
        } else if (riga == "end") {
            const std::string file = dir.file(nome + ".txt");
            std::ofstream(file) << tabella;
            int stato = -1;
            const std::string report = esegui("\"" + file + "\" " + argomenti, stato);
            ASSERT_EQ(stato, 0) << nome << '\n' << report;
            for (const auto& [etichetta, testo] : attese) {
                const std::vector<std::string> a = parole(testo), l = valori(report, etichetta);
                bool ok = a.size() == l.size();
                for (std::size_t i = 0; ok && i < a.size(); ++i) ok = uguali(a[i], l[i]);
                EXPECT_TRUE(ok) << nome << ": " << etichetta << ": atteso " << testo << "\n" << report;
            }
            ++casi;
        } else {
            tabella += riga + '\n';
        }
    }
    EXPECT_GE(casi, 6);
}

TEST(MovimentiDiTerra, TabelleRifiutateEOpzioni) {
    std::vector<SezioneTerra> s;
    std::string errore;
    EXPECT_FALSE(leggiTabellaTerra("0 0 0\n100 5\n", s, errore));
    EXPECT_EQ(errore, "Riga 2: attesi progressiva, area di sterro e area di riporto.");
    EXPECT_FALSE(leggiTabellaTerra("0 0 0\n100 5 0\n50 1 0\n", s, errore));
    EXPECT_EQ(errore, "Riga 3: la progressiva diminuisce.");
    EXPECT_FALSE(leggiTabellaTerra("# solo commenti\n\n", s, errore));
    EXPECT_FALSE(leggiTabellaTerra("0 nan 0\n", s, errore));

    campioni::CartellaTemporanea dir;
    std::ofstream(dir.file("t.txt")) << "0 0 0\n100 10 0\n200 0 10\n";
    int stato = -1;
    esegui("\"" + dir.file("t.txt") + "\" --shrink 0", stato);
    EXPECT_EQ(stato, 2);
    esegui("\"" + dir.file("t.txt") + "\" --free-haul 300 --economic-haul 100", stato);
    EXPECT_EQ(stato, 2);
    esegui("\"" + dir.file("manca.txt") + "\"", stato);
    EXPECT_EQ(stato, 1);

    // Zero points split a stretch that goes from cut to fill without changing its volumes.
    const std::vector<SezioneTerra> t{{0, 0, 0}, {100, 30, 0}, {200, 0, 10}};
    ParametriTerra p;
    const Movimento dritto = calcolaMovimento(t, p);
    p.puntiDiPassaggio = true;
    const Movimento spezzato = calcolaMovimento(t, p);
    ASSERT_EQ(dritto.tratti.size(), 3u);
    ASSERT_EQ(spezzato.tratti.size(), 4u);
    EXPECT_TRUE(spezzato.tratti[2].puntoDiPassaggio);
    EXPECT_NEAR(spezzato.tratti[2].progressiva, 175, 1e-9);
    EXPECT_NEAR(spezzato.sterroTotale, dritto.sterroTotale, 1e-9);
    EXPECT_NEAR(spezzato.riportoTotale, dritto.riportoTotale, 1e-9);
    EXPECT_NEAR(spezzato.ordinataFinale, 2500, 1e-9);
}

}  // namespace
}  // namespace carvela
