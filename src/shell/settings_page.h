#pragma once
// The logic of the settings window "Impostazioni": its fields as texts, the up-down
// arrows and "&Appllica", which applies the fields one by one in a fixed order and stops
// at the first one refused with its message.
#include <string>

#include "state/settings.h"
#include "state/unita_angolari.h"

namespace carvela {
struct Workspace;
struct Vista;
class Canvas;
class Host;

struct CampiImpostazioni {
    // "Generale"
    UnitaAngolare angoli = UnitaAngolare::Nessuna;
    std::string scalaDisegno, ascissaOrigine, ordinataOrigine;
    bool fileBackup = true, autoSave = true;
    std::string intervalloAutoSave;
    // "Diagrammi"
    std::string scalaVolumi;
    // "Strada"
    std::string sezioniPerColonna, interasseSezioni, intervalloColonne;
    std::string puntiTerrenoSezione, sezioniProfilo, curveProfilo, raggioMinimo, picchettiCurva;
    std::string larghezzaStrada, scarpataSterro, scarpataRiporto, distanzaRicerca;
    bool muro = true;
    // "Disegno"
    bool mantieniQuote = true;
    std::string intervalloVertici, puntiPiano, dimensioneQuote;
    // "Stampa"
    std::string scalaStampa, margineLaterale, margineSuperiore;
    // "Sezione trasverasale"
    bool larghezzaIndividuale = false;
    std::string distanzaMinimaSezioni;
    // "Movimenti di terra"
    std::string intervalloRegolare, rigonfiamento, costipamento, trasportoFranco, trasportoEconomico, rapportoCosti;

    bool operator==(const CampiImpostazioni&) const = default;
};

// The fields as the window shows them when it opens: numbers in their default text form,
// the slopes with "###0.0000", the view scale and the world coordinates of the canvas's
// bottom-left corner.
CampiImpostazioni campiDaImpostazioni(const Impostazioni& s, const Vista& vista, int altezzaCanvas);

// The up-down arrows: the interval goes down only from 2 or more, the sections per column
// only from more than 0; both go up by 1. A text that is not a whole number stays as it is.
std::string frecciaIntervallo(const std::string& testo, bool su);
std::string frecciaSezioniPerColonna(const std::string& testo, bool su);

// "&Appllica": the fields in their fixed order, each taking effect at once; the first one
// refused gives its message and nothing after it is applied. Then, in every case, all
// settings are saved and the document shown is redrawn. True when every field was taken.
bool applicaImpostazioni(const CampiImpostazioni& campi, Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
