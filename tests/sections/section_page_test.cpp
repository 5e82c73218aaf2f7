// The section window's logic and the volume window's note on unsolved sections.
#include "sections/section_page.h"

#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "graphics/road_drawings.h"
#include "sections/fixtures.h"
#include "sections/volume_page.h"
#include "sections/volumes.h"
#include "state/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

namespace {

// Section 1 with ground points, section 2 still empty.
Workspace progetto() {
    Workspace ws;
    ws.Sezioni.redim(2);
    ws.Sezioni[1] = sezioneDi(10, 100, {-20, 99, 0, 99, 20, 99});
    ws.Sezioni[1].Progressiva = 12.5f;
    ws.Sezioni[2].Numero = 2;
    return ws;
}

}  // namespace

TEST(PaginaSezione, AperturaEScelta) {
    Workspace ws = progetto();
    ws.SezioneCorrente = 2;
    RecordingCanvas canvas;
    FakeHost host;
    PaginaSezione p(ws, host, [&](const Sezione& s) { disegnaSezione(ws, canvas, host, s); });
    p.apri();
    ASSERT_EQ(p.elenco.size(), 2u);
    EXPECT_EQ(p.elenco[0].testo, "sezione 1");
    EXPECT_EQ(p.griglia.righe(), 51);  // at least numPuntiTerrenoDefault rows
    EXPECT_EQ(p.griglia.testo(0, 2), "Quote del Terreno");

    // From the empty section shown, the first can be chosen: current, shown and drawn.
    p.scegli(0);
    EXPECT_EQ(ws.SezioneCorrente, 1);
    EXPECT_EQ(std::vector<std::string>({p.progressiva, p.quota, p.griglia.testo(1, 1), p.griglia.testo(3, 2)}),
              std::vector<std::string>({"12,5", "100", "-20", "99"}));
    EXPECT_EQ(ws.TipoDocumento, kDocSezione);
    EXPECT_FALSE(canvas.operazioni.empty());

    // The empty one is refused and the window stays as it was.
    p.scegli(1);
    EXPECT_EQ(host.testiMessaggi(),
              std::vector<std::string>{"Mancano dati fondamentali per il tracciamento della sezione!"});
    EXPECT_EQ(ws.SezioneCorrente, 1);
    EXPECT_EQ(p.griglia.testo(1, 1), "-20");

    ws.impostazioni.numPuntiTerrenoDefault = 2;  // more points than default rows: the grid grows
    p.apri();
    EXPECT_EQ(p.griglia.righe(), 4);
}

TEST(PaginaSezione, Applica) {
    Workspace ws = progetto();
    RecordingCanvas canvas;
    FakeHost host;
    PaginaSezione p(ws, host, [&](const Sezione& s) { disegnaSezione(ws, canvas, host, s); });
    p.apri();
    for (const char* numero : {"0", "", "due"}) {  // not a number of at least 1: nothing stored
        p.numero = numero;
        EXPECT_FALSE(p.applica());
    }
    EXPECT_EQ(host.messaggi.at(2).testo, "Il numero progressivo della sezione non è corretto!");
    p.numero = "1";
    p.griglia.imposta(2, 2, "-");  // an elevation that is not a number: nothing stored
    EXPECT_FALSE(p.applica());
    EXPECT_EQ(host.messaggi.back().testo, "Tipo di dati non corretto!");

    // Rows to the first empty distance; an empty elevation or box keeps the stored value.
    // Solved, drawn, and the whole list copied to the plan.
    host.pulisci();
    p.larghezza = "";
    p.quota = "100,5";
    p.griglia.imposta(1, 2, "98");
    p.griglia.imposta(2, 2, "");
    p.griglia.imposta(5, 1, "30");  // after the first empty row: not read
    EXPECT_TRUE(p.applica());
    const Sezione& s = ws.Sezioni[1];
    EXPECT_EQ(
        std::vector<float>({float(s.NumeroPunti), s.QuoteTerreno[1], s.QuoteTerreno[2], s.Larghezza, s.QuotaProgetto}),
        std::vector<float>({3, 98, 99, 10, 100.5f}));
    EXPECT_LT(s.AreaRiporto, 0);
    EXPECT_TRUE(host.messaggi.empty());
    EXPECT_EQ(ws.Piano.SezioniApplicate, ws.Sezioni);

    // A number past the list grows it; a section that cannot carry its platform is stored,
    // marked and reported.
    p.numero = "5";
    p.larghezza = "50";
    EXPECT_FALSE(p.applica());
    EXPECT_EQ(ws.Sezioni.upperBound(), 5);
    EXPECT_EQ(ws.SezioneCorrente, 5);
    EXPECT_FALSE(ws.Sezioni[5].Risolta);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{std::string("La sezione 5 non è stata risolta: ") +
                                                             testoEsito(EsitoSezione::CiglioFuoriTerreno)});
    EXPECT_FALSE(p.stato.empty());
    EXPECT_EQ(p.elenco.size(), 5u);
}

TEST(PaginaVolumi, NotaSezioniNonRisolte) {
    Workspace ws = progetto();
    ws.Piano.NumeroIntersezioni = 2;
    ws.Piano.SezioniApplicate = ws.Sezioni;
    ws.Piano.SezioniApplicate[2].Risolta = false;
    costruisciPaleggi(ws.Piano.SezioniApplicate, 2, 10, ws.Paleggi);
    PaginaVolumi p(ws);
    EXPECT_EQ(p.griglia.righe(), 3);
    EXPECT_EQ(p.stato, "Sezioni non risolte, contate con aree nulle: 2");
    ws.Piano.SezioniApplicate[2].Risolta = true;
    EXPECT_TRUE(PaginaVolumi(ws).stato.empty());
}
