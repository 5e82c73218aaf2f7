// The haul report: its stretch rows and totals, and its PDF pages.
#include "graphics/haul_report.h"

#include <gtest/gtest.h>

#include "graphics/pdf_writer.h"

using namespace carvela;

namespace {

int conta(const std::string& testo, const std::string& cosa) {
    int n = 0;
    for (auto p = testo.find(cosa); p != std::string::npos; p = testo.find(cosa, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(RapportoTrasporti, TrattiTotaliEPagine) {
    // Cut 10 m2 at 0 and 20 m, fill 10 m2 at 60 and 80 m: one loop of 300 m3 balanced at 80 m.
    ParametriTerra p;
    p.trasportoFranco = 30, p.trasportoEconomico = 60, p.rigonfiamento = 1.25;
    p.costipamento = 0.8;  // 240 m3 of fill need 300 m3 in bank: the loop closes
    const Movimento m = calcolaMovimento({{0, 8, 0}, {20, 8, 0}, {40, 0, 0}, {60, 0, 8}, {80, 0, 8}}, p);
    const RapportoTrasporti r = rapportoTrasporti(m);
    EXPECT_EQ(r.formula,
              "Volume sciolto = sterro x rigonfiamento (1,25); volume in banco = riporto / costipamento (0,80)");
    ASSERT_EQ(r.tratti.righe(), 3);
    std::vector<std::string> riga;
    for (int c = 0; c < r.tratti.colonne(); ++c) riga.push_back(r.tratti.testo(1, c));
    // 75 m3 within the 30 m free haul, 125 m3 beyond it (2125 m3·m), 100 m3 wasted and borrowed
    // where the haul would pass the 60 m limit: the figures of the volumes corrected to 10 m2.
    EXPECT_EQ(riga, (std::vector<std::string>{"1", "0,00", "80,00", "avanti", "75,00", "125,00", "2125,00", "100,00",
                                              "100,00"}));
    EXPECT_EQ(r.tratti.testo(2, 0), "Totale");
    EXPECT_EQ(r.tratti.testo(2, 6), "2125,00");
    EXPECT_EQ(r.totali.testo(1, 1), "240,00");  // cut in bank, then loose
    EXPECT_EQ(r.totali.testo(1, 3), "300,00");
    EXPECT_EQ(r.totali.testo(1, 4), "300,00");  // fill, as bank volume

    PdfWriter pdf;
    EXPECT_EQ(disegnaRapportoTrasporti(pdf, r, "Prova"), 1);
    EXPECT_NE(pdf.documento().find("(Volume sciolto = sterro x rigonfiamento"), std::string::npos);

    // Sixty loops run over pages, each table page opening with the headings.
    std::vector<SezioneTerra> onde;
    for (int i = 0; i <= 240; ++i) onde.push_back({10.0 * i, i % 4 < 2 ? 10.0 : 0.0, i % 4 < 2 ? 0.0 : 10.0});
    const RapportoTrasporti lungo = rapportoTrasporti(calcolaMovimento(onde, p));
    PdfWriter pagine;
    const int n = disegnaRapportoTrasporti(pagine, lungo, "Prova");
    EXPECT_GT(n, 2) << lungo.tratti.righe();
    EXPECT_EQ(pagine.pagine(), n);
    EXPECT_EQ(conta(pagine.documento(), "(Da Prestito)"), n);
}
