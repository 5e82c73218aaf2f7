// The profile and section drawings as element lists, their rendering, the mass diagram.
#include "graphics/road_drawings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dxf/dxf_exports.h"
#include "graphics/recording_canvas.h"
#include "profile/profile_builder.h"
#include "sections/fixtures.h"
#include "sections/mass_diagram.h"
#include "sections/mass_diagram_drawing.h"
#include "sections/volumes.h"
#include "state/settings.h"
#include "state/workspace.h"
#include "support/cases.h"
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

// Sections every 50 m to 250 m; grade lines over sections 1-3 and 3-6, design 100.5 + 2 %;
// a right-hand curve over sections 2 to 4.
Profilo profilo(uint8_t metodo) {
    Profilo p = prova::profiloDa({{0, 100}, {50, 102}, {100, 101}, {150, 104}, {200, 103}, {250, 105}}, {3, 4}, metodo);
    p.QuotaMassima = 105, p.QuotaRiferimento = 80;
    for (int g = 1; g <= 2; ++g)
        for (int j = 1; j <= p.PuntiLivelletta[g]; ++j) {
            p.ProgettoLiv(j, g) = 100.5f + p.ProgressiveLiv(j, g) / 50;
            p.RosseLiv(j, g) = p.ProgettoLiv(j, g) - p.TerrenoLiv(j, g);
        }
    p.Pendenze.assignRaw({0, 0.02f, 0.02f});
    p.NumeroCurve = 1;
    p.CurvaDa.assignRaw({0, 2}), p.CurvaA.assignRaw({0, 4}), p.CurvaVerso.assignRaw({"", "d"});
    p.CurvaRaggio.assignRaw({0, 150}), p.CurvaSviluppo.assignRaw({0, 100});
    return p;
}

}  // namespace

double coordinata(const ElementoDisegno& e, const std::string& f) {
    return f == "x1" ? e.x1 : f == "y1" ? e.y1 : f == "x2" ? e.x2 : f == "y2" ? e.y2 : e.colore;
}

TEST(DisegniStrada, CasiTabellati) {
    for (const test::Caso& c : test::leggiCasi("road_drawings.txt")) {
        const std::vector<std::string> w = c.parole(0);
        std::vector<float> xz;
        for (std::size_t i = 2; i < w.size(); ++i) xz.push_back(std::stof(w[i]));
        const Disegno d = w[0] == "profile" ? disegnoProfilo(profilo(uint8_t(std::stoi(w[1]))))
                                            : disegnoSezione(sezioneRisolta(std::stof(w[1]), xz));
        for (const std::string& v : c.lista(1)) {
            SCOPED_TRACE(c.nome() + ": " + v);
            const std::size_t op = v.find_first_of("=<"), quadra = v.find('[');
            const std::string sinistra = v.substr(0, v.find_last_not_of(' ', op - 1) + 1), destra = v.substr(op + 2);
            const std::vector<ElementoDisegno> e = con(d, sinistra.substr(0, std::min(quadra, v.find('#'))));
            if (sinistra.back() == '#') {
                EXPECT_EQ(e.size(), std::stoul(destra));
                continue;
            }
            const std::string indice = sinistra.substr(quadra + 1, sinistra.find(']') - quadra - 1);
            if (indice.empty()) {
                std::string tutti;
                for (const auto& t : e) tutti += (tutti.empty() ? "" : " / ") + t.testo;
                EXPECT_EQ(tutti, destra);
                continue;
            }
            const std::size_t da = indice == "*" ? 0 : std::stoul(indice), a = indice == "*" ? e.size() : da + 1;
            const std::size_t punto = sinistra.find('.'), tilde = destra.find('~');
            for (std::size_t i = da; i < a; ++i) {
                ASSERT_LT(i, e.size());
                if (punto == std::string::npos) {
                    EXPECT_EQ(e[i].testo, destra);
                } else if (v[op] == '<') {
                    EXPECT_LT(coordinata(e[i], sinistra.substr(punto + 1)), std::stod(destra));
                } else {
                    EXPECT_NEAR(coordinata(e[i], sinistra.substr(punto + 1)), std::stod(destra),
                                tilde == std::string::npos ? 0 : std::stod(destra.substr(tilde + 1)));
                }
            }
        }
    }
}

TEST(DisegnoProfilo, CurvaEConteggiOltreLeListe) {
    bool gradino = false;  // the right-hand curve steps the band down to -25
    for (const auto& e : con(disegnoProfilo(profilo(0)), "rettifili_curve"))
        gradino |= e.y1 == -25 && e.x1 == 50 && e.x2 == 150;
    EXPECT_TRUE(gradino);
    Profilo corto = profilo(5);
    corto.NumeroSezioni = 1;
    EXPECT_TRUE(disegnoProfilo(corto).empty());
    Profilo rotto = profilo(5);  // counts beyond the lists: drawn as far as the lists go
    rotto.NumeroSezioni = 1000000;
    rotto.NumeroLivellette = 50;
    EXPECT_EQ(con(disegnoProfilo(rotto), "terreno").size(), 5u);
}

TEST(DisegnoSezione, RegoleDellaTabellaEValoriGuasti) {
    std::vector<double> regole;
    for (const auto& e : con(disegnoSezione(sezioneRisolta(100, {-20, 99, 0, 99, 20, 99})), "tabella"))
        if (e.y1 == e.y2) regole.push_back(e.y1);
    EXPECT_EQ(regole, (std::vector<double>{40, 10, -20, -30}));
    // Damaged values draw nothing infinite.
    Sezione s = sezioneRisolta(100, {-3, 99, 3, 99});
    s.QuoteTerreno[1] = std::numeric_limits<float>::quiet_NaN();
    s.QuotaProgetto = std::numeric_limits<float>::infinity();
    for (const auto& e : disegnoSezione(s)) EXPECT_TRUE(std::isfinite(e.x1 + e.y1 + e.x2 + e.y2));
}

TEST(RendiDisegno, VistaETestiVerticali) {
    Vista v;
    v.scala = 2, v.offsetX = 10, v.offsetY = 500;
    RecordingCanvas c;
    Disegno d(2);
    d[0].x2 = 10, d[0].y2 = 5, d[0].colore = 13;
    d[1].tipo = ElementoDisegno::Cerchio, d[1].x1 = 5, d[1].raggio = 1.5;
    rendiDisegno(v, c, d);
    auto linea = c.di(OperazioneCanvas::LineTo).at(0);
    EXPECT_EQ(std::vector<double>({double(linea.colore), linea.a, linea.b, linea.c, linea.d}),
              std::vector<double>({13, 10, 500, 30, 490}));
    EXPECT_EQ(c.di(OperazioneCanvas::Circle).at(0).c, 3);  // the radius through the scale
    // The font lays vertical text down from its last character: the start lies one advance
    // per further character below the font's reference (0.4 h after "." and ")").
    EXPECT_EQ(avanzamentoVerticale("12", 10), 6);
    EXPECT_EQ(avanzamentoVerticale("1.", 10), 4);
    EXPECT_EQ(avanzamentoVerticale("A B", 10), 12);  // the blank keeps the advance of B
}

TEST(DisegniSulCanvas, ProfiloSezioneDiagramma) {
    Workspace ws;
    RecordingCanvas c;
    FakeHost host;
    ws.TipoDocumento = kDocPianta;
    ws.Profilo = profilo(5);
    ws.Profilo.NumeroSezioni = 1;
    disegnaProfilo(ws, c, host);  // nothing, the canvas and the document as they were
    EXPECT_TRUE(c.operazioni.empty());
    EXPECT_EQ(ws.TipoDocumento, kDocPianta);
    ws.Profilo = profilo(5);
    disegnaProfilo(ws, c, host);
    EXPECT_EQ(ws.TipoDocumento, kDocProfilo);
    EXPECT_EQ(c.operazioni.at(0).tipo, OperazioneCanvas::Clear);
    disegnaSezione(ws, c, host, sezioneRisolta(100, {-20, 98, 20, 102}));
    EXPECT_EQ(ws.TipoDocumento, kDocSezione);

    // Mass diagram of net areas +10, -30, -30: four points, the second a zero point.
    VbArray<Sezione> s(3);
    for (int j = 1; j <= 3; ++j) s[j].Numero = int16_t(j), s[j].Progressiva = j == 3 ? 50.0f : 20.0f * (j - 1);
    s[1].AreaSterro = 10, s[2].AreaRiporto = s[3].AreaRiporto = -30;
    costruisciPaleggi(s, 3, 10, ws.Paleggi);
    c.svuota();
    disegnaDiagramma(ws, c, host);
    EXPECT_EQ(ws.TipoDocumento, kDocDiagramma);
    EXPECT_EQ(c.operazioni.at(0).tipo, OperazioneCanvas::Clear);
    std::vector<int> ordinate;  // the ordinate lines come first: yellow above, light red below
    for (const auto& o : c.di(OperazioneCanvas::LineTo))
        if (ordinate.size() < 4) ordinate.push_back(o.colore);
    EXPECT_EQ(ordinate, (std::vector<int>{14, 14, 12, 12}));
    int cerchiVerdi = 0, fineCurva = 0;
    for (const auto& o : c.di(OperazioneCanvas::Circle)) cerchiVerdi += o.colore == 10;
    // -1100 m3 at the diagram's vertical scale: the span of ordinates (with 0) is half the 50 m.
    double alto = 0, basso = 0;
    for (int p = 1; p <= ws.Paleggi.NumeroPunti; ++p)
        alto = std::max<double>(alto, ws.Paleggi.Ordinate[p]), basso = std::min<double>(basso, ws.Paleggi.Ordinate[p]);
    const double k = scalaVerticaleDiagramma(ws.Paleggi);
    EXPECT_DOUBLE_EQ(k * (alto - basso), 25);
    for (const auto& o : c.di(OperazioneCanvas::LineTo))
        fineCurva += o.colore == 15 && o.c == pixel(ws.vista.canvasX(50)) && o.d == pixel(ws.vista.canvasY(-1100 * k));
    EXPECT_EQ(std::pair(cerchiVerdi, fineCurva), std::pair(3, 1));
}

TEST(DisegniSulCanvas, DiagrammaConCordeDelTrasporto) {
    // Cut 10 m2 at 0 and 20 m, fill 10 m2 at 60 and 80 m: one loop up to 300 m3, back to 0.
    Workspace ws;
    VbArray<Sezione> s(5);
    for (int j = 1; j <= 5; ++j) s[j].Numero = int16_t(j), s[j].Progressiva = 20.0f * (j - 1);
    s[1].AreaSterro = s[2].AreaSterro = 10, s[4].AreaRiporto = s[5].AreaRiporto = -10;
    costruisciPaleggi(s, 5, 10, ws.Paleggi);
    const std::string senzaTrasporto = esportaDiagramma(ws.Paleggi);
    // No free haul: the DXF is the diagram alone, to the byte, whatever the economic limit.
    ws.impostazioni.DistanzaTrasportoEconomico = 60;
    EXPECT_EQ(esportaDiagramma(ws.Paleggi, parametriStrada(ws)), senzaTrasporto);

    ws.impostazioni.DistanzaTrasportoFranco = 30;
    RecordingCanvas c;
    FakeHost host;
    disegnaDiagramma(ws, c, host);
    // The free-haul chord 30 m long at 225 m3 (25 to 55 m), the economic one 60 m long at
    // 100 m3 (10 to 70 m), each a horizontal line ending on the far branch.
    const double k = scalaVerticaleDiagramma(ws.Paleggi);
    auto corda = [&](int colore, double da, double a, double ordinata) {
        int n = 0;
        const int y = pixel(ws.vista.canvasY(ordinata * k));
        for (const auto& o : c.di(OperazioneCanvas::LineTo))
            n += o.colore == colore && o.a == pixel(ws.vista.canvasX(da)) && o.c == pixel(ws.vista.canvasX(a)) &&
                 o.b == y && o.d == y;
        return n;
    };
    EXPECT_EQ(corda(11, 25, 55, 225), 1);
    EXPECT_EQ(corda(9, 10, 70, 100), 1);
    const std::string conTrasporto = esportaDiagramma(ws.Paleggi, parametriStrada(ws));
    EXPECT_NE(conTrasporto.find("compenso"), std::string::npos);
    EXPECT_NE(conTrasporto.find("franco 30"), std::string::npos);
}

TEST(DisegniLeggibili, EtichetteSovrapposteLasciateFuoriAreeDellaSezione) {
    // Stations 1 cm apart: the lists keep every label, the legible drawing only the first of
    // each pile in its band; lines and other bands stay.
    Profilo p = prova::profiloDa({{0, 100}, {0.01f, 100}, {0.02f, 100}, {50, 101}}, {4}, 0);
    p.QuotaMassima = 101, p.QuotaRiferimento = 90;
    const Disegno tutto = disegnoProfilo(p), leggibile = senzaTestiSovrapposti(tutto);
    EXPECT_EQ(con(tutto, "progressiva").size(), 4u);
    EXPECT_EQ(testi(leggibile, "progressiva"), (std::vector<std::string>{",00", "50,00"}));
    EXPECT_EQ(con(leggibile, "quota_terreno").size(), 2u);
    EXPECT_EQ(con(leggibile, "terreno").size(), con(tutto, "terreno").size());
    EXPECT_EQ(con(leggibile, "intestazione").size(), con(tutto, "intestazione").size());
    // Texts drawn smaller (a tenth of the height) no longer touch: all are kept.
    EXPECT_EQ(con(senzaTestiSovrapposti(tutto, 1, 1, 0.001), "progressiva").size(), 4u);
    // Horizontal texts of one role in different rows do not hide each other.
    Disegno righe(2);
    for (int i = 0; i < 2; ++i)
        righe[i].tipo = ElementoDisegno::Testo, righe[i].testo = "RA=10", righe[i].altezza = 3, righe[i].y1 = 4.0 * i;
    EXPECT_EQ(senzaTestiSovrapposti(righe).size(), 2u);
    righe[1].y1 = 2;
    EXPECT_EQ(senzaTestiSovrapposti(righe).size(), 1u);

    // The section shows its areas under its table.
    Sezione s = sezioneRisolta(100, {-20, 99, 0, 99, 20, 99});
    s.AreaRiporto = -12.345f, s.Progressiva = 40;
    Disegno d = disegnoSezione(s);
    aggiungiAreeSezione(d, s);
    EXPECT_EQ(testi(d, "aree"), std::vector<std::string>{"Progr. 40,00   Sterro 0,00 m²   Riporto 12,35 m²"});
    EXPECT_LT(con(d, "aree")[0].y1, -30);
}
