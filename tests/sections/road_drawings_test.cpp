// The profile and section drawings as element lists, their rendering through the view,
// and the mass diagram.
#include "graphics/road_drawings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "graphics/drawing_items.h"
#include "graphics/recording_canvas.h"
#include "sections/mass_diagram.h"
#include "sections/section_solve.h"
#include "sections/volumes.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

namespace {

std::vector<ElementoDisegno> con(const Disegno& d, const std::string& ruolo) {
    std::vector<ElementoDisegno> out;
    for (const auto& e : d)
        if (e.ruolo == ruolo) out.push_back(e);
    return out;
}

std::vector<std::string> testi(const Disegno& d, const std::string& ruolo) {
    std::vector<std::string> out;
    for (const auto& e : con(d, ruolo)) out.push_back(e.testo);
    return out;
}

// Sections every 50 m up to 250 m, two grade lines sharing section 3, a right-hand curve
// over sections 2 to 4.
Profilo profilo(uint8_t metodo) {
    Profilo p;
    const int n = 6;
    const float x[] = {0, 50, 100, 150, 200, 250}, t[] = {100, 102, 101, 104, 103, 105};
    p.NumeroSezioni = n;
    p.Progressive.redim(n);
    p.QuoteTerreno.redim(n);
    for (int i = 1; i <= n; ++i) {
        p.Progressive[i] = x[i - 1];
        p.QuoteTerreno[i] = t[i - 1];
    }
    p.QuotaMassima = 105;
    p.QuotaMinima = 100;
    p.QuotaRiferimento = 80;
    p.NumeroLivellette = 2;
    p.PuntiLivelletta.redim(2);
    p.PuntiLivelletta[1] = 3;
    p.PuntiLivelletta[2] = 4;
    p.ProgressiveLiv.redim(6, 3);
    p.TerrenoLiv.redim(6, 3);
    p.ProgettoLiv.redim(6, 3);
    p.RosseLiv.redim(6, 3);
    const int inizio[] = {0, 0, 2};
    for (int g = 1; g <= 2; ++g)
        for (int j = 1; j <= p.PuntiLivelletta[g]; ++j) {
            const int i = inizio[g] + j - 1;
            p.ProgressiveLiv(j, g) = x[i];
            p.TerrenoLiv(j, g) = t[i];
            p.ProgettoLiv(j, g) = 100.5f + 0.02f * x[i];
            p.RosseLiv(j, g) = p.ProgettoLiv(j, g) - t[i];
        }
    p.Pendenze.redim(2);
    p.Pendenze[1] = p.Pendenze[2] = 0.02f;
    p.NumeroCurve = 1;
    p.CurvaDa.redim(1);
    p.CurvaA.redim(1);
    p.CurvaVerso.redim(1);
    p.CurvaRaggio.redim(1);
    p.CurvaSviluppo.redim(1);
    p.CurvaApertura.redim(1);
    p.CurvaTangente.redim(1);
    p.CurvaDa[1] = 2;
    p.CurvaA[1] = 4;
    p.CurvaVerso[1] = "d";
    p.CurvaRaggio[1] = 150;
    p.CurvaSviluppo[1] = 100;
    p.MetodoLivellette = metodo;
    return p;
}

Sezione sezioneRisolta(float quota, const std::vector<float>& xz) {
    Sezione s;
    s.Numero = 7;
    s.Larghezza = 10;
    s.QuotaProgetto = quota;
    const int n = static_cast<int>(xz.size() / 2);
    s.NumeroPunti = static_cast<int16_t>(n);
    s.DistanzeTerreno.redim(n);
    s.QuoteTerreno.redim(n);
    for (int i = 1; i <= n; ++i) {
        s.DistanzeTerreno[i] = xz[static_cast<std::size_t>(2 * i - 2)];
        s.QuoteTerreno[i] = xz[static_cast<std::size_t>(2 * i - 1)];
    }
    risolviSezione(s, Impostazioni{});
    return s;
}

bool tuttiFiniti(const Disegno& d) {
    return std::all_of(d.begin(), d.end(), [](const ElementoDisegno& e) {
        return std::isfinite(e.x1) && std::isfinite(e.y1) && std::isfinite(e.x2) && std::isfinite(e.y2);
    });
}

}  // namespace

TEST(DisegnoProfilo, BandeTerrenoEtichette) {
    const Disegno d = disegnoProfilo(profilo(0));
    // Ground line, one piece per pair of sections, ten times exaggerated above the datum.
    auto terreno = con(d, "terreno");
    ASSERT_EQ(terreno.size(), 5u);
    EXPECT_DOUBLE_EQ(terreno[0].y1, 200);
    EXPECT_DOUBLE_EQ(terreno[0].x2, 50);
    EXPECT_DOUBLE_EQ(terreno[0].y2, 220);
    EXPECT_EQ(terreno[0].colore, 10);
    EXPECT_EQ(con(d, "punto_terreno").size(), 6u);
    // Eight band lines from their left starts to the last section.
    auto bande = con(d, "banda");
    ASSERT_EQ(bande.size(), 8u);
    EXPECT_DOUBLE_EQ(bande[0].x1, -125);
    EXPECT_DOUBLE_EQ(bande[2].x1, -75);
    EXPECT_DOUBLE_EQ(bande[2].y1, -39);
    for (const auto& b : bande) EXPECT_DOUBLE_EQ(b.x2, 250);
    EXPECT_EQ(testi(d, "intestazione"),
              (std::vector<std::string>{"NUMERO SEZIONI", "QUOTE", "PROGETTO", "TERRENO", "DISTANZE", "PARZIALI",
                                        "PROGRESSIVE", "ETTOMETRICHE", "RETTIFILI", "E CURVE "}));
    // One label set per section: a running count, progressives and partial distances.
    EXPECT_EQ(testi(d, "numero_sezione"), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(testi(d, "progressiva"),
              (std::vector<std::string>{",00", "50,00", "100,00", "150,00", "200,00", "250,00"}));
    EXPECT_EQ(testi(d, "distanza_parziale").size(), 5u);
    EXPECT_EQ(testi(d, "quota_terreno")[3], "104,00");
    for (const auto& e : con(d, "progressiva")) EXPECT_TRUE(e.verticale);
    // Method 0: no design line, no red heights.
    EXPECT_TRUE(con(d, "progetto").empty());
    EXPECT_TRUE(con(d, "quota_rossa").empty());

    // Hectometres alternate lower and upper half; the remainder of 250 m is in the lower.
    auto ettometri = con(d, "ettometro");
    ASSERT_EQ(ettometri.size(), 3u);
    EXPECT_DOUBLE_EQ(ettometri[0].y1, -38);
    EXPECT_DOUBLE_EQ(ettometri[1].y1, -34.5);
    EXPECT_DOUBLE_EQ(ettometri[1].y2, -31);
    EXPECT_DOUBLE_EQ(ettometri[2].x1, 200);
    EXPECT_DOUBLE_EQ(ettometri[2].x2, 250);
    EXPECT_DOUBLE_EQ(ettometri[2].y1, -38);

    // The right-hand curve over sections 2..4 steps the band down to -25 between 50 and 150.
    bool gradino = false;
    for (const auto& e : con(d, "rettifili_curve"))
        gradino = gradino || (e.y1 == -25 && e.y2 == -25 && e.x1 == 50 && e.x2 == 150);
    EXPECT_TRUE(gradino);
    EXPECT_EQ(testi(d, "didascalia_curva"), (std::vector<std::string>{"RA=150,00", "SV=100,00", "AC=,00", "TG=,00"}));
    // Grade-line marks at each start and at the last section, on the line above the ground.
    auto marche = con(d, "marca_livelletta");
    ASSERT_EQ(marche.size(), 6u);
    EXPECT_DOUBLE_EQ(marche[0].y1, (105 - 80 + 3) * 10);
    EXPECT_TRUE(tuttiFiniti(d));

    // Fewer than two sections: nothing at all.
    Profilo corto = profilo(5);
    corto.NumeroSezioni = 1;
    EXPECT_TRUE(disegnoProfilo(corto).empty());
    // Counts larger than the lists: drawn as far as the lists go, nothing invented.
    Profilo rotto = profilo(5);
    rotto.NumeroSezioni = 1000000;
    rotto.NumeroLivellette = 50;
    EXPECT_EQ(con(disegnoProfilo(rotto), "terreno").size(), 5u);
}

TEST(DisegnoProfilo, LineaDiProgettoQuoteRosseDidascalie) {
    const Disegno d = disegnoProfilo(profilo(5));
    auto progetto = con(d, "progetto");
    ASSERT_EQ(progetto.size(), 2u);
    EXPECT_DOUBLE_EQ(progetto[1].x1, 100);
    EXPECT_DOUBLE_EQ(progetto[1].x2, 250);
    EXPECT_NEAR(progetto[1].y2, (100.5 + 5 - 80) * 10, 1e-3);
    EXPECT_EQ(progetto[0].colore, 13);
    // Red heights: fill in light red over the line, cut in yellow under it.
    auto rosse = con(d, "quota_rossa");
    ASSERT_EQ(rosse.size(), 6u);
    EXPECT_EQ(rosse[0].testo, ",50");  // 100.5 over ground 100
    EXPECT_EQ(rosse[0].colore, 12);
    EXPECT_GT(rosse[0].y1, (100.5 - 80) * 10);
    EXPECT_EQ(rosse[1].testo, "-,50");  // 101.5 under ground 102
    EXPECT_EQ(rosse[1].colore, 14);
    EXPECT_LT(rosse[1].y1, (101.5 - 80) * 10 - 20);
    EXPECT_EQ(testi(d, "didascalia_livelletta")[0], "L=100,00 , Disl=-2,00 , P=2,00%");
}

TEST(DisegnoSezione, PiattaformaCunetteScarpateIncroci) {
    // Fill both sides: plain platform, no crossing, no ditch.
    const Sezione riporto = sezioneRisolta(100, {-20, 99, 0, 99, 20, 99});
    Disegno d = disegnoSezione(riporto);
    EXPECT_TRUE(con(d, "incrocio_sopra").empty());
    EXPECT_TRUE(con(d, "cunetta").empty());
    auto piattaforma = con(d, "piattaforma");
    ASSERT_EQ(piattaforma.size(), 1u);
    EXPECT_DOUBLE_EQ(piattaforma[0].x1, 206);
    EXPECT_DOUBLE_EQ(piattaforma[0].x2, 306);
    EXPECT_DOUBLE_EQ(piattaforma[0].y1, 200);
    auto scarpate = con(d, "scarpata");
    ASSERT_EQ(scarpate.size(), 2u);
    EXPECT_NEAR(scarpate[0].x2, 256 - 70, 1e-3);
    EXPECT_NEAR(scarpate[0].y2, 190, 1e-3);
    EXPECT_EQ(con(d, "terreno").size(), 2u);
    EXPECT_EQ(testi(d, "titolo"), std::vector<std::string>{"SEZIONE 7"});
    EXPECT_EQ(testi(d, "quota_ciglio"), (std::vector<std::string>{"99,00", "99,00"}));
    EXPECT_EQ(testi(d, "rossa_ciglio"), (std::vector<std::string>{"1,00", "1,00"}));
    EXPECT_EQ(testi(d, "didascalia_tabella"),
              (std::vector<std::string>{"QUOTA", "TERR.", "QUOTA", "PROG.", "D.PROG."}));
    std::vector<double> regole;
    for (const auto& e : con(d, "tabella"))
        if (e.y1 == e.y2) regole.push_back(e.y1);
    EXPECT_EQ(regole, (std::vector<double>{40, 10, -20, -30}));

    // Cut both sides: a ditch at each edge, the platform shortened by 0.7 m each side.
    d = disegnoSezione(sezioneRisolta(100, {-20, 101, 0, 101, 20, 101}));
    EXPECT_EQ(con(d, "cunetta").size(), 4u);
    EXPECT_DOUBLE_EQ(con(d, "piattaforma")[0].x1, 213);
    EXPECT_DOUBLE_EQ(con(d, "piattaforma")[0].x2, 299);
    EXPECT_EQ(testi(d, "rossa_ciglio")[0], "1,00");  // the absolute value

    // Ground rising through the axis: cut on the right only, one crossing at the axis.
    d = disegnoSezione(sezioneRisolta(100, {-20, 98, 20, 102}));
    auto cunette = con(d, "cunetta");
    ASSERT_EQ(cunette.size(), 2u);
    EXPECT_DOUBLE_EQ(cunette[0].x1, 299);
    EXPECT_NEAR(cunette[0].y2, 197, 1e-9);
    ASSERT_EQ(con(d, "incrocio_sopra").size(), 1u);
    EXPECT_NEAR(con(d, "incrocio_sopra")[0].x1, 256, 1e-4);
    EXPECT_DOUBLE_EQ(con(d, "incrocio_sopra")[0].y2, 252);
    EXPECT_DOUBLE_EQ(con(d, "incrocio_sotto")[0].y2, 148);
    EXPECT_EQ(con(d, "incrocio_sotto")[0].colore, 12);

    // Cut on the left only.
    d = disegnoSezione(sezioneRisolta(100, {-20, 102, 20, 98}));
    ASSERT_EQ(con(d, "cunetta").size(), 2u);
    EXPECT_DOUBLE_EQ(con(d, "cunetta")[0].x1, 213);

    // Walls are drawn as structures, not as ground; under a wall the table gives the ground.
    d = disegnoSezione(sezioneRisolta(100, {-8, 97, 0, 97, 8, 97}));
    EXPECT_EQ(con(d, "muro").size(), 2u);
    EXPECT_EQ(con(d, "terreno").size(), 2u);
    EXPECT_EQ(testi(d, "valore_terreno").front(), "97,00");
    EXPECT_EQ(testi(d, "valore_progetto").front(), "98,50");

    // Deep ground lowers the table below the drawing instead of crossing it.
    d = disegnoSezione(sezioneRisolta(100, {-30, 80, 30, 80}));
    double terrenoBasso = 1e9;
    for (const auto& e : con(d, "terreno")) terrenoBasso = std::min({terrenoBasso, e.y1, e.y2});
    for (const auto& e : con(d, "tabella"))
        if (e.y1 == e.y2) EXPECT_LT(e.y1, terrenoBasso);
}

TEST(DisegnoSezione, SezioneNonRisoltaEValoriNonFiniti) {
    Sezione s = sezioneRisolta(100, {-3, 99, 3, 99});  // platform wider than the ground line
    ASSERT_FALSE(s.Risolta);
    Disegno d = disegnoSezione(s);
    EXPECT_TRUE(con(d, "scarpata").empty());
    EXPECT_EQ(testi(d, "non_risolta"), std::vector<std::string>{"SEZIONE NON RISOLTA"});
    EXPECT_TRUE(testi(d, "valore_progetto").empty());

    s.QuoteTerreno[1] = std::numeric_limits<float>::quiet_NaN();
    s.QuotaProgetto = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(tuttiFiniti(disegnoSezione(s)));
    Sezione vuota;
    EXPECT_TRUE(tuttiFiniti(disegnoSezione(vuota)));
}

TEST(RendiDisegno, VistaTestiVerticaliECanvas) {
    Vista v;
    v.scala = 2;
    v.offsetX = 10;
    v.offsetY = 500;
    RecordingCanvas c;
    Disegno d(3);
    d[0].x1 = 0, d[0].y1 = 0, d[0].x2 = 10, d[0].y2 = 5, d[0].colore = 13;
    d[1].tipo = ElementoDisegno::Cerchio, d[1].x1 = 5, d[1].y1 = 5, d[1].raggio = 1.5, d[1].colore = 12;
    d[2].tipo = ElementoDisegno::Rettangolo, d[2].x1 = 0, d[2].y1 = 0, d[2].x2 = 1, d[2].y2 = 1, d[2].pieno = true;
    riavviaEstensione(v);
    rendiDisegno(v, c, d);
    auto linee = c.di(OperazioneCanvas::LineTo);
    ASSERT_EQ(linee.size(), 1u);
    EXPECT_EQ(linee[0].colore, 13);
    EXPECT_DOUBLE_EQ(linee[0].a, 10);
    EXPECT_DOUBLE_EQ(linee[0].b, 500);
    EXPECT_DOUBLE_EQ(linee[0].c, 30);
    EXPECT_DOUBLE_EQ(linee[0].d, 490);
    auto cerchi = c.di(OperazioneCanvas::Circle);
    ASSERT_EQ(cerchi.size(), 1u);
    EXPECT_DOUBLE_EQ(cerchi[0].c, 3);  // radius through the scale
    EXPECT_TRUE(c.di(OperazioneCanvas::Box)[0].pieno);
    EXPECT_DOUBLE_EQ(v.estMinX, 10);
    EXPECT_DOUBLE_EQ(v.estMaxX, 30);

    // A vertical text starts at its anchor: the font's reference lies one advance per
    // character after the first above it (0.6 h, 0.4 h after "." and ")").
    EXPECT_DOUBLE_EQ(avanzamentoVerticale("12", 10), 6);
    EXPECT_DOUBLE_EQ(avanzamentoVerticale("1.", 10), 4);
    EXPECT_DOUBLE_EQ(avanzamentoVerticale("A B", 10), 12);  // the blank keeps the advance of B
    EXPECT_DOUBLE_EQ(avanzamentoVerticale("5", 10), 0);
}

TEST(DisegniSulCanvas, DocumentoCursoreECanvas) {
    Workspace ws;
    RecordingCanvas c;
    FakeHost host;
    // A profile of one section draws nothing and leaves the document as it was.
    ws.TipoDocumento = kDocPianta;
    ws.Profilo = profilo(5);
    ws.Profilo.NumeroSezioni = 1;
    disegnaProfilo(ws, c, host);
    EXPECT_TRUE(c.operazioni.empty());
    EXPECT_EQ(ws.TipoDocumento, kDocPianta);

    ws.Profilo = profilo(5);
    disegnaProfilo(ws, c, host);
    EXPECT_EQ(ws.TipoDocumento, kDocProfilo);
    ASSERT_FALSE(c.operazioni.empty());
    EXPECT_EQ(c.operazioni[0].tipo, OperazioneCanvas::Clear);
    EXPECT_FALSE(host.cursoreAttesaAttivo);
    EXPECT_EQ(c.di(OperazioneCanvas::Box).size(), 3u);

    c.svuota();
    disegnaSezione(ws, c, host, sezioneRisolta(100, {-20, 98, 20, 102}));
    EXPECT_EQ(ws.TipoDocumento, kDocSezione);
    EXPECT_EQ(c.operazioni[0].tipo, OperazioneCanvas::Clear);
    EXPECT_NE(ws.vista.riavvioEstensione, -1);  // the extent covers the drawing
}

TEST(DiagrammaDiMassa, OrdinateCurvaSezioniDidascalia) {
    Workspace ws;
    RecordingCanvas c;
    FakeHost host;
    VbArray<Sezione> s(3);
    const float dati[3][2] = {{0, 10}, {20, -30}, {50, -30}};
    for (int j = 1; j <= 3; ++j) {
        s[j].Numero = static_cast<int16_t>(j);
        s[j].Progressiva = dati[j - 1][0];
        (dati[j - 1][1] > 0 ? s[j].AreaSterro : s[j].AreaRiporto) = dati[j - 1][1];
    }
    costruisciPaleggi(s, 3, 10, ws.Paleggi);
    ws.TipoDocumento = kDocPianta;
    disegnaDiagramma(ws, c, host);
    EXPECT_EQ(ws.TipoDocumento, kDocDiagramma);
    EXPECT_EQ(c.operazioni[0].tipo, OperazioneCanvas::Clear);

    // Four points (one of them the zero point): ordinates yellow above, light red below.
    std::vector<int> colori;
    std::vector<OperazioneCanvas> bianche;
    for (const auto& o : c.di(OperazioneCanvas::LineTo)) {
        if (o.colore == 14 || o.colore == 12) colori.push_back(o.colore);
        if (o.colore == 15) bianche.push_back(o);
    }
    // The ordinate lines come first; the labels that follow are in the same colours.
    ASSERT_GE(colori.size(), 4u);
    EXPECT_EQ(std::vector<int>(colori.begin(), colori.begin() + 4), (std::vector<int>{14, 14, 12, 12}));
    // One green circle per section on the zero line.
    auto cerchi = c.di(OperazioneCanvas::Circle);
    int verdi = 0;
    for (const auto& o : cerchi)
        if (o.colore == 10 && std::fabs(o.c - ws.vista.scala) < 1e-9) ++verdi;
    EXPECT_EQ(verdi, 3);
    // The mass curve ends at -1100 m3, drawn at a tenth: -110 units.
    bool fine = false;
    for (const auto& o : bianche)
        fine = fine || (o.c == pixel(ws.vista.canvasX(50)) && o.d == pixel(ws.vista.canvasY(-110)));
    EXPECT_TRUE(fine);

    // An empty table with no scale draws no infinity.
    ws.Paleggi = TabellaPaleggi{};
    ws.Paleggi.NumeroPunti = 2;
    c.svuota();
    disegnaDiagramma(ws, c, host);
    for (const auto& o : c.operazioni) EXPECT_TRUE(std::isfinite(o.a) && std::isfinite(o.b));
}
