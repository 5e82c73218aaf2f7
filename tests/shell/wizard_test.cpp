// The project wizard: steps, texts, navigation, help, cancelling, finishing, and the whole
// road from a drawing-exchange file.
#include "shell/wizard.h"

#include "road/road_sample.h"
#include "shell/shell_test.h"
#include "state/settings.h"

namespace carvela {
namespace {

struct FinestraFinta : InterfacciaWizard {
    bool visibile = true, principaleAbilitata = true;
    std::vector<int> contestiGuida;
    int guideChiuse = 0, chiusure = 0, conferme = 0;
    std::function<void()> allaConferma;

    void nascondi() override { visibile = false; }
    void mostra() override { visibile = true; }
    void abilitaPrincipale(bool abilitata) override { principaleAbilitata = abilitata; }
    bool apriGuida(int contesto) override {
        contestiGuida.push_back(contesto);
        return true;
    }
    void chiudiGuida() override { ++guideChiuse; }
    void chiudiFinestra() override {
        ++chiusure;
        visibile = false;
    }
    void mostraConferma() override {
        ++conferme;
        if (allaConferma) allaConferma();
    }
};

// A host that notes whether the wizard was in sight when each page opened.
struct HostWizard : FakeHost {
    const FinestraFinta* finestra = nullptr;
    std::vector<bool> wizardVisibile;
    std::function<void(Pagina)> allaPagina;  // what the user does in the page

    void apriPagina(Pagina pagina) override {
        FakeHost::apriPagina(pagina);
        wizardVisibile.push_back(finestra->visibile);
        if (allaPagina) allaPagina(pagina);
    }
};

struct Banco {
    Workspace ws;
    RecordingCanvas canvas{1000, 700};
    HostWizard host;
    FinestraFinta finestra;
    MapSettingsStore impostazioni;
    Autocomposizione wizard{ws, canvas, host, finestra, impostazioni};

    Banco() {
        host.finestra = &finestra;
        inizializzaVista(ws.vista, canvas);
    }
};

// A tiny drawing: one line.
const char* const kDxfMinimo =
    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 30\n0\n 11\n50\n 21\n40\n 31\n0\n"
    "  0\nENDSEC\n  0\nEOF\n";

std::string fileTemporaneo(const std::string& nome, const std::string& testo) {
    static const campioni::CartellaTemporanea cartella;
    std::ofstream(cartella.file(nome), std::ios::binary) << testo;
    return cartella.file(nome);
}

// Contour lines and an axis the road computation can work on.
void strada(Workspace& ws) {
    ws.Piano = prova::collina();
    prova::impostaAsse(ws.Piano, {{10, 40}, {80, 95}, {150, 110}, {190, 170}});
}

TEST(Autocomposizione, OpeningAndNavigation) {
    Banco b;
    b.wizard.apri();
    EXPECT_EQ(std::pair(b.wizard.passo(), int{b.ws.wizardAttivo}), std::pair(0, -1));
    EXPECT_FALSE(b.finestra.principaleAbilitata || b.wizard.indietroAbilitato() || b.wizard.fineAbilitata());
    EXPECT_TRUE(b.wizard.avantiAbilitato());
    EXPECT_FALSE(b.wizard.indietro());

    EXPECT_TRUE(b.wizard.avanti());
    EXPECT_EQ(b.wizard.passo(), 1);
    // An empty file name stops at step 1.
    EXPECT_FALSE(b.wizard.avanti());
    EXPECT_EQ(b.wizard.passo(), 1);
    EXPECT_EQ(b.host.testiMessaggi(), std::vector<std::string>{"Nome file non valido!"});

    // "Sfoglia..." puts the chosen path in the file name; a cancelled dialog keeps it.
    b.host.fileAperti.push_back("/dati/terreno.dxf");
    b.wizard.sfoglia();
    EXPECT_EQ(b.wizard.nomeFile, "/dati/terreno.dxf");
    EXPECT_EQ(b.host.titoliDialoghi.back(), "Importa file di interscambio DXF");
    EXPECT_EQ(b.host.filtriDialoghi.back(), "File di interscambio (*.dxf) | *.DXF");
    b.wizard.sfoglia();
    EXPECT_EQ(b.wizard.nomeFile, "/dati/terreno.dxf");

    // A file that cannot be read: its own message, and the wizard stays at step 1 rather
    // than saying the file was imported.
    b.host.pulisci();
    EXPECT_FALSE(b.wizard.avanti());
    EXPECT_EQ(b.wizard.passo(), 1);
    EXPECT_EQ(b.host.testiMessaggi(), std::vector<std::string>{"Errore di apertura del file!"});

    // The introduction switched off: the next opening starts at step 1.
    b.wizard.chiudi();
    b.wizard.impostaIntroduzioneDaNonMostrare(true);
    EXPECT_EQ(b.impostazioni.valori["IntroScreen"], "DontShow");
    b.wizard.apri();
    EXPECT_EQ(b.wizard.passo(), 1);
}

TEST(Autocomposizione, BackToTheImportStepImportsAgain) {
    Banco b;
    b.wizard.apri();
    b.wizard.nomeFile = fileTemporaneo("minimo.dxf", kDxfMinimo);
    b.wizard.vaiAlPasso(1);
    ASSERT_TRUE(b.wizard.avanti());
    EXPECT_EQ(b.ws.TipoDocumento, kDocDxf);
    EXPECT_GT(b.ws.DxfDrawing.upperBound(), 0);
    EXPECT_EQ(b.host.titoloFinestra, "Carvela [ " + b.wizard.nomeFile + " ]");

    // Step 3: the recognition window, the wizard hidden meanwhile. Closed without contour
    // lines recognised, the wizard says so and stays at step 2.
    b.host.pulisci();
    EXPECT_FALSE(b.wizard.avanti());
    EXPECT_EQ(b.wizard.passo(), 2);
    EXPECT_EQ(b.host.testiMessaggi(),
              std::vector<std::string>{"Nessuna curva di livello è stata riconosciuta: ripetere il riconoscimento "
                                       "scegliendo le entità che rappresentano le curve di livello."});
    b.host.pagine.clear();
    b.host.wizardVisibile.clear();
    b.host.allaPagina = [&](Pagina) { b.ws.RiconoscimentoDisegno = {true, 3, 30, 100, 102}; };
    ASSERT_TRUE(b.wizard.avanti());
    EXPECT_EQ(b.host.pagine, std::vector<Pagina>{Pagina::RicavaDxf});
    EXPECT_EQ(b.host.wizardVisibile, std::vector<bool>{false});
    EXPECT_TRUE(b.finestra.visibile);

    ASSERT_TRUE(b.wizard.indietro());  // step 2 again: the drawing is read again
    EXPECT_EQ(b.wizard.passo(), 2);
    EXPECT_EQ(b.ws.TipoDocumento, kDocDxf);
    EXPECT_EQ(b.host.titoloFinestra, "Carvela [ " + b.wizard.nomeFile + " ] [ " + b.wizard.nomeFile + " ]");
}

TEST(Autocomposizione, CaptionTextAndHelpOfEveryStep) {
    Banco b;
    b.wizard.apri();
    b.wizard.nomeFile = fileTemporaneo("minimo.dxf", kDxfMinimo);
    b.host.allaPagina = [&](Pagina) { b.ws.RiconoscimentoDisegno = {true, 1, 2, 5, 5}; };
    std::vector<std::string> didascalie;
    for (int passo = 0; passo < kPassiWizard; ++passo) {
        if (passo == 5) strada(b.ws);  // the axis traced
        EXPECT_TRUE(b.wizard.vaiAlPasso(passo)) << passo;
        b.wizard.guida();
        b.finestra.mostra();
        didascalie.push_back(b.wizard.didascalia());
        EXPECT_FALSE(testoWizard(kSpiegazioniPassi[passo][0]).empty()) << passo;  // every step explained
    }
    const std::string w = " - Autocomposizione del Carvela";
    EXPECT_EQ(didascalie, (std::vector<std::string>{"Introduzione" + w, "Fase 1" + w, "Fase 2" + w, "Fase 3" + w,
                                                    "Fase 4" + w, "Processo completato." + w}));

    EXPECT_EQ(b.finestra.contestiGuida, (std::vector<int>{1010, 1020, 1030, 1040, 1050, 1060}));
    EXPECT_TRUE(b.wizard.guidaAperta());
    b.wizard.chiudi();
    EXPECT_EQ(b.finestra.guideChiuse, 1);
    EXPECT_FALSE(b.wizard.guidaAperta());
}

TEST(Autocomposizione, CancelAsksAndKeepsTheWork) {
    Banco b;
    b.wizard.apri();
    b.wizard.nomeFile = fileTemporaneo("minimo.dxf", kDxfMinimo);
    b.wizard.vaiAlPasso(2);
    b.host.pulisci();

    b.host.risposte.push_back(Risposta::Annulla);
    EXPECT_FALSE(b.wizard.interrompi());
    ASSERT_EQ(b.host.messaggi.size(), 1u);
    EXPECT_EQ(b.host.messaggi[0].testo,
              "Interrompendo l'operazione di autocomposizione non sarà sucessivamente possibile ritornare alla fase "
              "corrente. Interrompo l'operazoine?");
    EXPECT_EQ(std::pair(b.host.messaggi[0].pulsanti, b.host.messaggi[0].icona),
              std::pair(Pulsanti::OkAnnulla, Icona::Domanda));
    EXPECT_TRUE(b.wizard.aperta());

    b.host.risposte.push_back(Risposta::Ok);
    EXPECT_TRUE(b.wizard.interrompi());
    EXPECT_FALSE(b.wizard.aperta());
    EXPECT_EQ(std::tuple(b.finestra.chiusure, int{b.ws.wizardAttivo}, b.finestra.conferme), std::tuple(1, 0, 0));
    EXPECT_TRUE(b.finestra.principaleAbilitata);
    // The imported drawing stays, and stays the document shown.
    EXPECT_EQ(b.ws.TipoDocumento, kDocDxf);
    EXPECT_GT(b.ws.DxfDrawing.upperBound(), 0);
}

TEST(Autocomposizione, ConfirmationUntilSwitchedOff) {
    Banco b;
    b.finestra.allaConferma = [&] { Autocomposizione::impostaConfermaDaNonMostrare(b.impostazioni, true); };
    for (int volta = 0; volta < 2; ++volta) {
        b.wizard.apri();
        b.wizard.fine();  // not allowed before the last step
        EXPECT_TRUE(b.wizard.aperta());
        if (volta == 0) {
            // Nothing to compute: the computation says so and the wizard stays; with a road it ends.
            b.host.pulisci();
            EXPECT_FALSE(b.wizard.vaiAlPasso(5));
            EXPECT_FALSE(b.wizard.fineAbilitata());
            EXPECT_EQ(b.host.testiMessaggi(),
                      std::vector<std::string>{"Non sono presenti le curve di livello relative alla planimetria!"});
            strada(b.ws);
        }
        ASSERT_TRUE(b.wizard.vaiAlPasso(5));
        b.ws.TipoDocumento = kDocPianta;
        EXPECT_TRUE(b.wizard.fineAbilitata());
        EXPECT_FALSE(b.wizard.avantiAbilitato());
        b.canvas.operazioni.clear();
        b.wizard.fine();
        EXPECT_FALSE(b.wizard.aperta());
        // The plan option keeps the plan shown, drawn again.
        EXPECT_EQ(b.ws.TipoDocumento, kDocPianta);
        EXPECT_FALSE(b.canvas.di(OperazioneCanvas::Clear).empty());
    }
    EXPECT_EQ(b.finestra.conferme, 1);
    EXPECT_EQ(b.impostazioni.valori["ConfirmScreen"], "DontShow");
    Autocomposizione::impostaConfermaDaNonMostrare(b.impostazioni, false);
    EXPECT_EQ(b.impostazioni.valori["ConfirmScreen"], "");
    EXPECT_TRUE(Autocomposizione::confermaDaMostrare(b.impostazioni));
}

}  // namespace
}  // namespace carvela
