// The grade-line method window.
#include "profile/grade_method_page.h"

#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "profile/profile_builder.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "support/trim2_fixtures.h"

namespace carvela {
namespace {

class PaginaTipoProfiloTest : public ::testing::Test {
protected:
    void SetUp() override {
        ws.Profilo = prova::profiloDa(prova::piano(5, 10, 100), {3, 3}, 0);
        pagina.apri(ws);
    }
    Workspace ws;
    PaginaTipoProfilo pagina;
    FakeHost host;
    RecordingCanvas canvas;
};

TEST_F(PaginaTipoProfiloTest, GridsAndActivation) {
    EXPECT_STREQ(PaginaTipoProfilo::titoliSchede()[3], "4) Compensa con pendeza data");
    ASSERT_EQ(pagina.griglie[1].righe(), 3);
    EXPECT_EQ(pagina.griglie[1].testo(0, 2), "Quota di arrivo");
    EXPECT_EQ(pagina.griglie[3].larghezzeColonne, (std::vector<int>{1000, 2300}));
    // Method 0: the tab stays and becomes the method.
    pagina.scheda = 2;
    pagina.attiva(ws);
    EXPECT_EQ(pagina.scheda, 2);
    EXPECT_EQ(ws.Profilo.MetodoLivellette, 3);
    // A method set selects its tab; slopes show in percent, ends as plain numbers.
    ws.Profilo.MetodoLivellette = 4;
    ws.Profilo.Pendenze.assignRaw({0, 0, -0.025f});
    ws.Profilo.ProgettoLiv(3, 1) = 98.5f;
    pagina.attiva(ws);
    EXPECT_EQ(pagina.scheda, 3);
    EXPECT_EQ(pagina.griglie[3].testo(2, 1), "-2,5");
    EXPECT_EQ(pagina.griglie[1].testo(1, 2), "98,5");
    // A profile without grade lines gets one.
    Workspace vuoto;
    pagina.apri(vuoto);
    EXPECT_EQ(vuoto.Profilo.NumeroLivellette, 1);
}

TEST_F(PaginaTipoProfiloTest, SlopesTypedForEveryGradeLineReachTheSolve) {
    pagina.scheda = 3;
    pagina.tasto(3, 1, 1, '2');
    for (int c : {int('-'), int('1'), int(','), int('5'), int('x'), 8}) pagina.tasto(3, 2, 1, c);
    EXPECT_EQ(pagina.griglie[3].testo(2, 1), "-1,5");
    ASSERT_TRUE(pagina.applica(ws, canvas, host));
    EXPECT_EQ(ws.Profilo.MetodoLivellette, 4);
    EXPECT_EQ(std::pair(ws.Profilo.Pendenze[1], ws.Profilo.Pendenze[2]), std::pair(0.02f, -0.015f));
    // Flat ground at 100: each 20 m grade line turned about its mid-length.
    EXPECT_TRUE(prova::vicini({ws.Profilo.ProgettoLiv(1, 1), ws.Profilo.ProgettoLiv(3, 2)}, {99.8, 99.85}, 1e-5));
    EXPECT_EQ(ws.TipoDocumento, kDocProfilo);
}

TEST_F(PaginaTipoProfiloTest, EntriesByMethodEmptyRowsAndBadText) {
    // Method 2 for grade line 1; grade line 2 left empty keeps its ends.
    ws.Profilo.ProgettoLiv(1, 2) = 7;
    ws.Profilo.ProgettoLiv(3, 2) = 9;
    pagina.scheda = 1;
    pagina.griglie[1].imposta(1, 1, "101");
    pagina.griglie[1].imposta(1, 2, "99,5");
    ASSERT_TRUE(pagina.applica(ws, canvas, host));
    EXPECT_EQ(std::vector<float>({ws.Profilo.ProgettoLiv(3, 1), ws.Profilo.ProgettoLiv(1, 2), ws.Profilo.ProgettoLiv(3, 2)}),
              std::vector<float>({99.5f, 7, 9}));
    // Method 3: pass-through elevation and distance. Method 5: the text box.
    pagina.scheda = 2;
    pagina.griglie[2].imposta(1, 1, "101");
    pagina.griglie[2].imposta(1, 2, "5");
    ASSERT_TRUE(pagina.applica(ws, canvas, host));
    EXPECT_EQ(std::pair(ws.Profilo.QuotaPassaggio[1], ws.Profilo.DistanzaPassaggio[1]), std::pair(101.0f, 5.0f));
    pagina.scheda = 4;
    pagina.quotaPartenza = "100,25";
    ASSERT_TRUE(pagina.applica(ws, canvas, host));
    EXPECT_FLOAT_EQ(ws.Profilo.ProgettoLiv(1, 1), 100.25f);
    EXPECT_FLOAT_EQ(ws.Profilo.ProgettoLiv(3, 1), ws.Profilo.ProgettoLiv(1, 2));
    // Text that is not a number: a message, nothing stored, no solve.
    const Profilo prima = ws.Profilo;
    pagina.scheda = 0;
    pagina.griglie[0].imposta(2, 1, "cento");
    EXPECT_FALSE(pagina.applica(ws, canvas, host));
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Tipo di dati non corretto!"});
    EXPECT_EQ(ws.Profilo, prima);
}

}  // namespace
}  // namespace carvela
