// The settings in the store, and the settings window's fields and "&Appllica".
#include "state/settings.h"

#include <map>

#include "shell/settings_page.h"
#include "shell/shell_test.h"

namespace carvela {
namespace {

TEST(Impostazioni, CaricaESalva) {
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
}

TEST(Impostazioni, ValoriScrittiAMano) {
    // Each value alone, then all of them together: no value leaks into another setting.
    MapSettingsStore insieme, atteso;
    salvaImpostazioni(atteso, Impostazioni{});
    for (const test::Caso& c : test::leggiCasi("settings_stored.txt")) {
        MapSettingsStore solo, riscritto;
        solo.valori[c.nome()] = insieme.valori[c.nome()] = c.campi.at(1);
        if (c.campi.at(2) != "=") atteso.valori[c.nome()] = c.campi[2];
        salvaImpostazioni(riscritto, caricaImpostazioni(solo));
        EXPECT_EQ(riscritto.valori[c.nome()], atteso.valori[c.nome()]) << c.testo;
    }
    MapSettingsStore riscritto;
    salvaImpostazioni(riscritto, caricaImpostazioni(insieme));
    EXPECT_EQ(riscritto.valori, atteso.valori);
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
    using C = CampiImpostazioni;
    const std::map<std::string, std::string C::*> campi = {{"scalaDisegno", &C::scalaDisegno},
                                                           {"ascissaOrigine", &C::ascissaOrigine},
                                                           {"ordinataOrigine", &C::ordinataOrigine},
                                                           {"scalaVolumi", &C::scalaVolumi},
                                                           {"dimensioneQuote", &C::dimensioneQuote},
                                                           {"intervalloAutoSave", &C::intervalloAutoSave},
                                                           {"larghezzaStrada", &C::larghezzaStrada},
                                                           {"scarpataSterro", &C::scarpataSterro},
                                                           {"scarpataRiporto", &C::scarpataRiporto},
                                                           {"distanzaRicerca", &C::distanzaRicerca},
                                                           {"sezioniPerColonna", &C::sezioniPerColonna},
                                                           {"interasseSezioni", &C::interasseSezioni},
                                                           {"intervalloColonne", &C::intervalloColonne},
                                                           {"puntiTerrenoSezione", &C::puntiTerrenoSezione},
                                                           {"sezioniProfilo", &C::sezioniProfilo},
                                                           {"curveProfilo", &C::curveProfilo},
                                                           {"raggioMinimo", &C::raggioMinimo},
                                                           {"picchettiCurva", &C::picchettiCurva},
                                                           {"distanzaMinimaSezioni", &C::distanzaMinimaSezioni},
                                                           {"intervalloVertici", &C::intervalloVertici},
                                                           {"intervalloRegolare", &C::intervalloRegolare},
                                                           {"costipamento", &C::costipamento},
                                                           {"trasportoEconomico", &C::trasportoEconomico}};
    for (const test::Caso& c : test::leggiCasi("settings_refused.txt")) {
        SCOPED_TRACE(c.testo);
        Finestra f;
        // Every field changed to a valid new value, so "applied" and "not applied" differ.
        f.campi.scalaDisegno = "3";
        f.campi.autoSave = false;
        f.campi.intervalloVertici = "4";
        f.campi.mantieniQuote = false;
        f.campi.*campi.at(c.nome()) = c.campi.at(1);
        EXPECT_FALSE(f.applica());
        EXPECT_EQ(f.host.testiMessaggi(), std::vector<std::string>{c.campi.at(3)});
        // Saved whatever happened.
        EXPECT_EQ(f.store.valori.size(), 36u);
        EXPECT_EQ(f.ws.impostazioni.IntervalloVertexPLine, c.numeri(2).at(0));
        EXPECT_EQ(f.ws.vista.scala, c.nome() == "scalaDisegno" ? 1.0f : 3.0f);
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
