// carvela-cli compute and intersect: files written back, messages and exit codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "project/project_files.h"
#include "support/cases.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

ClosedTraverse quadratoInGradi(std::size_t stazioni) {
    std::vector<test::Stazione> s(4, {0, 100, 100, 100, 1.5f, 1.5f});
    s[0].distanza = 100.04f;
    s.resize(stazioni);
    return test::poligonaleChiusa(s, 500, 1000, 100, 0, 0.01f, 0.01f);
}

TEST(CliRilievo, CasiTabellati) {
    test::FileTemporaneo quadrato("quadrato.plc");
    const std::string dir = quadrato.cartella();
    ASSERT_EQ(scriviRecord(quadrato.path(), quadratoInGradi(4), false), "");
    ASSERT_EQ(scriviRecord(dir + "/corta.plc", quadratoInGradi(2), false), "");
    for (const test::Caso& c : test::leggiCasi("survey_cli.txt")) {
        SCOPED_TRACE(c.testo);
        std::string argomenti = c.campi[0];
        for (std::size_t k; (k = argomenti.find("{dir}")) != std::string::npos;) argomenti.replace(k, 5, dir);
        const test::Esito e = test::cli(argomenti, quadrato);
        if (c.campi[1] == "!0")
            EXPECT_NE(e.stato, 0);
        else
            EXPECT_EQ(e.stato, std::stoi(c.campi[1])) << e.errori;
        for (const std::string& voce : c.lista(2)) {
            const std::string resto = voce.substr(voce.find(' ') + 1), tipo = voce.substr(0, voce.find(' '));
            if (tipo == "err" || tipo == "out")
                EXPECT_NE((tipo == "err" ? e.errori : e.uscita).find(resto), std::string::npos) << e.uscita << e.errori;
            else if (tipo == "no")
                EXPECT_EQ(e.uscita.find(resto), std::string::npos) << e.uscita;
            else {  // LABEL VALUE TOLERANCE
                std::istringstream numeri(voce.substr(voce.rfind(' ', voce.rfind(' ') - 1)));
                double atteso = 0, tolleranza = 0;
                numeri >> atteso >> tolleranza;
                const std::size_t dove = e.uscita.find(voce.substr(0, voce.rfind(' ', voce.rfind(' ') - 1)));
                ASSERT_NE(dove, std::string::npos) << e.uscita;
                const std::size_t inizio = e.uscita.find_first_of("-0123456789", dove + 2);
                EXPECT_NEAR(std::strtod(e.uscita.c_str() + inizio, nullptr), atteso, tolleranza) << e.uscita;
            }
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/mai.plc"));
    ClosedTraverse letta;
    ASSERT_TRUE(leggiRecord(dir + "/calcolato.plc", letta));
    EXPECT_NEAR(letta.Ordinata[3], 1100.019998, 2e-4);
    EXPECT_NEAR(letta.ErroreLineare, 0.04, 1e-4);
}

}  // namespace
}  // namespace carvela
