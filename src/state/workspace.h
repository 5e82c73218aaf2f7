#pragma once
// The whole state of one running program: the project records, the settings and the view.
// The program owns one; tests build their own.
#include <cstdint>
#include <string>

#include "project/records.h"
#include "state/lettura_dxf.h"
#include "state/settings.h"
#include "state/view.h"

namespace carvela {
class Storia;

struct Workspace {
    Planimetria Piano;
    Planimetria PianoBackup;  // taken when axis tracing starts
    VbArray<Sezione> Sezioni;
    int32_t SezioneCorrente = 1;
    ::carvela::Profilo Profilo;
    TabellaPaleggi Paleggi;
    OpenTraverse PoligonaleAperta;
    ClosedTraverse PoligonaleChiusa;
    TriangulationChain Triangolazione;
    VbArray<DxfEntity> DxfDrawing;
    LetturaDxf LetturaDisegno;                // what the reader saw in DxfDrawing, memory only
    RiconoscimentoDxf RiconoscimentoDisegno;  // what its last recognition made, memory only
    uint8_t TipoDocumento = kDocNessuno;

    std::string NomeFilePln, NomeFilePro, NomeFileSez, NomeFilePla, NomeFilePlc, NomeFileTrn;

    VbArray<CentroCurva> CentriCurve;  // per point of AsseTracciato, memory only

    Impostazioni impostazioni;
    Vista vista;

    // Changes of the project: every command that changes the records calls segnaModifica;
    // open, save and the emptying of a document make the project unmodified again.
    uint64_t versioneProgetto = 0;  // grows at every change
    uint64_t versioneSalvata = 0;   // versioneProgetto when last opened or saved

    int16_t contatoreAutoSave = 0;    // ticks since the last automatic save
    int32_t periodoTimerMs = 10000;   // period of the automatic-save timer
    int16_t wizardAttivo = 0;         // -1 while the project wizard is open
    bool salvataggioInCorso = false;  // a save is running (its dialog may be open)

    // Where "save all" writes the settings; none in tests that do not look at it.
    SettingsStore* archivioImpostazioni = nullptr;
    // The undo history of the changing commands; none where nothing is undone (the batch tool).
    Storia* storia = nullptr;

    Workspace() { Sezioni.redim(1); }
};

// The modified flag. A command that changes the project calls segnaModifica(ws) once it
// has changed it; the program shows progettoModificato(ws) in the caption and asks before
// discarding; a successful open or save calls segnaSalvato(ws).
inline void segnaModifica(Workspace& ws) { ++ws.versioneProgetto; }
inline void segnaSalvato(Workspace& ws) { ws.versioneSalvata = ws.versioneProgetto; }
inline bool progettoModificato(const Workspace& ws) { return ws.versioneProgetto != ws.versioneSalvata; }

// Empties what TipoDocumento designates, forgets the files it came from, sets TipoDocumento
// to 0 and leaves the project unmodified (the "new" of the main window; callers ask first).
void resetDocumento(Workspace& ws);

// "Save all" of the settings: every key into the workspace's store, when it has one.
void salvaTutteImpostazioni(Workspace& ws);

// Convenience: the current section, grown into existence when the index lies beyond the list.
Sezione& sezioneCorrente(Workspace& ws);

}  // namespace carvela
