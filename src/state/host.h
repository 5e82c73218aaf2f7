#pragma once
// Everything the program asks of the desktop: message boxes, the input box, file dialogs,
// the progress window, cursors, pages. The Qt layer implements it; tests use FakeHost,
// which records the calls and answers dialogs from a script.
#include <cstdint>
#include <string>

namespace carvela {

enum class Pulsanti { Ok, OkAnnulla, SiNo, SiNoAnnulla };
enum class Icona { Informazione, Avviso, Domanda, Critico };
enum class Risposta { Ok, Annulla, Si, No };

// The data pages and windows the commands open.
enum class Pagina {
    PuntiPiano,          // insertPuntiPQ
    CoordinateAsse,      // FormCoodPoligoAsse
    Profilo,             // InsertProfilo
    TipoProfilo,         // impostaProfilo
    Sezione,             // InsertSezione
    TabellaVolumi,       // TalbellaPaleggi
    PoligonaleAperta,    // InsertPoligoAperta
    PoligonaleChiusa,    // InsertPoligoChiusa
    Triangolazione,      // InsertPoligoTriangolaz
    IntersezioneAvanti,  // IntersezAvanti
    IntersezionePotheno, // IntersezPotheno
    IntersezioneHansen,  // IntersezHansen
    Impostazioni,        // FormImpostazioni
    Informazioni,        // FormInfo
    RicavaDxf,           // FormRicavaDXF
    Vista3D,             // vista3dax
    Autocomposizione,    // frmWizard (not modal)
};

class Host {
public:
    virtual ~Host() = default;

    // A message box with the exact text; the default icon is information, OK only.
    virtual Risposta messaggio(const std::string& testo, Pulsanti pulsanti = Pulsanti::Ok,
                               Icona icona = Icona::Informazione, const std::string& titolo = "Carvela") = 0;
    // The input box; an empty text when the user cancels.
    virtual std::string inputBox(const std::string& domanda, const std::string& titolo,
                                 const std::string& proposta) = 0;
    // File dialogs take the filter as the program writes it ("Nome (*.ext) | *.EXT|...");
    // an empty path means the user cancelled.
    virtual std::string apriFile(const std::string& filtro, const std::string& titolo) = 0;
    virtual std::string salvaFile(const std::string& proposta, const std::string& filtro,
                                  const std::string& titolo) = 0;
    virtual void impostaStampante() = 0;

    // Progress window (FormWait).
    virtual void mostraAttesa() = 0;
    virtual void CaptionLabel(const std::string& testo) = 0;
    virtual void ImpostaBarra(int16_t massimo) = 0;
    virtual void AggiornaSatoBarra(int32_t posizione) = 0;
    virtual void chiudiAttesa() = 0;

    virtual void cursoreAttesa(bool attivo) = 0;
    virtual void beep() = 0;

    // Opens a page (modal, except the wizard) and returns when it closes.
    virtual void apriPagina(Pagina pagina) = 0;

    // The main window caption.
    virtual std::string titolo() const = 0;
    virtual void impostaTitolo(const std::string& testo) = 0;

    // Starts the system-information program; false when none is available.
    virtual bool avviaInfoSistema() = 0;

    // "&Esci": asks the main window to close (which asks for confirmation).
    virtual void richiediChiusura() = 0;
};

// The usual progress pattern: maximum = count / 10 and position = item / 10, rounded.
int16_t barraPerConteggio(int64_t conteggio);
int32_t posizionePerElemento(int64_t elemento);

}  // namespace carvela
