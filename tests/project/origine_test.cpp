// The project origin: its choice, its stored text, and true coordinates written and typed.
#include "project/origine.h"

#include <gtest/gtest.h>

#include "project/coordinate.h"
#include "support/cases.h"

namespace carvela {
namespace {

TEST(Origine, CasiTabellati) {
    for (const test::Caso& c : test::leggiCasi("origine.txt")) {
        ASSERT_EQ(c.campi.size(), 3u) << c.testo;
        SCOPED_TRACE(c.testo);
        const std::vector<double> a = c.numeri(1), b = c.numeri(2);
        if (c.nome() == "scegli") {
            const OrigineProgetto o = scegliOrigine(a[0], a[1], a[2], a[3]);
            EXPECT_EQ(o, (OrigineProgetto{b[0], b[1]}));
            // The stored text reads back as the same origin; origin 0 stores nothing.
            EXPECT_EQ(leggiOrigine(testoOrigine(o)), o);
            EXPECT_EQ(testoOrigine(o).empty(), o.nulla());
        } else if (c.nome() == "testo") {
            const float record = coordinataRecord(a[0], a[1]);
            EXPECT_EQ(testoCoordinata(record, a[1]), c.campi[2]);
            // Typed back into a grid, with the decimal comma, it gives the same record.
            float letto = 0;
            std::string conVirgola = testoCoordinataGriglia(record, a[1]);
            EXPECT_TRUE(leggiCoordinataGriglia(conVirgola, a[1], letto)) << conVirgola;
            EXPECT_EQ(letto, record);
        } else {
            EXPECT_EQ(leggiOrigine(c.campi[1]), (OrigineProgetto{b[0], b[1]}));
        }
    }
}

}  // namespace
}  // namespace carvela
