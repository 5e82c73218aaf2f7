// The settings in the store, and the settings window's fields and "&Appllica".
#include "state/settings.h"

#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "shell/settings_page.h"
#include "state/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

TEST(Impostazioni, CaricaSalvaEValoriScrittiAMano) {
    MapSettingsStore vuoto;
    EXPECT_TRUE(caricaImpostazioni(vuoto) == Impostazioni{});

    Impostazioni s;
    s.AngoloPiatto = 200;
    s.DimensioneQuote = 2.5f;
    s.AbilitaAutoSave = false;
    s.IntervalloAutoSave = 15;
    s.PicchettiCurva = 12;
    s.UsaLarghezzaIndividuale = 1;
    s.InclinazioneScarpataSterro = 0.5f;
    MapSettingsStore store;
    salvaImpostazioni(store, s);
    EXPECT_EQ(store.valori.size(), 36u);
    EXPECT_EQ(store.valori["AbilitaAutoSave"], "0");
    EXPECT_EQ(store.valori["UtilizzaFileBackUp"], "-1");
    EXPECT_EQ(store.valori["DimensioneQuote"], "2,5");  // the locale's decimal comma
    EXPECT_EQ(store.valori["IntervalloAutoSave"], "15");
    EXPECT_TRUE(caricaImpostazioni(store) == s);

    // Switches: -1/0 as written, True/False accepted; anything else keeps the default.
    MapSettingsStore mano;
    mano.valori = {{"AbilitaAutoSave", "False"},
                   {"UtilizzaFileBackUp", "0"},
                   {"MuroSezione", "True"},
                   {"MantieniQuoteDraw", "forse"},
                   {"AdattaScalaPlot", "-1"},
                   {"DimensioneQuote", "3.5"},
                   {"fattoreScalaVolumi", "dieci"},
                   {"IntervalloAutoSave", "1"},
                   {"IntervalloVertexPLine", "0"},
                   {"PicchettiCurva", "255"},
                   {"numPuntiTerrenoDefault", "70000"},
                   {"AngoloPiatto", "-200"},
                   {"LarghezzaDefaultStrada", "1e40"},
                   {"RaggioMinimoCurve", ""},
                   {"DistazaMinimaSezioni", "7,25"},
                   {"FattoreCostipamento", "0"},
                   {"IntervalloSezioniRegolari", "-20"},
                   {"FattoreRigonfiamento", "1,25"}};
    // Values the settings window would refuse (and that would stall the timer or the
    // drawings) load as the default, like words that are no number or switch.
    Impostazioni atteso;
    atteso.AbilitaAutoSave = atteso.UtilizzaFileBackUp = false;
    atteso.DimensioneQuote = 3.5f;
    atteso.DistazaMinimaSezioni = 7.25f;
    atteso.FattoreRigonfiamento = 1.25f;
    EXPECT_TRUE(caricaImpostazioni(mano) == atteso);
}

struct Finestra {
    Workspace ws;
    RecordingCanvas canvas{800, 600};
    FakeHost host;
    MapSettingsStore store;
    CampiImpostazioni campi;

    Finestra() {
        ws.archivioImpostazioni = &store;
        ws.vista.offsetY = 600;
        campi = campiDaImpostazioni(ws.impostazioni, ws.vista, canvas.altezza());
    }
    bool applica() {
        host.pulisci();
        store.valori.clear();
        return applicaImpostazioni(campi, ws, canvas, host);
    }
};

TEST(FinestraImpostazioni, CampiAllApertura) {
    Finestra f;
    EXPECT_EQ(f.campi.angoli, UnitaAngolare::Radianti);
    EXPECT_EQ(f.campi.scarpataSterro + " " + f.campi.scarpataRiporto, "0,7854 2,0944");

    // The origin is the world point at the canvas's bottom-left corner.
    f.ws.vista.scala = 2, f.ws.vista.offsetX = 100, f.ws.vista.offsetY = 700;
    f.ws.impostazioni.AngoloPiatto = 200;
    const CampiImpostazioni c = campiDaImpostazioni(f.ws.impostazioni, f.ws.vista, 600);
    EXPECT_EQ(c.ascissaOrigine + " " + c.ordinataOrigine, "-50 50");
    EXPECT_EQ(c.angoli, UnitaAngolare::Centesimali);
    EXPECT_EQ(unitaDi(180), UnitaAngolare::Sessagesimali);
    EXPECT_EQ(unitaDi(400), UnitaAngolare::Nessuna);

    // Up-down arrows change only the text, the interval not below 1, the columns not below 0.
    EXPECT_EQ(frecciaIntervallo("2", false), "1");
    EXPECT_EQ(frecciaIntervallo("1", false), "1");
    EXPECT_EQ(frecciaIntervallo("1", true), "2");
    EXPECT_EQ(frecciaSezioniPerColonna("1", false), "0");
    EXPECT_EQ(frecciaSezioniPerColonna("0", false), "0");
    EXPECT_EQ(frecciaIntervallo("abc", true), "abc");
}

TEST(FinestraImpostazioni, ApplicaTuttiICampiSalvaERidisegna) {
    Finestra f;
    CampiImpostazioni& c = f.campi;
    c.scalaDisegno = "2";
    c.ascissaOrigine = "10";
    c.ordinataOrigine = "-5";
    c.angoli = UnitaAngolare::Sessagesimali;
    c.autoSave = false;
    c.larghezzaStrada = "12";
    c.distanzaRicerca = "6";  // exactly half the new width: accepted
    c.picchettiCurva = "254";
    c.scalaStampa = "non numero";  // taken as typed: a text that is no number keeps the old value
    c.margineSuperiore = "2,5";
    c.puntiPiano = "300";
    c.intervalloRegolare = "20";
    c.rigonfiamento = "1,2";
    c.trasportoFranco = "150";
    c.trasportoEconomico = "";  // empty: kept
    EXPECT_TRUE(f.applica());
    EXPECT_TRUE(f.host.messaggi.empty());
    const Impostazioni& s = f.ws.impostazioni;
    EXPECT_EQ(std::tuple(f.ws.vista.scala, f.ws.vista.offsetX, f.ws.vista.offsetY), std::tuple(2.0f, -20.0f, 590.0f));
    EXPECT_EQ(s.AngoloPiatto, 180.0f);
    EXPECT_FALSE(s.AbilitaAutoSave);
    EXPECT_EQ(s.LarghezzaDefaultStrada, 12.0f);
    EXPECT_EQ(s.DistazaRicercaIntersezioni, 6.0f);
    EXPECT_EQ(s.PicchettiCurva, 254);
    EXPECT_EQ(s.fattoreScalaPlot, 100.0f);
    EXPECT_EQ(s.marginePlotSuperiore, 2.5f);
    EXPECT_EQ(s.numeroPuntiPianoQDefault, 300);
    EXPECT_EQ(f.store.valori.size(), 36u);
    EXPECT_EQ(f.store.valori["AngoloPiatto"], "180");
    EXPECT_EQ(f.store.valori["IntervalloSezioniRegolari"], "20");
    EXPECT_EQ(f.store.valori["FattoreRigonfiamento"], "1,2");
    EXPECT_EQ(s.DistanzaTrasportoFranco, 150.0f);
    EXPECT_EQ(s.DistanzaTrasportoEconomico, 0.0f);
}

TEST(FinestraImpostazioni, IlPrimoCampoRifiutatoFermaLaSequenza) {
    struct Caso {
        std::string CampiImpostazioni::*campo;
        const char* valore;
        const char* messaggio;
    };
    const Caso casi[] = {
        {&CampiImpostazioni::scalaDisegno, "x", "Fattore di scala errato!"},
        {&CampiImpostazioni::scalaDisegno, "0", "Fattore di scala errato!"},
        {&CampiImpostazioni::ascissaOrigine, "", "Valore dell'ascissa errato!"},
        {&CampiImpostazioni::ordinataOrigine, "1.2.3", "Valore dell'ordinata errato!"},
        {&CampiImpostazioni::scalaVolumi, "a", "Valore della scala dei volumi errato!"},
        {&CampiImpostazioni::dimensioneQuote, "1", "Dimensione del carattere di quota errato!"},
        {&CampiImpostazioni::intervalloAutoSave, "1", "Intervallo di salvataggio automatico errato!"},
        {&CampiImpostazioni::intervalloAutoSave, "40000", "Intervallo di salvataggio automatico errato!"},
        {&CampiImpostazioni::larghezzaStrada, "1", "Larghezza della strada errata! (>1 m)"},
        {&CampiImpostazioni::scarpataSterro, "0", "Inclinazione della scarpata di sterro errata!"},
        {&CampiImpostazioni::scarpataRiporto, "-1", "Inclinazione della scarpata di riporto errata!"},
        {&CampiImpostazioni::distanzaRicerca, "4,99", "Distanza di ricerca errata! (>= larghezza strada/2)"},
        {&CampiImpostazioni::sezioniPerColonna, "0", "Numero delle sezioni per colonna errato!"},
        {&CampiImpostazioni::interasseSezioni, "5",
         "Interasse tra le sezioni errato! (>= larghezza strada/2 in scala 1:100)"},
        {&CampiImpostazioni::intervalloColonne, "10", "Intervallo di incolonnamento errato! (>10 cm)"},
        {&CampiImpostazioni::puntiTerrenoSezione, "30000", "Numero di punti del terreno errato! (>1 <30000)"},
        {&CampiImpostazioni::sezioniProfilo, "0", "Numero di sezioni errato! (>0 <30000)"},
        {&CampiImpostazioni::curveProfilo, "-1", "Numero di curve planimetriche errato!"},
        {&CampiImpostazioni::raggioMinimo, "0,5", "Raggio minimo di curvatura errato! (>=1 m)"},
        {&CampiImpostazioni::picchettiCurva, "255", "Numero minimo di picchetti per curva errato! (>= 3)"},
        {&CampiImpostazioni::picchettiCurva, "2", "Numero minimo di picchetti per curva errato! (>= 3)"},
        {&CampiImpostazioni::distanzaMinimaSezioni, "abc", "Distanza prograssiva minima tra sezioni errata! (>=1)"},
        {&CampiImpostazioni::intervalloVertici, "0",
         "Fattore di precisione di rappresentazione delle curve di livello errato! (>0)"},
        {&CampiImpostazioni::intervalloRegolare, "4",
         "Intervallo delle sezioni regolari errato! (0 oppure >= distanza minima tra sezioni)"},
        {&CampiImpostazioni::costipamento, "0", "Fattore di costipamento errato! (>0)"},
        {&CampiImpostazioni::trasportoEconomico, "-1",
         "Limite di trasporto economico errato! (0 oppure >= trasporto franco)"},
    };
    for (const Caso& caso : casi) {
        Finestra f;
        // Every field changed to a valid new value, so "applied" and "not applied" differ.
        f.campi.scalaDisegno = "3";
        f.campi.autoSave = false;
        f.campi.intervalloVertici = "4";
        f.campi.mantieniQuote = false;
        f.campi.*caso.campo = caso.valore;
        EXPECT_FALSE(f.applica()) << caso.messaggio;
        EXPECT_EQ(f.host.testiMessaggi(), std::vector<std::string>{caso.messaggio}) << caso.valore;
        // Saved whatever happened; the last field is never reached (the earthwork fields come
        // after the contour precision).
        const bool terra = &caso >= &casi[std::size(casi) - 3];
        EXPECT_EQ(f.store.valori.size(), 36u);
        EXPECT_EQ(f.ws.impostazioni.IntervalloVertexPLine, terra ? 4 : 1);
        EXPECT_EQ(f.ws.vista.scala, caso.campo == &CampiImpostazioni::scalaDisegno ? 1.0f : 3.0f);
    }

    // The width is applied before the search distance is tested against it.
    Finestra f;
    f.campi.larghezzaStrada = "40";
    f.campi.distanzaRicerca = "15";
    EXPECT_FALSE(f.applica());
    EXPECT_EQ(f.host.testiMessaggi(), std::vector<std::string>{"Distanza di ricerca errata! (>= larghezza strada/2)"});
    EXPECT_EQ(f.ws.impostazioni.LarghezzaDefaultStrada, 40.0f);
    EXPECT_EQ(f.store.valori["LarghezzaDefaultStrada"], "40");
    // The switches of a step are set only when its number was taken.
    Finestra g;
    g.campi.intervalloAutoSave = frecciaIntervallo("2", false);
    g.campi.autoSave = false;
    EXPECT_FALSE(g.applica());
    EXPECT_TRUE(g.ws.impostazioni.AbilitaAutoSave);
}

}  // namespace
}  // namespace carvela
