#include "shell/file_commands.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "graphics/canvas.h"
#include "graphics/plan_drawing.h"
#include "graphics/road_drawings.h"
#include "project/project_files.h"
#include "shell/host.h"
#include "shell/undo.h"
#include "shell/workspace.h"
#include "survey/survey_drawings.h"

namespace carvela {
namespace {

const char* const kErroreApertura = "Errore di apertura del file!";

// What the document shown is saved as.
struct Salvataggio {
    std::string* nomeFile;  // the NomeFile... that remembers it
    const char* titolo;
    const char* filtro;
    const char* estensione;
};

bool salvataggioPer(Workspace& ws, Salvataggio& s) {
    switch (ws.TipoDocumento) {
    case kDocProfilo:
        s = {&ws.NomeFilePro, "Salva file di Profilo", "File di Profilo (*.pro) | *.PRO", ".pro"};
        return true;
    case kDocSezione:
        s = {&ws.NomeFileSez, "Salva file di Sezione", "File di Sezione (*.sez) | *.SEZ", ".sez"};
        return true;
    // The volume diagram has no file of its own: the plan file carries the whole road project.
    case kDocDiagramma:
    case kDocPianta:
        s = {&ws.NomeFilePln, "Salva file di Planimetria", "File di Planimetria (*.pln) | *.PLN", ".pln"};
        return true;
    // A traverse is read back only as .pla or .plc, so each is offered under its own extension.
    case kDocPoligonaleAperta:
        s = {&ws.NomeFilePla, "Salva file di Poligonale", "File di poligonale (*.pla) | *.PLA", ".pla"};
        return true;
    case kDocPoligonaleChiusa:
        s = {&ws.NomeFilePlc, "Salva file di Poligonale", "File di poligonale (*.plc) | *.PLC", ".plc"};
        return true;
    case kDocTriangolazione:
        s = {&ws.NomeFileTrn, "Salva file di triangolazioone", "File di triangolazioone (*.trn) | *.TRN", ".trn"};
        return true;
    default: return false;
    }
}

// A name that does not end in the kind's extension gets it, so the file opens again as
// what it is.
std::string conEstensione(std::string path, const std::string& estensione) {
    auto minuscolo = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    if (path.size() < estensione.size() || minuscolo(path.substr(path.size() - estensione.size())) != estensione)
        path += estensione;
    return path;
}

std::string scriviDocumento(Workspace& ws, const std::string& path) {
    const bool backup = ws.impostazioni.UtilizzaFileBackUp;
    switch (ws.TipoDocumento) {
    case kDocProfilo: return scriviRecord(path, ws.Profilo, backup);
    case kDocSezione: {
        FileSezioni f;
        f.Versione = 1;
        f.Sezioni = ws.Sezioni;
        return scriviRecord(path, f, backup);
    }
    case kDocDiagramma:
    case kDocPianta:
        // The plan file holds the road project as it is now.
        ws.Piano.SezioniApplicate = ws.Sezioni;
        ws.Piano.ProfiloApplicato = ws.Profilo;
        ws.Piano.PaleggiApplicati = ws.Paleggi;
        return scriviRecord(path, ws.Piano, backup);
    case kDocPoligonaleAperta: return scriviRecord(path, ws.PoligonaleAperta, backup);
    case kDocPoligonaleChiusa: return scriviRecord(path, ws.PoligonaleChiusa, backup);
    case kDocTriangolazione: return scriviRecord(path, ws.Triangolazione, backup);
    default: return "nessun documento";
    }
}

// Writes the document shown; with `chiedi` (or no file yet) the save dialog chooses the
// name first. Automatic saves never ask and never speak.
bool salva(Workspace& ws, Host& host, bool chiedi, bool automatico) {
    struct InCorso {
        bool& flag;
        bool prima;
        ~InCorso() { flag = prima; }
    } inCorso{ws.salvataggioInCorso, ws.salvataggioInCorso};
    ws.salvataggioInCorso = true;
    Salvataggio s;
    if (!salvataggioPer(ws, s)) {
        if (!automatico) host.messaggio("Nessun documento da salvare!");
        return false;
    }
    std::string path = *s.nomeFile;
    if (chiedi || path.empty()) {
        if (automatico) return false;
        path = host.salvaFile(*s.nomeFile, s.filtro, s.titolo);
        if (path.empty()) return false;
        path = conEstensione(path, s.estensione);
    }
    const std::string errore = scriviDocumento(ws, path);
    if (!errore.empty()) {
        if (!automatico) host.messaggio("Errore di salvataggio del file " + path + ": " + errore + ".");
        return false;
    }
    if (*s.nomeFile != path) {
        *s.nomeFile = path;
        host.impostaTitolo("Carvela [ " + path + " ]");
    }
    return true;
}

}  // namespace

bool apriFileProgetto(Workspace& ws, Canvas& canvas, Host& host, const std::string& path) {
    // The document shown is emptied before the name is even looked at.
    resetDocumento(ws);
    host.impostaTitolo("Carvela");
    canvas.clear();

    bool letto = false;
    std::string* nomeFile = nullptr;
    switch (tipoFileDaNome(path)) {
    case TipoFile::Pln:
        letto = leggiFilePiano(path, ws.Piano, ws.Sezioni, ws.Paleggi, ws.Profilo);
        nomeFile = &ws.NomeFilePln;
        if (letto) {
            ws.TipoDocumento = kDocPianta;
            disegnaPianta(ws, canvas, host);
        }
        break;
    case TipoFile::Pro:
        letto = leggiRecord(path, ws.Profilo);
        nomeFile = &ws.NomeFilePro;
        if (letto) {
            ws.TipoDocumento = kDocProfilo;
            disegnaProfilo(ws, canvas, host);
        }
        break;
    case TipoFile::Sez:
        letto = leggiFileSezioni(path, ws.Sezioni);
        nomeFile = &ws.NomeFileSez;
        if (letto) {
            // A current section left over from a longer list would grow empty sections.
            if (ws.SezioneCorrente < 1 || ws.SezioneCorrente > ws.Sezioni.upperBound()) ws.SezioneCorrente = 1;
            ws.TipoDocumento = kDocSezione;
            disegnaSezione(ws, canvas, host, sezioneCorrente(ws));
        }
        break;
    case TipoFile::Pla:
        letto = leggiRecord(path, ws.PoligonaleAperta);
        nomeFile = &ws.NomeFilePla;
        if (letto) {
            ws.TipoDocumento = kDocPoligonaleAperta;
            disegnaPoligonaleAperta(ws, canvas, host);
        }
        break;
    case TipoFile::Plc:
        letto = leggiRecord(path, ws.PoligonaleChiusa);
        nomeFile = &ws.NomeFilePlc;
        if (letto) {
            ws.TipoDocumento = kDocPoligonaleChiusa;
            disegnaPoligonaleChiusa(ws, canvas, host);
        }
        break;
    case TipoFile::Trn:
        letto = leggiRecord(path, ws.Triangolazione);
        nomeFile = &ws.NomeFileTrn;
        if (letto) {
            ws.TipoDocumento = kDocTriangolazione;
            disegnaTriangolazione(ws, canvas, host);
        }
        break;
    case TipoFile::Sconosciuto: host.messaggio("Tipo di file sconosciuto!"); return false;
    }
    if (!letto) {
        host.messaggio(kErroreApertura);
        return false;
    }
    *nomeFile = path;
    host.impostaTitolo(host.titolo() + " [ " + path + " ]");
    // A project read from a file starts its own history; a failed open stays undoable.
    if (ws.storia) ws.storia->svuota();
    return true;
}

void comandoApri(Workspace& ws, Canvas& canvas, Host& host) {
    const std::string path = host.apriFile(kFiltroApri, kTitoloApri);
    if (path.empty()) return;
    apriFileProgetto(ws, canvas, host, path);
}

void comandoSalva(Workspace& ws, Host& host, bool conNome) { salva(ws, host, conNome, false); }

bool salvaAutomatico(Workspace& ws, Host& host) { return salva(ws, host, false, true); }

void tickAutoSave(Workspace& ws, Host& host) {
    // A tick that arrives while a save is still running (a dialog is open) waits its turn.
    if (ws.salvataggioInCorso) return;
    // With automatic saving off the count stops at its top instead of wrapping round.
    if (ws.contatoreAutoSave < INT16_MAX) ++ws.contatoreAutoSave;
    if (!ws.impostazioni.AbilitaAutoSave || ws.contatoreAutoSave <= ws.impostazioni.IntervalloAutoSave) return;
    salvaAutomatico(ws, host);
    ws.periodoTimerMs = 60000;
    ws.contatoreAutoSave = 0;
}

}  // namespace carvela
