#include "shell/file_commands.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "graphics/plan_drawing.h"
#include "graphics/road_drawings.h"
#include "project/project_files.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/undo.h"
#include "state/workspace.h"
#include "survey/survey_drawings.h"

namespace carvela {
namespace {

const char* const kErroreApertura = "Errore di apertura del file!";
const char* const kDomandaModifiche = "Il progetto è stato modificato. Salvare le modifiche?";

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
    segnaSalvato(ws);
    return true;
}

// The document of the file read into `ws` (a copy made for the purpose); false when the
// file is not one of its kind, with the damage found in `motivo` when there is one to tell.
// Nothing is drawn here: the copy is not shown yet.
bool leggiDocumento(Workspace& ws, TipoFile tipo, const std::string& path, std::string& motivo) {
    switch (tipo) {
    case TipoFile::Pln:
        if (!leggiFilePiano(path, ws.Piano, ws.Sezioni, ws.Paleggi, ws.Profilo, &motivo)) return false;
        ws.TipoDocumento = kDocPianta;
        ws.NomeFilePln = path;
        return true;
    case TipoFile::Pro:
        if (!leggiRecord(path, ws.Profilo, &motivo)) return false;
        ws.TipoDocumento = kDocProfilo;
        ws.NomeFilePro = path;
        return true;
    case TipoFile::Sez:
        if (!leggiFileSezioni(path, ws.Sezioni, &motivo)) return false;
        // A current section left over from a longer list would grow empty sections.
        if (ws.SezioneCorrente < 1 || ws.SezioneCorrente > ws.Sezioni.upperBound()) ws.SezioneCorrente = 1;
        ws.TipoDocumento = kDocSezione;
        ws.NomeFileSez = path;
        return true;
    case TipoFile::Pla:
        if (!leggiRecord(path, ws.PoligonaleAperta, &motivo)) return false;
        ws.TipoDocumento = kDocPoligonaleAperta;
        ws.NomeFilePla = path;
        return true;
    case TipoFile::Plc:
        if (!leggiRecord(path, ws.PoligonaleChiusa, &motivo)) return false;
        ws.TipoDocumento = kDocPoligonaleChiusa;
        ws.NomeFilePlc = path;
        return true;
    case TipoFile::Trn:
        if (!leggiRecord(path, ws.Triangolazione, &motivo)) return false;
        ws.TipoDocumento = kDocTriangolazione;
        ws.NomeFileTrn = path;
        return true;
    case TipoFile::Sconosciuto: break;
    }
    return false;
}

}  // namespace

bool confermaAbbandono(Workspace& ws, Host& host) {
    if (!progettoModificato(ws)) return true;
    switch (host.messaggio(kDomandaModifiche, Pulsanti::SiNoAnnulla, Icona::Domanda)) {
    case Risposta::Si: return salva(ws, host, false, false);
    case Risposta::No: return true;
    default: return false;
    }
}

bool confermaChiusura(Workspace& ws, Host& host) {
    if (progettoModificato(ws)) return confermaAbbandono(ws, host);
    return host.messaggio("Confermate la chiusura del programma?", Pulsanti::OkAnnulla, Icona::Domanda, "Carvela") ==
           Risposta::Ok;
}

bool apriFileProgetto(Workspace& ws, Canvas& canvas, Host& host, const std::string& path) {
    const TipoFile tipo = tipoFileDaNome(path);
    if (tipo == TipoFile::Sconosciuto) {
        host.messaggio("Tipo di file sconosciuto!");
        return false;
    }
    // The file is read into a copy emptied as the open empties the document shown: a file
    // that cannot be read leaves the work in memory as it was. No file holds the imported
    // drawing, which may be hundreds of megabytes: it is set aside instead of copied, and goes
    // back to the work on failure, or into the copy when its emptying keeps it.
    struct DisegnoDaParte {
        Workspace& ws;
        VbArray<DxfEntity> disegno = std::move(ws.DxfDrawing);
        bool reso = false;
        ~DisegnoDaParte() {
            if (!reso) ws.DxfDrawing = std::move(disegno);
        }
    } daParte{ws};
    Workspace letto = ws;
    letto.DxfDrawing.redim(0);  // a mark the emptying erases when it empties the drawing
    resetDocumento(letto);
    const bool tieneDisegno = letto.DxfDrawing.isDimensioned();
    std::string motivo;
    if (!leggiDocumento(letto, tipo, path, motivo)) {
        ws.DxfDrawing = std::move(daParte.disegno);
        daParte.reso = true;
        host.messaggio(motivo.empty() ? std::string(kErroreApertura) : kErroreApertura + std::string("\n") + motivo);
        return false;
    }
    letto.DxfDrawing = tieneDisegno ? std::move(daParte.disegno) : VbArray<DxfEntity>();
    daParte.reso = true;
    daParte.disegno = VbArray<DxfEntity>();
    ws = std::move(letto);
    segnaSalvato(ws);
    ws.contatoreAutoSave = 0;
    host.impostaTitolo("Carvela");
    canvas.clear();
    switch (ws.TipoDocumento) {
    case kDocPianta: disegnaPianta(ws, canvas, host); break;
    case kDocProfilo: disegnaProfilo(ws, canvas, host); break;
    case kDocSezione: disegnaSezione(ws, canvas, host, sezioneCorrente(ws)); break;
    case kDocPoligonaleAperta: disegnaPoligonaleAperta(ws, canvas, host); break;
    case kDocPoligonaleChiusa: disegnaPoligonaleChiusa(ws, canvas, host); break;
    case kDocTriangolazione: disegnaTriangolazione(ws, canvas, host); break;
    default: break;
    }
    host.impostaTitolo(host.titolo() + " [ " + path + " ]");
    // A project read from a file starts its own history; a failed open stays undoable.
    if (ws.storia) ws.storia->svuota();
    return true;
}

void comandoApri(Workspace& ws, Canvas& canvas, Host& host) {
    if (!confermaAbbandono(ws, host)) return;
    const std::string path = host.apriFile(kFiltroApri, kTitoloApri);
    if (path.empty()) return;
    apriFileProgetto(ws, canvas, host, path);
}

void comandoSalva(Workspace& ws, Host& host, bool conNome) { salva(ws, host, conNome, false); }

bool salvaAutomatico(Workspace& ws, Host& host) { return salva(ws, host, false, true); }

std::string tickAutoSave(Workspace& ws, Host& host) {
    // A tick that arrives while a save is still running (a dialog is open) waits its turn.
    if (ws.salvataggioInCorso) return {};
    // With automatic saving off the count stops at its top instead of wrapping round.
    if (ws.contatoreAutoSave < INT16_MAX) ++ws.contatoreAutoSave;
    if (!ws.impostazioni.AbilitaAutoSave) return {};
    // The interval is in minutes, whatever the timer's period.
    const int64_t trascorsi = int64_t{ws.contatoreAutoSave} * std::max(ws.periodoTimerMs, 1);
    if (trascorsi < int64_t{std::max(ws.impostazioni.IntervalloAutoSave, 1)} * 60000) return {};
    ws.contatoreAutoSave = 0;
    // Only work not yet on disk, and only to the file it came from.
    Salvataggio s;
    if (!progettoModificato(ws) || !salvataggioPer(ws, s) || s.nomeFile->empty()) return {};
    return salvaAutomatico(ws, host) ? *s.nomeFile : std::string();
}

}  // namespace carvela
