#pragma once
// The whole state of one running program: the project records, the settings and the view.
// The program owns one; tests build their own.
#include <cstdint>
#include <string>

#include "dxf/dxf_lettura.h"
#include "graphics/view.h"
#include "project/records.h"
#include "shell/settings.h"

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

// Empties what TipoDocumento designates and sets it to 0 (the "new" of the main window).
void resetDocumento(Workspace& ws);

// "Save all" of the settings: every key into the workspace's store, when it has one.
void salvaTutteImpostazioni(Workspace& ws);

// Convenience: the current section, grown into existence when the index lies beyond the list.
Sezione& sezioneCorrente(Workspace& ws);

}  // namespace carvela
