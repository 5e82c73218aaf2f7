// Sheets at scale: lengths on paper against the scales (tabled cases, read on the recorded
// drawing and in the PDF's operators), the sections packed inside the frame and clear of the
// title block, the profile cut into sheets that together draw every stretch once, the bad
// requests, and the batch tool's PDF of the sample checked by outside readers when present.
// Under them the PDF writer (millimetres become points exactly, the cross-reference table points
// at the objects, texts are escaped and encoded, a failed save leaves nothing behind) and the
// haul report's rows, totals and pages.
#include "graphics/sheets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "graphics/haul_report.h"
#include "graphics/pdf_writer.h"
#include "profile/profile_builder.h"
#include "project/records.h"
#include "sections/fixtures.h"
#include "sections/section_solve.h"
#include "state/settings.h"
#include "support/cases.h"
#include "support/survey_dxf_fixtures.h"

using namespace carvela;

namespace {

// What was drawn, page by page.
struct Registro : SuperficieMm {
    struct Tratto {
        double x1, y1, x2, y2, spessore;
        uint8_t r, g, b;
        int pagina;
    };
    struct Scritta {
        double x, y;
        std::string testo;
        int pagina;
    };
    std::vector<std::pair<double, double>> pagine;
    std::vector<Tratto> tratti;
    std::vector<Scritta> scritte;
    uint8_t r = 0, g = 0, b = 0;
    double w = 0;

    int p() const { return static_cast<int>(pagine.size()) - 1; }
    void nuovaPagina(double l, double a) override { pagine.emplace_back(l, a); }
    void colore(uint8_t rr, uint8_t gg, uint8_t bb) override { r = rr, g = gg, b = bb; }
    void spessore(double mm) override { w = mm; }
    void linea(double x1, double y1, double x2, double y2) override {
        tratti.push_back({x1, y1, x2, y2, w, r, g, b, p()});
    }
    void polilinea(const std::vector<PuntoMm>& q, bool chiusa) override {
        for (std::size_t i = 0; i + 1 < q.size(); ++i) linea(q[i].x, q[i].y, q[i + 1].x, q[i + 1].y);
        if (chiusa && q.size() > 2) linea(q.back().x, q.back().y, q[0].x, q[0].y);
    }
    void rettangoloPieno(double, double, double, double) override {}
    void cerchio(double, double, double) override {}
    void testo(double x, double y, std::string_view t, double, double) override {
        scritte.push_back({x, y, std::string(t), p()});
    }
    // The ground line is drawn green and 0.35 mm wide, the platform and design 0.45 mm.
    static bool terreno(const Tratto& t) { return t.r == 0 && t.g == 150 && t.b == 0 && t.spessore == 0.35; }
};

Sezione sezioneRilevato(float larghezza, int16_t numero, float fianco = 15) {
    Sezione s = sezioneDi(larghezza, 100, {-fianco, 99, fianco, 99}, numero);
    risolviSezione(s, Impostazioni{});
    return s;
}

int conta(const std::vector<Registro::Scritta>& s, const std::string& inizio) {
    int n = 0;
    for (const auto& w : s) n += w.testo.rfind(inizio, 0) == 0;
    return n;
}

int conta(const std::string& testo, const std::string& cosa) {
    int n = 0;
    for (auto p = testo.find(cosa); p != std::string::npos; p = testo.find(cosa, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(Tavole, LunghezzeInScala) {
    for (const test::Caso& c : test::leggiCasi("sheet_scales.txt")) {
        SCOPED_TRACE(c.testo);
        const std::string tipo = c.parole(0)[0], scala = c.parole(0)[1];
        const std::vector<double> metri = c.numeri(1), attesi = c.numeri(2);
        OpzioniTavole o;
        Registro r;
        VbArray<Sezione> sezioni;
        Profilo profilo;
        if (tipo == "sezione") {
            ASSERT_TRUE(leggiScalaSezioni(scala, o.scalaSezioni));
            o.scalaOrizzontale = o.scalaVerticale = 0;
            sezioni.redim(1);
            sezioni[1] = sezioneRilevato(static_cast<float>(metri[0]), 1);
            ASSERT_EQ(disegnaTavole(r, sezioni, profilo, o).errore, "");
            int piattaforme = 0;  // the one wide level line
            for (const auto& t : r.tratti)
                if (t.spessore == 0.45 && t.y1 == t.y2) {
                    EXPECT_NEAR(std::fabs(t.x2 - t.x1), attesi[0], 1e-9);
                    ++piattaforme;
                }
            EXPECT_EQ(piattaforme, 1);
            // The same length in the PDF, in points.
            PdfWriter pdf;
            disegnaTavole(pdf, sezioni, profilo, o);
            const std::string d = pdf.documento();
            const std::regex tratto(R"((-?[\d.]+) (-?[\d.]+) m (-?[\d.]+) (-?[\d.]+) l S)");
            int trovati = 0;
            for (std::sregex_iterator it(d.begin(), d.end(), tratto), fine; it != fine; ++it) {
                const double x1 = std::stod((*it)[1]), y1 = std::stod((*it)[2]);
                const double x2 = std::stod((*it)[3]), y2 = std::stod((*it)[4]);
                trovati += y1 == y2 && std::fabs(std::fabs(x2 - x1) - attesi[0] * 72 / 25.4) < 0.002;
            }
            EXPECT_GE(trovati, 1);
        } else {
            ASSERT_TRUE(leggiScaleProfilo(scala, o.scalaOrizzontale, o.scalaVerticale));
            o.scalaSezioni = 0;
            std::vector<prova::SezioneProfilo> s;
            for (int i = 0; i < 6; ++i) s.push_back({i * metri[0], 100 + (i % 2) * metri[1]});
            profilo = prova::profiloDa(s, {6});
            const EsitoTavole e = disegnaTavole(r, sezioni, profilo, o);
            ASSERT_EQ(e.errore, "");
            EXPECT_EQ(e.fogliProfilo, 1);
            int segmenti = 0;
            for (const auto& t : r.tratti)
                if (Registro::terreno(t)) {
                    EXPECT_NEAR(std::fabs(t.x2 - t.x1), attesi[0], 1e-6);
                    EXPECT_NEAR(std::fabs(t.y2 - t.y1), attesi[1], 1e-6);
                    ++segmenti;
                }
            EXPECT_EQ(segmenti, 5);
        }
    }
}

TEST(Tavole, SezioniNelRiquadroFuoriDalCartiglio) {
    VbArray<Sezione> sezioni(30);
    for (int16_t j = 1; j <= 30; ++j) sezioni[j] = sezioneRilevato(10, j, static_cast<float>(8 + j % 9));
    OpzioniTavole o;
    o.formatoA3 = false;
    o.scalaOrizzontale = o.scalaVerticale = 0;
    Registro r;
    const EsitoTavole e = disegnaTavole(r, sezioni, Profilo{}, o);
    ASSERT_EQ(e.errore, "");
    EXPECT_TRUE(e.avvisi.empty());
    ASSERT_GE(e.fogliSezioni, 2);
    ASSERT_EQ(static_cast<int>(r.pagine.size()), e.fogliSezioni);
    for (const auto& pagina : r.pagine) EXPECT_EQ(pagina, std::make_pair(297.0, 210.0));
    for (const auto& t : r.tratti) {
        for (auto [x, y] : {std::make_pair(t.x1, t.y1), std::make_pair(t.x2, t.y2)}) {
            EXPECT_TRUE(x >= 10 - 1e-9 && x <= 287 + 1e-9 && y >= 10 - 1e-9 && y <= 200 + 1e-9) << x << " " << y;
            // Ground and design keep clear of the title block.
            if (t.spessore == 0.35 || t.spessore == 0.45) EXPECT_FALSE(x > 167 && y < 46) << x << " " << y;
        }
    }
    // Every section once, its areas under it, every sheet numbered.
    std::multiset<std::string> titoli;
    std::set<int> numerati;
    for (const auto& s : r.scritte) {
        if (s.testo.rfind("SEZIONE ", 0) == 0) titoli.insert(s.testo);
        if (s.testo == "Foglio " + std::to_string(s.pagina + 1) + " di " + std::to_string(e.fogliSezioni))
            numerati.insert(s.pagina);
    }
    EXPECT_EQ(titoli.size(), 30u);
    for (int j = 1; j <= 30; ++j) EXPECT_EQ(titoli.count("SEZIONE " + std::to_string(j)), 1u);
    EXPECT_EQ(conta(r.scritte, "Progr. "), 30);
    EXPECT_EQ(static_cast<int>(numerati.size()), e.fogliSezioni);
}

TEST(Tavole, ProfiloSuPiuFogli) {
    // 800 m rising 24 m: at 1:1000/1:100 neither the length nor the height fits one sheet.
    std::vector<prova::SezioneProfilo> s;
    for (int i = 0; i <= 40; ++i) s.push_back({i * 20.0, 120 + 0.6 * i + (i % 3) * 0.5});
    const Profilo profilo = prova::profiloDa(s, {41});
    OpzioniTavole o;
    o.scalaSezioni = 0;
    Registro r;
    const EsitoTavole e = disegnaTavole(r, VbArray<Sezione>{}, profilo, o);
    ASSERT_EQ(e.errore, "");
    EXPECT_TRUE(e.avvisi.empty());
    EXPECT_GE(e.fogliProfilo, 4);
    // Sheets break at sections: each 20 m step drawn once and whole, right of the band
    // headings, over the bands, under the frame.
    int passi = 0;
    for (const auto& t : r.tratti) {
        if (!Registro::terreno(t)) continue;
        EXPECT_NEAR(std::fabs(t.x2 - t.x1), 20, 1e-6);
        EXPECT_GE(std::min(t.x1, t.x2), 14 + 125 - 1e-9);
        EXPECT_LE(std::max(t.x1, t.x2), 420 - 20 + 1e-9);
        EXPECT_GE(std::min(t.y1, t.y2), 52 + 130 - 1e-9);
        EXPECT_LE(std::max(t.y1, t.y2), 297 - 14 + 1e-9);
        ++passi;
    }
    EXPECT_EQ(passi, 40);
    EXPECT_EQ(conta(r.scritte, "Quota di riferimento "), e.fogliProfilo);
    EXPECT_EQ(conta(r.scritte, "NUMERO SEZIONI"), e.fogliProfilo);
}

TEST(Tavole, RichiesteSbagliate) {
    int32_t h = 0, v = 0, s = 0;
    EXPECT_TRUE(leggiScaleProfilo("2000:200", h, v));
    EXPECT_EQ(std::make_pair(h, v), std::make_pair(2000, 200));
    EXPECT_TRUE(leggiScalaSezioni("1:100", s));
    EXPECT_EQ(s, 100);
    for (const char* t : {"1:1000", "0:100", "1000:", "1000:-5", "1000:1,5", "abc"})
        EXPECT_FALSE(leggiScaleProfilo(t, h, v)) << t;
    for (const char* t : {"0", "-200", "200.5", "", "1:"}) EXPECT_FALSE(leggiScalaSezioni(t, s)) << t;

    Registro r;
    EXPECT_NE(disegnaTavole(r, VbArray<Sezione>{}, Profilo{}, OpzioniTavole{}).errore, "");
    // A corrupt progressive would ask for thousands of sheets.
    std::vector<prova::SezioneProfilo> lungo{{0, 100}, {5e6, 100}};
    EXPECT_NE(disegnaTavole(r, VbArray<Sezione>{}, prova::profiloDa(lungo, {2}), OpzioniTavole{}).errore, "");
    EXPECT_TRUE(r.pagine.empty());
}

TEST(Tavole, PdfDelCampioneDalProgrammaBatch) {
    const std::string pdf = testing::TempDir() + "tavole_campione.pdf", cli = std::string(CARVELA_CLI) + " sheets ";
    std::string uscita;
    ASSERT_EQ(test::esegui(
                  cli + CARVELA_SOURCE_DIR + "/samples/progetto.pln " + pdf + " --sections 200 --profile 2000:200 2>&1",
                  uscita),
              0)
        << uscita;
    EXPECT_NE(uscita.find("fogli di sezioni"), std::string::npos) << uscita;
    EXPECT_EQ(test::esegui(cli + "x.pln " + pdf + " --profile 100:1000 2>&1", uscita), 2);

    if (test::esegui("pdfinfo -v 2>&1", uscita) == 127 || test::esegui("qpdf --version 2>&1", uscita) == 127)
        GTEST_SKIP() << "pdfinfo o qpdf non installato: struttura del PDF non verificata";
    EXPECT_EQ(test::esegui("qpdf --check " + pdf + " 2>&1", uscita), 0) << uscita;
    ASSERT_EQ(test::esegui("pdfinfo " + pdf + " 2>&1", uscita), 0) << uscita;
    EXPECT_NE(uscita.find("Page size:       1190.55 x 841.89 pts (A3)"), std::string::npos) << uscita;
    std::remove(pdf.c_str());
}

TEST(PdfWriter, PagineMillimetriERiferimenti) {
    PdfWriter pdf;
    pdf.nuovaPagina(kA4Larghezza, kA4Altezza);
    pdf.spessore(0.25);
    pdf.linea(10, 20, 60, 20);
    pdf.testo(5, 5, "Quota (m) à", 2.5, 90);
    pdf.nuovaPagina(kA3Altezza, kA3Larghezza);  // A3 landscape
    pdf.cerchio(100, 100, 3);
    pdf.rettangoloPieno(0, 0, 10, 5);
    ASSERT_EQ(pdf.pagine(), 2);
    const std::string d = pdf.documento();

    EXPECT_NE(d.find("/MediaBox [0 0 595.276 841.890]"), std::string::npos);
    EXPECT_NE(d.find("/MediaBox [0 0 1190.551 841.890]"), std::string::npos);
    EXPECT_NE(d.find("/Count 2"), std::string::npos);
    // 10 mm = 28.346 pt; a 50 mm line is 141.732 pt long.
    EXPECT_NE(d.find("28.346 56.693 m 170.079 56.693 l S"), std::string::npos);
    EXPECT_NE(d.find("0.709 w"), std::string::npos);
    // A quarter turn, the parentheses escaped, "à" as its Windows-1252 byte.
    EXPECT_NE(d.find("0 1 -1 0 14.173 14.173 Tm (Quota \\(m\\) \xE0) Tj"), std::string::npos);
    // The second page starts with the pen of the first.
    const std::size_t seconda = d.find("8 0 obj");
    ASSERT_NE(seconda, std::string::npos);
    EXPECT_NE(d.find("0.709 w", seconda), std::string::npos);

    // Every cross-reference entry points at the start of its object.
    const std::size_t xref = d.find("\nxref\n") + 1;
    std::istringstream tabella(d.substr(xref));
    std::string parola;
    int primo = 0, quanti = 0;
    tabella >> parola >> primo >> quanti;
    ASSERT_EQ(quanti, 1 + 4 + 2 * 2);
    std::string pos, gen, tipo;
    tabella >> pos >> gen >> tipo;  // the free entry
    for (int i = 1; i < quanti; ++i) {
        tabella >> pos >> gen >> tipo;
        EXPECT_EQ(d.substr(std::stoul(pos), std::to_string(i).size() + 6), std::to_string(i) + " 0 obj") << i;
    }
    EXPECT_NE(d.find("startxref\n" + std::to_string(xref)), std::string::npos);

    // Each content stream is as long as its /Length says.
    const std::regex lunghezza(R"(/Length (\d+) >>\nstream\n)");
    int flussi = 0;
    for (std::sregex_iterator it(d.begin(), d.end(), lunghezza), fine; it != fine; ++it, ++flussi) {
        const std::size_t inizio = static_cast<std::size_t>(it->position() + it->length());
        EXPECT_EQ(d.compare(inizio + std::stoul((*it)[1]), 10, "\nendstream"), 0);
    }
    EXPECT_EQ(flussi, 2);
}

TEST(PdfWriter, LarghezzaTestoESalvataggio) {
    // Capitals 0.718 high make a size-1 font: four digits of Helvetica are 4 x 0.556.
    EXPECT_NEAR(larghezzaTesto("2024", 0.718), 2.224, 1e-9);
    EXPECT_NEAR(larghezzaTesto("Il", 0.718), 0.5, 1e-9);

    test::FileTemporaneo file("prova.pdf");
    PdfWriter pdf;
    pdf.titolo("Prova (1)");
    pdf.linea(0, 0, 10, 10);
    ASSERT_EQ(pdf.salva(file.path()), "");
    EXPECT_EQ(file.leggi(), pdf.documento());
    EXPECT_FALSE(std::filesystem::exists(file.path() + ".tmp"));
    std::string uscita;
    const int qpdf = test::esegui("qpdf --check " + file.path() + " 2>&1", uscita);
    if (qpdf == 127) std::puts("qpdf non installato: controllo della struttura saltato");
    if (qpdf != 127) EXPECT_EQ(qpdf, 0) << uscita;

    const std::string mancante = file.cartella() + "/manca/prova.pdf";
    EXPECT_NE(pdf.salva(mancante), "");
    EXPECT_FALSE(std::filesystem::exists(mancante + ".tmp"));
}

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
