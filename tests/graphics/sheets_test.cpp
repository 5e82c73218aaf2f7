// Sheets at scale: lengths on paper against the scales (tabled cases, read on the recorded
// drawing and in the PDF's operators), the sections packed inside the frame and clear of the
// title block, the profile cut into sheets that together draw every stretch once, the bad
// requests, and the batch tool's PDF of the sample checked by outside readers when present.
#include "graphics/sheets.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "graphics/pdf_writer.h"
#include "profile/profile_builder.h"
#include "project/records.h"
#include "sections/fixtures.h"
#include "sections/section_solve.h"
#include "state/settings.h"
#include "support/cases.h"

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

namespace {
int esegui(const std::string& comando, std::string& uscita) {
    FILE* f = popen((comando + " 2>&1").c_str(), "r");
    if (!f) return -1;
    std::array<char, 512> buf;
    while (fgets(buf.data(), buf.size(), f)) uscita += buf.data();
    const int s = pclose(f);
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
}
}  // namespace

TEST(Tavole, PdfDelCampioneDalProgrammaBatch) {
    const std::string pdf = testing::TempDir() + "tavole_campione.pdf";
    std::string uscita;
    ASSERT_EQ(esegui(std::string(CARVELA_CLI) + " sheets " + CARVELA_SOURCE_DIR + "/samples/progetto.pln " + pdf +
                         " --sections 200 --profile 2000:200",
                     uscita),
              0)
        << uscita;
    EXPECT_NE(uscita.find("fogli di sezioni"), std::string::npos) << uscita;
    std::string errore;
    EXPECT_EQ(esegui(std::string(CARVELA_CLI) + " sheets x.pln " + pdf + " --profile 100:1000", errore), 2);

    std::string info;
    if (esegui("pdfinfo -v", info) == 127 || esegui("qpdf --version", info) == 127)
        GTEST_SKIP() << "pdfinfo o qpdf non installato: struttura del PDF non verificata";
    std::string controllo;
    EXPECT_EQ(esegui("qpdf --check " + pdf, controllo), 0) << controllo;
    info.clear();
    ASSERT_EQ(esegui("pdfinfo " + pdf, info), 0) << info;
    EXPECT_NE(info.find("Page size:       1190.55 x 841.89 pts (A3)"), std::string::npos) << info;
    std::remove(pdf.c_str());
}
