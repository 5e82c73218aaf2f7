#include "shell/wizard.h"

#include <map>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_project.h"
#include "graphics/redraw.h"
#include "graphics/road_command.h"
#include "graphics/view_ops.h"
#include "plan/axis.h"
#include "project/records.h"
#include "state/host.h"
#include "state/settings.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

const char* const kTitoloWizard = "Autocomposizione del Carvela";
const char* const kNessunaCurvaWizard =
    "Nessuna curva di livello è stata riconosciuta: ripetere il riconoscimento scegliendo le entità che "
    "rappresentano le curve di livello.";

const std::map<int, std::string>& tabellaTesti() {
    static const std::map<int, std::string> testi = {
        {100, "Help"},
        {101, "&Interrompi"},
        {102, "< &Indietro"},
        {103, "&Avanti >"},
        {104, "&Fine"},
        {300,
         "Interrompendo l'operazione di autocomposizione non sarà sucessivamente possibile ritornare alla fase "
         "corrente. Interrompo l'operazoine?"},
        {301, "Nome file non valido!"},
        {1000, "Introduzione"},
        {1001,
         "L'autocomposizione guida nella progettazione di massima di una strada in poche fasi: importazione "
         "di un file di interscambio DXF, riconoscimento delle curve di livello, tracciamento dell'asse "
         "stradale, calcolo del tracciato e scelta del disegno da visualizzare al termine.\n\n"
         "Premere \"Avanti >\" per iniziare."},
        {1002, "&Non visualizzare questa schermata in futuro."},
        {2000, "Fase 1"},
        {2001,
         "Indicare il percorso completo del file di interscambio DXF che contiene il piano quotato.\n\n"
         "Il file deve essere nel formato delle versioni 11 e 12 del programma di disegno. Per cercarlo "
         "premere \"Sfoglia...\"."},
        {2002, "Fase 2"},
        {2003,
         "Il file è stato importato senza errori.\n\n"
         "Premere \"Avanti >\" per riconoscere le entità del disegno che rappresentano le curve di livello."},
        {2004, "Fase 3"},
        {2005,
         "Le curve di livello sono state riconosciute.\n\n"
         "Premere \"Avanti >\" per tracciare l'asse stradale sul disegno: un clic con il tasto sinistro per "
         "ogni vertice della poligonale d'asse, il tasto destro per terminare."},
        {2006, "Fase 4"},
        {2007,
         "Premendo \"Avanti >\" il programma calcola il tracciato stradale:\n"
         "- picchetta le curve dell'asse;\n"
         "- pone le sezioni agli incroci dell'asse con le curve di livello;\n"
         "- costruisce il profilo longitudinale del terreno e ne calcola le livellette;\n"
         "- ricava dal terreno le sezioni trasversali e le risolve;\n"
         "- traccia i cigli e l'occupazione della strada;\n"
         "- compila la tabella dei volumi paleggiabili."},
        {3000, "Processo completato."},
        {3001,
         "Il tracciato stradale è stato calcolato. Per modificare il progetto utilizzare i comandi del menu "
         "\"Calcolo\"."},
        {3002, "Premere \"Fine\" per chiudere l'autocomposizione."},
        {10000, "Progetto completato"},
        {10001,
         "Il progetto stradale è stato completato. Planimetria, profilo, sezioni e volumi si possono ora "
         "rivedere e modificare dai menu del programma."},
        {10002, "Non visualizzare questa finestra di dialogo in fututro."},
        {10003, "OK"},
        {30000, "Informazioni incomplete."},
        {30001, "You must ... before you can continue."},
    };
    return testi;
}

// The document kind each final option shows. The plan is kind 4: the first option shows the
// plan the computation has drawn, and keeps it the current document.
uint8_t tipoDocumento(OpzioneFinale opzione) {
    switch (opzione) {
    case OpzioneFinale::Profilo: return kDocProfilo;
    case OpzioneFinale::Sezioni: return kDocSezione;
    case OpzioneFinale::Diagramma: return kDocDiagramma;
    default: return kDocPianta;
    }
}

}  // namespace

std::string testoWizard(int numero) {
    auto it = tabellaTesti().find(numero);
    return it == tabellaTesti().end() ? std::string() : it->second;
}

const char* testoOpzione(OpzioneFinale opzione) {
    switch (opzione) {
    case OpzioneFinale::Profilo: return "il profilo";
    case OpzioneFinale::Sezioni: return "le sezioni";
    case OpzioneFinale::Diagramma: return "il diagramma dei volumi paleggiabili";
    default: return "la planimetria";
    }
}

Autocomposizione::Autocomposizione(Workspace& ws, Canvas& canvas, Host& host, InterfacciaWizard& finestra,
                                   SettingsStore& impostazioniWizard)
    : ws_(ws), canvas_(canvas), host_(host), finestra_(finestra), impostazioni_(impostazioniWizard) {}

void Autocomposizione::apri() {
    aperta_ = true;
    fineConsentita_ = false;
    opzioneOfferta_ = false;
    inTracciamento_ = false;
    opzione = OpzioneFinale::Planimetria;
    // Step 1 has no action of its own, so skipping the introduction skips nothing.
    passo_ = introduzioneDaNonMostrare() ? 1 : 0;
    ws_.wizardAttivo = -1;
    finestra_.abilitaPrincipale(false);
}

std::string Autocomposizione::didascalia() const { return testoWizard(kTitoliPassi[passo_]) + " - " + kTitoloWizard; }

bool Autocomposizione::avanti() { return avantiAbilitato() && vaiAlPasso(passo_ + 1); }

bool Autocomposizione::indietro() { return indietroAbilitato() && vaiAlPasso(passo_ - 1); }

bool Autocomposizione::vaiAlPasso(int passo) {
    if (!aperta_ || passo < 0 || passo >= kPassiWizard) return false;
    if (!eseguiAzione(passo)) return false;
    passo_ = passo;
    return true;
}

// The work of the step arrived at. Failures inside are reported by the parts that do the
// work; the wizard then stays where it is, so that no step claims what was not made.
bool Autocomposizione::eseguiAzione(int passo) {
    switch (passo) {
    case 2:
        if (nomeFile.empty()) {
            host_.messaggio(testoWizard(301));
            return false;
        }
        return importaFileDxf(ws_, canvas_, host_, nomeFile);
    case 3:
        finestra_.nascondi();
        ws_.RiconoscimentoDisegno = {};
        host_.apriPagina(Pagina::RicavaDxf);
        finestra_.mostra();
        // The next step traces the axis over contour lines: without them the wizard stays.
        if (!curveRiconosciute(ws_.RiconoscimentoDisegno)) {
            host_.messaggio(kNessunaCurvaWizard, Pulsanti::Ok, Icona::Avviso, kTitoloWizard);
            return false;
        }
        return true;
    case 4:
        iniziaTracciamentoAsse(ws_, canvas_, host_);
        inTracciamento_ = true;
        finestra_.nascondi();
        finestra_.abilitaPrincipale(true);
        fineConsentita_ = false;
        return true;
    case 5:
        finestra_.nascondi();
        segnaModifica(ws_);
        if (!calcolaTracciato(ws_, canvas_, host_)) {
            finestra_.mostra();
            return false;
        }
        finestra_.mostra();
        opzione = OpzioneFinale::Planimetria;
        opzioneOfferta_ = true;
        fineConsentita_ = true;
        return true;
    default: return true;
    }
}

void Autocomposizione::tracciamentoTerminato() {
    if (!aperta_ || !inTracciamento_) return;
    inTracciamento_ = false;
    // Back to the wizard, which again holds the main window until its next step.
    finestra_.abilitaPrincipale(false);
    finestra_.mostra();
}

void Autocomposizione::sfoglia() {
    std::string percorso = host_.apriFile("File di interscambio (*.dxf) | *.DXF", "Importa file di interscambio DXF");
    if (!percorso.empty()) nomeFile = percorso;
}

void Autocomposizione::guida() {
    if (finestra_.apriGuida(contestoGuida(passo_))) guidaAperta_ = true;
}

bool Autocomposizione::interrompi() {
    if (host_.messaggio(testoWizard(300), Pulsanti::OkAnnulla, Icona::Domanda, kTitoloWizard) != Risposta::Ok)
        return false;
    chiudi();
    return true;
}

void Autocomposizione::fine() {
    if (!fineConsentita_) return;
    chiudi();
    if (confermaDaMostrare(impostazioni_)) finestra_.mostraConferma();
}

void Autocomposizione::chiudi() {
    if (!aperta_) return;
    aperta_ = false;
    inTracciamento_ = false;
    finestra_.chiudiFinestra();
    // The final option counts once it was offered; closing earlier leaves the document shown.
    if (opzioneOfferta_) mostraDocumentoScelto();
    if (guidaAperta_) {
        finestra_.chiudiGuida();
        guidaAperta_ = false;
    }
    ws_.wizardAttivo = 0;
    finestra_.abilitaPrincipale(true);
}

// The chosen document, drawn by the common redraw. The profile, sections and diagram have
// their own units: when the view of the plan leaves them off the canvas, the view moves to
// their extent (the plan's view stays on the stack for "&Precedente").
void Autocomposizione::mostraDocumentoScelto() {
    const uint8_t tipo = tipoDocumento(opzione);
    ridisegnaTipo(ws_, canvas_, host_, tipo);
    const Vista& v = ws_.vista;
    if (tipo == kDocPianta || v.riavvioEstensione == -1) return;
    if (v.estMaxX <= v.estMinX && v.estMaxY <= v.estMinY) return;
    const bool visibile =
        v.estMinX >= 0 && v.estMinY >= 0 && v.estMaxX <= canvas_.larghezza() && v.estMaxY <= canvas_.altezza();
    if (!visibile) zoomEstensione(ws_, canvas_, host_);
}

bool Autocomposizione::introduzioneDaNonMostrare() const {
    return impostazioni_.leggi(kChiaveIntroduzione).value_or("") == kNonMostrare;
}

void Autocomposizione::impostaIntroduzioneDaNonMostrare(bool nonMostrare) {
    impostazioni_.scrivi(kChiaveIntroduzione, nonMostrare ? kNonMostrare : "");
}

bool Autocomposizione::confermaDaMostrare(const SettingsStore& impostazioni) {
    return impostazioni.leggi(kChiaveConferma).value_or("") != kNonMostrare;
}

void Autocomposizione::impostaConfermaDaNonMostrare(SettingsStore& impostazioni, bool nonMostrare) {
    impostazioni.scrivi(kChiaveConferma, nonMostrare ? kNonMostrare : "");
}

}  // namespace carvela
