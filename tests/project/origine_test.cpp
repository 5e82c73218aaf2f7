// The project origin: its choice, its stored text, and true coordinates written and typed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "project/coordinate.h"
#include "project/origine.h"

namespace carvela {
namespace {

std::string pulito(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

TEST(Origine, CasiTabellati) {
    std::ifstream in(std::string(CARVELA_TEST_CASES) + "/origine.txt");
    ASSERT_TRUE(in.good());
    int casi = 0;
    for (std::string riga; std::getline(in, riga);) {
        if (riga.empty() || riga[0] == '#') continue;
        std::vector<std::string> c;
        std::stringstream campi(riga);
        for (std::string campo; std::getline(campi, campo, '|');) c.push_back(pulito(campo));
        ASSERT_EQ(c.size(), 3u) << riga;
        SCOPED_TRACE(riga);
        std::stringstream a(c[1]), b(c[2]);
        double e, n;
        if (c[0] == "scegli") {
            double v[4];
            a >> v[0] >> v[1] >> v[2] >> v[3];
            b >> e >> n;
            const OrigineProgetto o = scegliOrigine(v[0], v[1], v[2], v[3]);
            EXPECT_EQ(o, (OrigineProgetto{e, n}));
            // The stored text reads back as the same origin; origin 0 stores nothing.
            EXPECT_EQ(leggiOrigine(testoOrigine(o)), o);
            EXPECT_EQ(testoOrigine(o).empty(), o.nulla());
        } else if (c[0] == "testo") {
            double vera, origine;
            a >> vera >> origine;
            const float record = coordinataRecord(vera, origine);
            EXPECT_EQ(testoCoordinata(record, origine), c[2]);
            // Typed back into a grid, with the decimal comma, it gives the same record.
            float letto = 0;
            std::string conVirgola = testoCoordinataGriglia(record, origine);
            EXPECT_TRUE(leggiCoordinataGriglia(conVirgola, origine, letto)) << conVirgola;
            EXPECT_EQ(letto, record);
        } else {
            b >> e >> n;
            EXPECT_EQ(leggiOrigine(c[1]), (OrigineProgetto{e, n}));
        }
        ++casi;
    }
    EXPECT_GE(casi, 15);
}

}  // namespace
}  // namespace carvela
