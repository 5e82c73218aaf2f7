#include "dxf/dxf_road_exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dxf/dxf_exports.h"
#include "state/settings.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using test::descrivi;
using V = std::vector<std::string>;

// Three sections over 230 m, one grade line from 100 down to 97.25; no curves, as the road
// computation leaves them.
Profilo profiloDiProva() {
    Profilo p;
    p.NumeroSezioni = 3;
    p.NumeroLivellette = 1;
    for (auto* a : {&p.Progressive, &p.QuoteTerreno, &p.QuoteProgetto, &p.QuoteRosse}) a->redim(3);
    for (auto* t : {&p.ProgressiveLiv, &p.TerrenoLiv, &p.ProgettoLiv, &p.RosseLiv}) t->redim(3, 1);
    p.PuntiLivelletta.redim(1), p.Pendenze.redim(1), p.CurvaDa.redim(0), p.CurvaA.redim(0);
    p.PuntiLivelletta[1] = 3;
    p.Pendenze[1] = -0.0123456f;
    const float x[] = {0, 0, 150, 230}, z[] = {0, 100, 104, 98}, progetto[] = {0, 100, 98.5f, 97.25f};
    for (int i = 1; i <= 3; ++i) {
        p.Progressive[i] = p.ProgressiveLiv(i, 1) = x[i];
        p.QuoteTerreno[i] = p.TerrenoLiv(i, 1) = z[i];
        p.QuoteProgetto[i] = p.ProgettoLiv(i, 1) = progetto[i];
        p.QuoteRosse[i] = p.RosseLiv(i, 1) = progetto[i] - z[i];
    }
    p.QuotaMassima = 104, p.QuotaMinima = 98, p.QuotaRiferimento = 78, p.MetodoLivellette = 1;
    return p;
}

TEST(DxfRoadExports, ProfileInDrawingUnitsWithTheExportForms) {
    const VbArray<DxfEntity> d = test::leggiDxf(esportaProfilo(profiloDiProva()));
    ASSERT_GT(d.upperBound(), 20);
    V verticali, terreno, ettometri, didascalie;
    for (const DxfEntity& e : std::vector(d.raw().begin() + 1, d.raw().end())) {
        EXPECT_EQ(e.Layer, "profilo") << e.Nome;
        if (e.Nome == "LINE") {
            // Everything drawn lies within the profile and its bands, a tenth of the screen.
            EXPECT_TRUE(std::min(e.X1, e.X2) >= -12.5f && std::max(e.X1, e.X2) <= 23) << descrivi(e);
            EXPECT_TRUE(std::min(e.Y1, e.Y2) >= -13 && std::max(e.Y1, e.Y2) <= 40) << descrivi(e);
            if (e.Colore == 15 && e.X1 == e.X2 && e.Y1 == 2) verticali.push_back(descrivi(e));
            if (e.Colore == 10) terreno.push_back(descrivi(e));
        }
        if (e.Nome == "VERTEX") ettometri.push_back(descrivi(e));
        if (e.Nome == "TEXT" && e.Testo.rfind("L=", 0) == 0) didascalie.push_back(descrivi(e));
    }
    // A colour-7 line at every section from 2 up to the ground; the ground in DXF colour 3.
    EXPECT_EQ(verticali, (V{"LINE/profilo c15 y1=2 y2=22", "LINE/profilo c15 x1=15 y1=2 x2=15 y2=26",
                            "LINE/profilo c15 x1=23 y1=2 x2=23 y2=20"}));
    EXPECT_EQ(terreno, (V{"LINE/profilo c10 y1=22 x2=15 y2=26", "LINE/profilo c10 x1=15 y1=26 x2=23 y2=20"}));
    // Hectometres 0 and 1 whole, then the part up to 230 m, alternating 1.85 and 1.65.
    EXPECT_EQ(ettometri, (V{"VERTEX/profilo c15 y1=1.85 v32", "VERTEX/profilo c15 x1=10 y1=1.85 v32",
                            "VERTEX/profilo c15 x1=10 y1=1.65 v32", "VERTEX/profilo c15 x1=20 y1=1.65 v32",
                            "VERTEX/profilo c15 x1=20 y1=1.85 v32", "VERTEX/profilo c15 x1=23 y1=1.85 v32"}));
    // One caption per grade line, truncated: length 230, fall 2.75, slope -1.2346 %.
    EXPECT_EQ(didascalie, V{"TEXT/profilo c11 x1=0.1 y1=29.5 r=0.2 'L= 230 , Disl= 2.75 , P=-1.2346%'"});

    Profilo corto = profiloDiProva();  // fewer than two sections: an empty ENTITIES section
    corto.NumeroSezioni = 1;
    EXPECT_EQ(test::leggiDxf(esportaProfilo(corto)).upperBound(), 0);
}

TEST(DxfRoadExports, SectionsAsSheetsInColumns) {
    VbArray<Sezione> sezioni(2);
    for (int16_t i : {1, 2}) {
        Sezione& s = sezioni[i];
        s.Numero = i == 1 ? 1 : 12;
        s.Larghezza = 10, s.QuotaProgetto = 100, s.NumeroPunti = 3;
        s.DistanzeTerreno = test::lista({-15, 0, 15}), s.QuoteTerreno = test::lista({101, 99, 100});
        s.NumeroIntersezioni = 1;
        s.Intersezioni.assignRaw({0, 3});
        s.RossaCiglioSinistro = -0.6f, s.RossaCiglioDestro = 0.2f;
        s.XPiedeSinistro = -6, s.ZPiedeSinistro = 100.8f, s.XPiedeDestro = 6, s.ZPiedeDestro = 99.7f;
        s.AreaSterro = 3, s.AreaRiporto = -1;
    }
    FakeHost host;
    const VbArray<DxfEntity> d = test::leggiDxf(esportaSezioni(sezioni, Impostazioni{}, &host));
    EXPECT_EQ(host.didascalie, V{"Esportazione in corso..."});
    EXPECT_EQ(host.posizioniBarra, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.attesaAperta, 0);

    // Section 12 stands in the second column (x offset 55), second place down (y offset -40):
    // axis at x 65, platform level at y -20.
    V segni, terreno, titoli;
    std::set<std::string> didascalie;
    for (const DxfEntity& e : std::vector(d.raw().begin() + 1, d.raw().end())) {
        EXPECT_EQ(e.Layer, "sezioni");
        if (e.Nome == "LINE" && (e.X1 == 65 || e.X1 == 68) && e.X1 == e.X2) segni.push_back(descrivi(e));
        if (e.Nome == "LINE" && e.Colore == 10 && e.X1 == 50) terreno.push_back(descrivi(e));
        // Titles in DXF colour 4 and 0.3 high, table captions in colour 1 and 0.25 high.
        if (e.Nome == "TEXT" && e.Testo.rfind("SEZIONE", 0) == 0)
            titoli.push_back(e.Colore == 11 && e.R == 0.3f ? e.Testo : descrivi(e));
        if (e.Nome == "TEXT" && std::set<std::string>{"QUOTA", "TERR.", "PROG.", "D.PROG."}.count(e.Testo))
            didascalie.insert(e.Colore == 12 && e.R == 0.25f ? e.Testo : descrivi(e));
    }
    EXPECT_EQ(terreno, V{"LINE/sezioni c10 x1=50 y1=-19 x2=65 y2=-21"});
    EXPECT_EQ(titoli, (V{"SEZIONE  1", "SEZIONE  12"}));
    EXPECT_EQ(didascalie, (std::set<std::string>{"D.PROG.", "PROG.", "QUOTA", "TERR."}));
    std::sort(segni.begin(), segni.end());
    EXPECT_EQ(segni, (V{"LINE/sezioni c11 x1=65 y1=-20 x2=65 y2=-18", "LINE/sezioni c11 x1=65 y1=-22 x2=65 y2=-20",
                        "LINE/sezioni c12 x1=68 y1=-20 x2=68 y2=-22", "LINE/sezioni c14 x1=68 y1=-20 x2=68 y2=-18"}));
}

}  // namespace
}  // namespace carvela
