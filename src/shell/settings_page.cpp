#include "shell/settings_page.h"

#include <cmath>
#include <cstdlib>

#include "graphics/redraw.h"
#include "project/vbtext.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

std::string intero(int64_t v) { return std::to_string(v); }

// One step of the apply sequence: false (after its message) stops the sequence.
class Sequenza {
public:
    explicit Sequenza(Host& host) : host_(host) {}

    // A number with a test; on success `dove` takes it.
    template <class Test>
    bool numero(const std::string& testo, float& dove, Test ammesso, const char* messaggio) {
        float v;
        if (!leggiFloat(testo, v) || !ammesso(static_cast<double>(v))) return rifiuta(messaggio);
        dove = v;
        return true;
    }
    // A whole number taken as a 16-bit integer before the test.
    template <class Test>
    bool intero16(const std::string& testo, int32_t& dove, Test ammesso, const char* messaggio) {
        int16_t v;
        if (!leggiIntero16(testo, v) || !ammesso(static_cast<double>(v))) return rifiuta(messaggio);
        dove = v;
        return true;
    }
    bool rifiuta(const char* messaggio) {
        host_.messaggio(messaggio);
        return false;
    }

private:
    Host& host_;
};

bool qualsiasi(double) { return true; }

// A value taken "as typed": a text that is no number leaves the old value.
void comeDigitato(const std::string& testo, float& dove) {
    float v;
    if (leggiFloat(testo, v)) dove = v;
}

// The sections up to the first refused one; kept apart so the save and redraw that follow
// run whatever happens here.
bool applicaCampi(const CampiImpostazioni& c, Workspace& ws, int altezza, Host& host) {
    Impostazioni& s = ws.impostazioni;
    Vista& vista = ws.vista;
    Sequenza q(host);

    // 1-3: the view. A scale of zero or below would collapse the drawing and the pointer
    // coordinates, so it is refused like a text that is no number.
    float scala = 0;
    if (!q.numero(
            c.scalaDisegno, scala, [](double v) { return v > 0; }, "Fattore di scala errato!"))
        return false;
    vista.scala = scala;
    float x = 0;
    if (!q.numero(c.ascissaOrigine, x, qualsiasi, "Valore dell'ascissa errato!")) return false;
    const double ox = -static_cast<double>(x) * vista.scala;
    if (!std::isfinite(static_cast<float>(ox))) return q.rifiuta("Valore dell'ascissa errato!");
    vista.offsetX = static_cast<float>(ox);
    float y = 0;
    if (!q.numero(c.ordinataOrigine, y, qualsiasi, "Valore dell'ordinata errato!")) return false;
    const double oy = static_cast<double>(y) * vista.scala + altezza;
    if (!std::isfinite(static_cast<float>(oy))) return q.rifiuta("Valore dell'ordinata errato!");
    vista.offsetY = static_cast<float>(oy);

    // 4-6
    if (!q.numero(c.scalaVolumi, s.fattoreScalaVolumi, qualsiasi, "Valore della scala dei volumi errato!"))
        return false;
    if (c.angoli != UnitaAngolare::Nessuna) s.AngoloPiatto = angoloPiattoDi(c.angoli);
    if (!q.numero(
            c.dimensioneQuote, s.DimensioneQuote, [](double v) { return v > 1; },
            "Dimensione del carattere di quota errato!"))
        return false;

    // 7-10
    if (!q.intero16(
            c.intervalloAutoSave, s.IntervalloAutoSave, [](double v) { return v > 1; },
            "Intervallo di salvataggio automatico errato!"))
        return false;
    s.AbilitaAutoSave = c.autoSave;
    s.UtilizzaFileBackUp = c.fileBackup;
    if (!q.numero(
            c.larghezzaStrada, s.LarghezzaDefaultStrada, [](double v) { return v > 1; },
            "Larghezza della strada errata! (>1 m)"))
        return false;
    s.UsaLarghezzaIndividuale = c.larghezzaIndividuale ? 1 : 0;
    if (!q.numero(
            c.scarpataSterro, s.InclinazioneScarpataSterro, [](double v) { return v > 0; },
            "Inclinazione della scarpata di sterro errata!"))
        return false;
    if (!q.numero(
            c.scarpataRiporto, s.InclinazioneScarpataRiporto, [](double v) { return v > 0; },
            "Inclinazione della scarpata di riporto errata!"))
        return false;
    s.MuroSezione = c.muro;

    // 11-14: the road width is already the new one.
    const double metaStrada = static_cast<double>(s.LarghezzaDefaultStrada) / 2;
    if (!q.numero(
            c.distanzaRicerca, s.DistazaRicercaIntersezioni, [metaStrada](double v) { return v >= metaStrada; },
            "Distanza di ricerca errata! (>= larghezza strada/2)"))
        return false;
    if (!q.intero16(
            c.sezioniPerColonna, s.SezioniPerColonnaDXF, [](double v) { return v >= 1; },
            "Numero delle sezioni per colonna errato!"))
        return false;
    if (!q.numero(
            c.interasseSezioni, s.InterasseColonnaDXF, [metaStrada](double v) { return v > metaStrada; },
            "Interasse tra le sezioni errato! (>= larghezza strada/2 in scala 1:100)"))
        return false;
    if (!q.numero(
            c.intervalloColonne, s.IntervalloColonnaDXF, [](double v) { return v > 10; },
            "Intervallo di incolonnamento errato! (>10 cm)"))
        return false;

    // 15-19
    if (!q.intero16(
            c.puntiTerrenoSezione, s.numPuntiTerrenoDefault, [](double v) { return v >= 2 && v < 30000; },
            "Numero di punti del terreno errato! (>1 <30000)"))
        return false;
    if (!q.intero16(
            c.sezioniProfilo, s.numSezioniProfiloDefault, [](double v) { return v >= 1 && v < 30000; },
            "Numero di sezioni errato! (>0 <30000)"))
        return false;
    if (!q.intero16(
            c.curveProfilo, s.numeroCurveProfiloDefault, [](double v) { return v >= 0; },
            "Numero di curve planimetriche errato!"))
        return false;
    if (!q.numero(
            c.raggioMinimo, s.RaggioMinimoCurve, [](double v) { return v >= 1; },
            "Raggio minimo di curvatura errato! (>=1 m)"))
        return false;
    uint8_t picchetti;
    if (!leggiByte(c.picchettiCurva, picchetti) || picchetti < 3 || picchetti > 254)
        return q.rifiuta("Numero minimo di picchetti per curva errato! (>= 3)");
    s.PicchettiCurva = picchetti;

    // 20-21
    if (!q.numero(
            c.distanzaMinimaSezioni, s.DistazaMinimaSezioni, [](double v) { return v >= 1; },
            "Distanza prograssiva minima tra sezioni errata! (>=1)"))
        return false;
    s.MantieniQuoteDraw = c.mantieniQuote;
    comeDigitato(c.scalaStampa, s.fattoreScalaPlot);
    comeDigitato(c.margineSuperiore, s.marginePlotSuperiore);
    comeDigitato(c.margineLaterale, s.marginePlotSinistro);
    if (!q.intero16(
            c.intervalloVertici, s.IntervalloVertexPLine, [](double v) { return v >= 1; },
            "Fattore di precisione di rappresentazione delle curve di livello errato! (>0)"))
        return false;

    // The earthwork fields (an empty field keeps its value): the regular interval is none
    // (0) or at least the minimum spacing.
    auto campo = [&](const std::string& testo, float& dove, auto ammesso, const char* messaggio) {
        return testo.empty() || q.numero(testo, dove, ammesso, messaggio);
    };
    const double minima = s.DistazaMinimaSezioni;
    if (!campo(
            c.intervalloRegolare, s.IntervalloSezioniRegolari, [minima](double v) { return v == 0 || v >= minima; },
            "Intervallo delle sezioni regolari errato! (0 oppure >= distanza minima tra sezioni)"))
        return false;
    if (!campo(
            c.rigonfiamento, s.FattoreRigonfiamento, [](double v) { return v > 0; },
            "Fattore di rigonfiamento errato! (>0)"))
        return false;
    if (!campo(
            c.costipamento, s.FattoreCostipamento, [](double v) { return v > 0; },
            "Fattore di costipamento errato! (>0)"))
        return false;
    if (!campo(
            c.trasportoFranco, s.DistanzaTrasportoFranco, [](double v) { return v >= 0; },
            "Distanza di trasporto franco errata! (>=0)"))
        return false;
    const double franco = s.DistanzaTrasportoFranco;
    if (!campo(
            c.trasportoEconomico, s.DistanzaTrasportoEconomico, [franco](double v) { return v == 0 || v >= franco; },
            "Limite di trasporto economico errato! (0 oppure >= trasporto franco)"))
        return false;
    if (!campo(
            c.rapportoCosti, s.RapportoCostoPrestitoTrasporto, [](double v) { return v >= 0; },
            "Rapporto tra i costi errato! (>=0)"))
        return false;

    // Last, the plan points grid's row count shown on the "Disegno" tab.
    if (!q.intero16(
            c.puntiPiano, s.numeroPuntiPianoQDefault, [](double v) { return v >= 1 && v < 30000; },
            "Numero predefinito dei punti del terreno errato! (>0 <30000)"))
        return false;
    return true;
}

// The text of a whole number moved by one, or the text unchanged when it is no number.
std::string sposta(const std::string& testo, bool su, int minimoPerScendere) {
    int32_t v;
    if (!leggiIntero32(testo, v)) return testo;
    if (su) return v < INT32_MAX ? intero(static_cast<int64_t>(v) + 1) : testo;
    return v >= minimoPerScendere ? intero(static_cast<int64_t>(v) - 1) : testo;
}

}  // namespace

CampiImpostazioni campiDaImpostazioni(const Impostazioni& s, const Vista& vista, int altezzaCanvas) {
    CampiImpostazioni c;
    c.angoli = unitaDi(s.AngoloPiatto);
    c.scalaDisegno = testoNumero(vista.scala);
    const double scala = vista.scala > 0 ? vista.scala : 1.0;
    c.ascissaOrigine = testoNumero(static_cast<float>(-static_cast<double>(vista.offsetX) / scala));
    c.ordinataOrigine = testoNumero(static_cast<float>((static_cast<double>(vista.offsetY) - altezzaCanvas) / scala));
    c.fileBackup = s.UtilizzaFileBackUp;
    c.autoSave = s.AbilitaAutoSave;
    c.intervalloAutoSave = intero(s.IntervalloAutoSave);
    c.scalaVolumi = testoNumero(s.fattoreScalaVolumi);
    c.sezioniPerColonna = intero(s.SezioniPerColonnaDXF);
    c.interasseSezioni = testoNumero(s.InterasseColonnaDXF);
    c.intervalloColonne = testoNumero(s.IntervalloColonnaDXF);
    c.puntiTerrenoSezione = intero(s.numPuntiTerrenoDefault);
    c.sezioniProfilo = intero(s.numSezioniProfiloDefault);
    c.curveProfilo = intero(s.numeroCurveProfiloDefault);
    c.raggioMinimo = testoNumero(s.RaggioMinimoCurve);
    c.picchettiCurva = intero(s.PicchettiCurva);
    c.larghezzaStrada = testoNumero(s.LarghezzaDefaultStrada);
    c.scarpataSterro = formatta(s.InclinazioneScarpataSterro, "###0.0000");
    c.scarpataRiporto = formatta(s.InclinazioneScarpataRiporto, "###0.0000");
    c.distanzaRicerca = testoNumero(s.DistazaRicercaIntersezioni);
    c.muro = s.MuroSezione;
    c.mantieniQuote = s.MantieniQuoteDraw;
    c.intervalloVertici = intero(s.IntervalloVertexPLine);
    c.puntiPiano = intero(s.numeroPuntiPianoQDefault);
    c.dimensioneQuote = testoNumero(s.DimensioneQuote);
    c.scalaStampa = testoNumero(s.fattoreScalaPlot);
    c.margineLaterale = testoNumero(s.marginePlotSinistro);
    c.margineSuperiore = testoNumero(s.marginePlotSuperiore);
    c.larghezzaIndividuale = s.UsaLarghezzaIndividuale != 0;
    c.distanzaMinimaSezioni = testoNumero(s.DistazaMinimaSezioni);
    c.intervalloRegolare = testoNumero(s.IntervalloSezioniRegolari);
    c.rigonfiamento = testoNumero(s.FattoreRigonfiamento);
    c.costipamento = testoNumero(s.FattoreCostipamento);
    c.trasportoFranco = testoNumero(s.DistanzaTrasportoFranco);
    c.trasportoEconomico = testoNumero(s.DistanzaTrasportoEconomico);
    c.rapportoCosti = testoNumero(s.RapportoCostoPrestitoTrasporto);
    return c;
}

std::string frecciaIntervallo(const std::string& testo, bool su) { return sposta(testo, su, 2); }
std::string frecciaSezioniPerColonna(const std::string& testo, bool su) { return sposta(testo, su, 1); }

bool applicaImpostazioni(const CampiImpostazioni& campi, Workspace& ws, Canvas& canvas, Host& host) {
    const bool tutti = applicaCampi(campi, ws, canvas.altezza(), host);
    // What was applied before a refused field stays, and is saved.
    salvaTutteImpostazioni(ws);
    ridisegna(ws, canvas, host);
    return tutti;
}

}  // namespace carvela
