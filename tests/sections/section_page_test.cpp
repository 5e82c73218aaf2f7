// The section window's logic and the volume window's note on unsolved sections.
#include "sections/section_page.h"

#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "sections/section_solve.h"
#include "sections/volume_page.h"
#include "sections/volumes.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

namespace {

// Two sections: the first with ground points, the second still empty.
Workspace progetto() {
    Workspace ws;
    ws.Sezioni.redim(2);
    Sezione& s = ws.Sezioni[1];
    s.Numero = 1;
    s.Progressiva = 12.5f;
    s.QuotaProgetto = 100;
    s.Larghezza = 10;
    s.NumeroPunti = 3;
    s.DistanzeTerreno.redim(3);
    s.QuoteTerreno.redim(3);
    const float x[] = {-20, 0, 20};
    for (int i = 1; i <= 3; ++i) {
        s.DistanzeTerreno[i] = x[i - 1];
        s.QuoteTerreno[i] = 99;
    }
    ws.Sezioni[2].Numero = 2;
    return ws;
}

}  // namespace

TEST(PaginaSezione, AperturaEScelta) {
    Workspace ws = progetto();
    ws.SezioneCorrente = 2;
    RecordingCanvas canvas;
    FakeHost host;
    PaginaSezione p(ws, canvas, host);
    p.apri();
    ASSERT_EQ(p.elenco.size(), 2u);
    EXPECT_EQ(p.elenco[0].testo, "sezione 1");
    EXPECT_EQ(p.elenco[1].posizione, 2);
    EXPECT_EQ(p.griglia.righe(), 51);  // at least numPuntiTerrenoDefault rows
    EXPECT_EQ(p.griglia.testo(0, 1), "Distanza dall'asse");
    EXPECT_EQ(p.griglia.testo(0, 2), "Quote del Terreno");
    EXPECT_EQ(p.griglia.testo(7, 0), "7");
    EXPECT_EQ(p.griglia.larghezzeColonne, (std::vector<int>{1000, 2000, 2000}));

    // From the empty section shown, the first (with data) can be chosen: it becomes current,
    // fills the window and is drawn.
    p.scegli(0);
    EXPECT_EQ(ws.SezioneCorrente, 1);
    EXPECT_EQ(p.progressiva, "12,5");
    EXPECT_EQ(p.quota, "100");
    EXPECT_EQ(p.griglia.testo(1, 1), "-20");
    EXPECT_EQ(p.griglia.testo(3, 2), "99");
    EXPECT_EQ(p.griglia.testo(4, 1), "");
    EXPECT_EQ(ws.TipoDocumento, kDocSezione);
    EXPECT_FALSE(canvas.operazioni.empty());
    EXPECT_TRUE(host.messaggi.empty());

    // Choosing the empty one is refused and leaves the window as it was.
    p.scegli(1);
    EXPECT_EQ(host.testiMessaggi(),
              std::vector<std::string>{"Mancano dati fondamentali per il tracciamento della sezione!"});
    EXPECT_EQ(ws.SezioneCorrente, 1);
    EXPECT_EQ(p.griglia.testo(1, 1), "-20");
    p.scegli(7);  // outside the list: nothing
    EXPECT_EQ(host.messaggi.size(), 1u);

    // More ground points than the default rows: the grid grows to them.
    ws.impostazioni.numPuntiTerrenoDefault = 2;
    p.apri();
    EXPECT_EQ(p.griglia.righe(), 4);
}

TEST(PaginaSezione, Applica) {
    Workspace ws = progetto();
    ws.SezioneCorrente = 1;
    RecordingCanvas canvas;
    FakeHost host;
    PaginaSezione p(ws, canvas, host);
    p.apri();

    // A number below 1, or not a number: the message, nothing stored.
    for (const char* numero : {"0", "-3", "", "due"}) {
        p.numero = numero;
        EXPECT_FALSE(p.applica());
    }
    EXPECT_EQ(host.messaggi.size(), 4u);
    EXPECT_EQ(host.messaggi[0].testo, "Il numero progressivo della sezione non è corretto!");
    EXPECT_EQ(ws.Sezioni[1].NumeroPunti, 3);

    // An elevation that is not a number: the message, nothing stored.
    host.pulisci();
    p.numero = "1";
    p.griglia.imposta(2, 2, "-");
    EXPECT_FALSE(p.applica());
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Tipo di dati non corretto!"});
    EXPECT_FLOAT_EQ(ws.Sezioni[1].QuoteTerreno[2], 99);

    // Rows up to the first empty distance; an empty elevation keeps the stored one; a box
    // that is not a number keeps its value. The section is solved and drawn, and the whole
    // list goes to the plan's copy.
    host.pulisci();
    p.numero = "1";
    p.larghezza = "";
    p.quota = "100,5";
    p.griglia.imposta(1, 2, "98");
    p.griglia.imposta(2, 2, "");
    p.griglia.imposta(4, 1, "");
    p.griglia.imposta(5, 1, "30");  // after the first empty row: not read
    EXPECT_TRUE(p.applica());
    const Sezione& s = ws.Sezioni[1];
    EXPECT_EQ(s.NumeroPunti, 3);
    EXPECT_FLOAT_EQ(s.QuoteTerreno[1], 98);
    EXPECT_FLOAT_EQ(s.QuoteTerreno[2], 99);
    EXPECT_FLOAT_EQ(s.Larghezza, 10);
    EXPECT_FLOAT_EQ(s.QuotaProgetto, 100.5f);
    EXPECT_LT(s.AreaRiporto, 0);
    EXPECT_TRUE(host.messaggi.empty());
    EXPECT_EQ(ws.Piano.SezioniApplicate, ws.Sezioni);
    EXPECT_EQ(ws.TipoDocumento, kDocSezione);

    // A number past the list grows it; the new section becomes current. Its ground line
    // cannot carry the platform: stored, marked unsolved, and said so.
    p.numero = "5";
    p.larghezza = "50";
    EXPECT_FALSE(p.applica());
    EXPECT_EQ(ws.Sezioni.upperBound(), 5);
    EXPECT_EQ(ws.SezioneCorrente, 5);
    EXPECT_EQ(ws.Sezioni[5].Numero, 5);
    EXPECT_FALSE(ws.Sezioni[5].Risolta);
    EXPECT_EQ(ws.Sezioni[5].AreaRiporto, 0);
    ASSERT_EQ(host.messaggi.size(), 1u);
    EXPECT_EQ(host.messaggi[0].testo,
              std::string("La sezione 5 non è stata risolta: ") + testoEsito(EsitoSezione::CiglioFuoriTerreno));
    EXPECT_FALSE(p.stato.empty());
    EXPECT_EQ(p.elenco.size(), 5u);
    EXPECT_EQ(ws.Piano.SezioniApplicate.upperBound(), 5);
}

TEST(PaginaVolumi, TabellaENotaSezioniNonRisolte) {
    Workspace ws = progetto();
    ws.Piano.NumeroIntersezioni = 2;
    ws.Piano.SezioniApplicate = ws.Sezioni;
    ws.Piano.SezioniApplicate[2].Risolta = false;
    costruisciPaleggi(ws.Piano.SezioniApplicate, 2, 10, ws.Paleggi);
    PaginaVolumi p(ws);
    EXPECT_EQ(p.griglia.righe(), 3);
    EXPECT_EQ(p.griglia.testo(0, 6), "Eccedenza Totale");
    EXPECT_EQ(p.stato, "Sezioni non risolte, contate con aree nulle: 2");

    ws.Piano.SezioniApplicate[2].Risolta = true;
    EXPECT_TRUE(PaginaVolumi(ws).stato.empty());
}
