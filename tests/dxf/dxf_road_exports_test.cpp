#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dxf/dxf_exports.h"
#include "dxf/dxf_reader.h"
#include "shell/settings.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

VbArray<DxfEntity> rileggi(const std::string& testo) {
    VbArray<DxfEntity> d;
    LimitiDxf l;
    convertiDxf(testo, d, l);
    return d;
}

// Three sections over 230 m, one grade line from 100 down to 97.25.
Profilo profiloDiProva() {
    Profilo p;
    p.NumeroSezioni = 3;
    p.NumeroLivellette = 1;
    for (auto* a : {&p.Progressive, &p.QuoteTerreno, &p.QuoteProgetto, &p.QuoteRosse}) a->redim(3);
    for (auto* t : {&p.ProgressiveLiv, &p.TerrenoLiv, &p.ProgettoLiv, &p.RosseLiv}) t->redim(3, 1);
    p.PuntiLivelletta.redim(1), p.Pendenze.redim(1);
    p.CurvaDa.redim(0), p.CurvaA.redim(0);  // no curves, as the road computation leaves them
    p.PuntiLivelletta[1] = 3;
    p.Pendenze[1] = -0.0123456f;
    const float x[] = {0, 0, 150, 230}, z[] = {0, 100, 104, 98}, progetto[] = {0, 100, 98.5f, 97.25f};
    for (int i = 1; i <= 3; ++i) {
        p.Progressive[i] = p.ProgressiveLiv(i, 1) = x[i];
        p.QuoteTerreno[i] = p.TerrenoLiv(i, 1) = z[i];
        p.QuoteProgetto[i] = p.ProgettoLiv(i, 1) = progetto[i];
        p.QuoteRosse[i] = p.RosseLiv(i, 1) = progetto[i] - z[i];
    }
    p.QuotaMassima = 104;
    p.QuotaMinima = 98;
    p.QuotaRiferimento = 78;
    p.MetodoLivellette = 1;
    return p;
}

TEST(DxfRoadExports, ProfileInDrawingUnitsWithTheExportForms) {
    VbArray<DxfEntity> d = rileggi(esportaProfilo(profiloDiProva()));
    ASSERT_GT(d.upperBound(), 20);
    std::vector<const DxfEntity*> verticali, terreno, testate;
    std::vector<std::array<float, 4>> spessi;
    for (int32_t i = 1; i <= d.upperBound(); ++i) {
        const DxfEntity& e = d[i];
        EXPECT_EQ(e.Layer, "profilo") << e.Nome;
        if (e.Nome == "LINE") {
            // Everything drawn lies within the profile and its bands, a tenth of the screen.
            EXPECT_GE(std::min(e.X1, e.X2), -12.5f);
            EXPECT_LE(std::max(e.X1, e.X2), 23.0f);
            EXPECT_GE(std::min(e.Y1, e.Y2), -13.0f);
            EXPECT_LE(std::max(e.Y1, e.Y2), 40.0f);
            if (e.Colore == 15 && e.X1 == e.X2 && e.Y1 == 2) verticali.push_back(&e);
            if (e.Colore == 10) terreno.push_back(&e);
        }
        if (e.Nome == "POLYLINE") testate.push_back(&e);
        if (e.Nome == "VERTEX" && i + 1 <= d.upperBound() && d[i + 1].Nome == "VERTEX")
            spessi.push_back({e.X1, e.Y1, d[i + 1].X1, d[i + 1].Y1});
    }
    // A colour-7 line at every section from 2 up to the ground.
    ASSERT_EQ(verticali.size(), 3u);
    EXPECT_FLOAT_EQ(verticali[1]->X1, 15);
    EXPECT_FLOAT_EQ(verticali[1]->Y2, 26);
    ASSERT_EQ(terreno.size(), 2u);  // the ground line in DXF colour 3
    EXPECT_FLOAT_EQ(terreno[1]->Y1, 26);
    EXPECT_FLOAT_EQ(terreno[1]->X2, 23);

    // Hectometres 0 and 1 whole, then the part up to 230 m, alternating 1.85 and 1.65.
    ASSERT_EQ(testate.size(), 3u);
    ASSERT_EQ(spessi.size(), 3u);
    EXPECT_EQ(spessi[0], (std::array<float, 4>{0, 1.85f, 10, 1.85f}));
    EXPECT_EQ(spessi[1], (std::array<float, 4>{10, 1.65f, 20, 1.65f}));
    EXPECT_EQ(spessi[2], (std::array<float, 4>{20, 1.85f, 23, 1.85f}));

    // The grade caption, truncated: length 230, fall 2.75, slope -1.2346 %.
    const DxfEntity* didascalia = nullptr;
    for (int32_t i = 1; i <= d.upperBound(); ++i)
        if (d[i].Nome == "TEXT" && d[i].Testo.rfind("L=", 0) == 0) {
            EXPECT_EQ(didascalia, nullptr) << "one caption per grade line";
            didascalia = &d[i];
        }
    ASSERT_NE(didascalia, nullptr);
    EXPECT_EQ(didascalia->Testo, "L= 230 , Disl= 2.75 , P=-1.2346%");
    EXPECT_FLOAT_EQ(didascalia->X1, 0.1f);
    EXPECT_FLOAT_EQ(didascalia->Y1, 29.5f);
    EXPECT_FLOAT_EQ(didascalia->R, 0.2f);
    EXPECT_EQ(didascalia->Colore, 11);  // DXF colour 4

    // Fewer than two sections: an empty ENTITIES section.
    Profilo corto = profiloDiProva();
    corto.NumeroSezioni = 1;
    EXPECT_EQ(rileggi(esportaProfilo(corto)).upperBound(), 0);
}

Sezione sezioneDiProva(int16_t numero) {
    Sezione s;
    s.Numero = numero;
    s.Larghezza = 10;
    s.QuotaProgetto = 100;
    s.NumeroPunti = 3;
    s.DistanzeTerreno.redim(3), s.QuoteTerreno.redim(3);
    const float d[] = {0, -15, 0, 15}, z[] = {0, 101, 99, 100};
    for (int i = 1; i <= 3; ++i) s.DistanzeTerreno[i] = d[i], s.QuoteTerreno[i] = z[i];
    s.NumeroIntersezioni = 1;
    s.Intersezioni.redim(1);
    s.Intersezioni[1] = 3;
    s.RossaCiglioSinistro = -0.6f, s.RossaCiglioDestro = 0.2f;
    s.XPiedeSinistro = -6, s.ZPiedeSinistro = 100.8f, s.XPiedeDestro = 6, s.ZPiedeDestro = 99.7f;
    s.AreaSterro = 3, s.AreaRiporto = -1;
    return s;
}

TEST(DxfRoadExports, SectionsAsSheetsInColumns) {
    VbArray<Sezione> sezioni(2);
    sezioni[1] = sezioneDiProva(1);
    sezioni[2] = sezioneDiProva(12);
    FakeHost host;
    const std::string testo = esportaSezioni(sezioni, Impostazioni{}, &host);
    EXPECT_EQ(host.didascalie, std::vector<std::string>{"Esportazione in corso..."});
    EXPECT_EQ(host.posizioniBarra, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.attesaAperta, 0);

    VbArray<DxfEntity> d = rileggi(testo);
    // Section 12 stands in the second column (x offset 55), second place down (y offset -40):
    // axis at x 65, platform level at y -20.
    std::vector<std::array<float, 5>> segni;  // colour, x1, y1, x2, y2 of the vertical marks at 65 and 68
    std::vector<std::string> titoli;
    std::set<std::string> didascalie;
    bool terreno = false;
    for (int32_t i = 1; i <= d.upperBound(); ++i) {
        const DxfEntity& e = d[i];
        EXPECT_EQ(e.Layer, "sezioni");
        if (e.Nome == "LINE" && (e.X1 == 65 || e.X1 == 68) && e.X1 == e.X2)
            segni.push_back({float(e.Colore), e.X1, e.Y1, e.X2, e.Y2});
        if (e.Nome == "LINE" && e.Colore == 10 && e.X1 == 50) {
            terreno = true;
            EXPECT_FLOAT_EQ(e.Y1, -19);
            EXPECT_FLOAT_EQ(e.X2, 65);
            EXPECT_FLOAT_EQ(e.Y2, -21);
        }
        if (e.Nome == "TEXT" && e.Testo.rfind("SEZIONE", 0) == 0) {
            titoli.push_back(e.Testo);
            EXPECT_FLOAT_EQ(e.R, 0.3f);
            EXPECT_EQ(e.Colore, 11);
        }
        if (e.Nome == "TEXT" &&
            (e.Testo == "QUOTA" || e.Testo == "TERR." || e.Testo == "PROG." || e.Testo == "D.PROG.")) {
            didascalie.insert(e.Testo);
            EXPECT_FLOAT_EQ(e.R, 0.25f);
            EXPECT_EQ(e.Colore, 12);  // DXF colour 1
        }
    }
    EXPECT_TRUE(terreno);
    EXPECT_EQ(titoli, (std::vector<std::string>{"SEZIONE  1", "SEZIONE  12"}));
    EXPECT_EQ(didascalie.size(), 4u);
    std::sort(segni.begin(), segni.end());
    EXPECT_EQ(segni,
              (std::vector<std::array<float, 5>>{
                  {11, 65, -22, 65, -20}, {11, 65, -20, 65, -18}, {12, 68, -20, 68, -22}, {14, 68, -20, 68, -18}}));
}

}  // namespace
}  // namespace carvela
