// The command table of the main window: preconditions on the document shown, their
// messages, the view commands, and the toolbar and tree dispatch.
#include "shell/commands.h"

#include "shell/shell_test.h"

namespace carvela {
namespace {

struct Programma {
    Workspace ws;
    RecordingCanvas canvas{800, 600};
    FakeHost host;
    Comandi comandi{ws, canvas, host};

    Programma() { inizializzaVista(ws.vista, canvas); }
};

TEST(Comandi, CondizioniSulDocumentoMostrato) {
    for (const test::Caso& c : test::leggiCasi("command_conditions.txt")) {
        const std::string comando = c.nome(), messaggio = c.campi.at(2);
        for (uint8_t tipo = 0; tipo <= 8; ++tipo) {
            if (tipo == c.numeri(1).at(0)) continue;
            SCOPED_TRACE(comando + " " + std::to_string(tipo));
            // The check is on what is shown, not on the data held.
            Programma p;
            p.ws.Profilo = campioni::profilo();
            p.ws.Piano = campioni::piano(2);
            p.ws.TipoDocumento = tipo;
            ASSERT_TRUE(p.comandi.esegui(comando));
            EXPECT_EQ(p.host.testiMessaggi(), std::vector<std::string>{messaggio});
            EXPECT_EQ(p.host.messaggi[0].icona, Icona::Informazione);
            EXPECT_TRUE(p.host.pagine.empty() && p.canvas.operazioni.empty());
            EXPECT_EQ(p.ws.TipoDocumento, tipo);
            EXPECT_EQ(p.ws.vista.modoSelezione, 0);
            EXPECT_TRUE(p.ws.Profilo == campioni::profilo());
        }
    }
    // Satisfied, the page opens or the mode starts.
    Programma p;
    for (auto [tipo, comando] :
         {std::pair{kDocProfilo, "impostaTipoProfilo"}, {kDocDxf, "RicavaDaDXF"}, {kDocPianta, "correggiSegmento"}}) {
        p.ws.TipoDocumento = tipo;
        p.comandi.esegui(comando);
    }
    EXPECT_EQ(p.host.pagine, (std::vector<Pagina>{Pagina::TipoProfilo, Pagina::RicavaDxf}));
    EXPECT_EQ(p.ws.vista.modoSelezione, 2);
    EXPECT_TRUE(p.host.messaggi.empty());
}

TEST(Comandi, NuovoProgettoEVista) {
    Programma p;
    // With nothing shown nothing is emptied, but the caption and the view origin are reset.
    p.ws.Profilo = campioni::profilo();
    p.ws.vista.scala = 3, p.ws.vista.offsetX = 40, p.ws.vista.offsetY = 10;
    p.host.titoloFinestra = "Carvela [ x.pro ]";
    p.comandi.esegui("nuovoProgetto");
    EXPECT_TRUE(p.ws.Profilo == campioni::profilo());
    EXPECT_EQ(p.host.titoloFinestra, "Carvela");
    EXPECT_EQ(std::tuple(p.ws.vista.scala, p.ws.vista.offsetX, p.ws.vista.offsetY), std::tuple(3.0f, 0.0f, 600.0f));
    EXPECT_EQ(p.canvas.di(OperazioneCanvas::Clear).size(), 1u);
    // With the profile shown the road project is emptied.
    p.ws.TipoDocumento = kDocProfilo;
    p.comandi.eseguiPulsante("icoNew");
    EXPECT_TRUE(p.ws.Profilo == Profilo{});
    EXPECT_EQ(p.ws.Sezioni.upperBound(), 1);
    EXPECT_EQ(p.ws.TipoDocumento, kDocNessuno);

    // "&Fattore di scala...": empty, non-numeric and non-positive answers change nothing.
    const std::size_t pila = p.ws.vista.pila.size();
    for (const char* risposta : {"", "abc", "0", "-2"}) {
        p.host.inputs.push_back(risposta);
        p.comandi.esegui("FattoreScala");
    }
    EXPECT_EQ(p.ws.vista.scala, 3.0f);
    EXPECT_EQ(p.ws.vista.pila.size(), pila);
    EXPECT_EQ(p.host.testiMessaggi(), std::vector<std::string>(2, "Fattore di scala errato!"));
    EXPECT_EQ(p.host.titoliDialoghi.back(), "Viste");
    p.host.inputs.push_back("2,5");
    p.comandi.esegui("FattoreScala");
    EXPECT_EQ(p.ws.vista.scala, 2.5f);
    EXPECT_EQ(p.ws.vista.pila.size(), pila + 1);

    // Toolbar zooms scale the offsets too; menu zooms only the scale. "Precedente" undoes each.
    p.ws.vista.offsetX = 10, p.ws.vista.offsetY = 20;
    p.comandi.eseguiPulsante("icoZX2");
    EXPECT_EQ(std::tuple(p.ws.vista.scala, p.ws.vista.offsetX, p.ws.vista.offsetY), std::tuple(5.0f, 20.0f, 40.0f));
    p.comandi.esegui("ZoomMeta");
    EXPECT_EQ(std::tuple(p.ws.vista.scala, p.ws.vista.offsetX), std::tuple(2.5f, 20.0f));
    p.comandi.eseguiPulsante("icoUndo");
    EXPECT_EQ(p.ws.vista.scala, 5.0f);
    p.comandi.esegui("vistaPrecedente");
    EXPECT_EQ(std::tuple(p.ws.vista.scala, p.ws.vista.offsetX), std::tuple(2.5f, 10.0f));

    // A thousand halvings never reach zero or a denormal scale.
    for (int i = 0; i < 1000; ++i) p.comandi.eseguiPulsante("icoZ05");
    EXPECT_GT(p.ws.vista.scala, 0.0f);
    EXPECT_TRUE(std::isfinite(p.ws.vista.mondoX(400)));
    p.comandi.esegui("zoomFinestra");
    p.comandi.eseguiPulsante("icoPan");
    // Arming the pan disarms the zoom window: one mode takes the clicks.
    EXPECT_TRUE(p.ws.vista.modoZoom == 0 && p.ws.vista.modoPan == 1);
}

TEST(Comandi, PulsantiNodiEVociSenzaCondizioni) {
    // Every menu command is known and runs on an empty project, dialogs cancelled.
    for (const std::string& nome : Comandi::nomiMenu()) {
        Programma p;
        EXPECT_TRUE(p.comandi.esegui(nome)) << nome;
    }
    Programma p;
    EXPECT_FALSE(p.comandi.esegui("file"));  // a menu, not a command

    // The tree's nodes open their pages.
    for (const char* tag :
         {"OP1002", "OP2002", "OP3001", "OP4002", "OP5001", "OP5002", "OP5003", "OP6001", "OP6002", "OP6003"})
        EXPECT_TRUE(p.comandi.eseguiNodo(tag)) << tag;
    using enum Pagina;
    EXPECT_EQ(p.host.pagine,
              (std::vector<Pagina>{PuntiPiano, Profilo, Sezione, TabellaVolumi, PoligonaleAperta, PoligonaleChiusa,
                                   Triangolazione, IntersezioneAvanti, IntersezionePotheno, IntersezioneHansen}));
    // "Tipi di calcolo" is the menu command, with its check; drawing nodes set the document kind.
    p.host.pagine.clear();
    p.comandi.eseguiNodo("OP2003");
    EXPECT_TRUE(p.host.pagine.empty());
    EXPECT_EQ(p.host.testiMessaggi().back(), "Definire le caratteristiche del profilo longitudinale del terreno.");
    p.comandi.eseguiNodo("OP1001");
    EXPECT_EQ(p.ws.TipoDocumento, kDocPianta);
    p.comandi.eseguiNodo("OP4001");
    EXPECT_EQ(p.ws.TipoDocumento, kDocDiagramma);
    EXPECT_FALSE(p.comandi.eseguiNodo("") || p.comandi.eseguiNodo("OP9999"));

    for (const char* tasto : {"icoPC", "icoInfo", "icoHelp"}) EXPECT_TRUE(p.comandi.eseguiPulsante(tasto));
    EXPECT_EQ(p.host.pagine, (std::vector<Pagina>{Impostazioni, Informazioni}));
    EXPECT_FALSE(p.comandi.eseguiPulsante("icoNiente"));

    p.host.pulisci();
    p.comandi.esegui("SysInfo");
    p.host.infoSistemaDisponibile = true;
    p.comandi.esegui("SysInfo");
    EXPECT_EQ(p.host.testiMessaggi(),
              std::vector<std::string>{"Informazioni di sistema non disponibili in questo momento"});
    p.comandi.esegui("esci");
    p.comandi.esegui("impostaStampa");
    EXPECT_EQ(std::pair(p.host.chiusureRichieste, p.host.impostaStampanti), std::pair(1, 1));
}

}  // namespace
}  // namespace carvela
