#include "shell/commands.h"

#include <cmath>
#include <functional>
#include <map>

#include "dxf/dxf_commands.h"
#include "dxf/landxml.h"
#include "graphics/canvas_mouse.h"
#include "graphics/redraw.h"
#include "graphics/road_command.h"
#include "graphics/road_drawings.h"
#include "graphics/view_ops.h"
#include "plan/axis.h"
#include "plan/mesh.h"
#include "profile/ascii_profile.h"
#include "profile/profile_solve.h"
#include "project/vbtext.h"
#include "sections/section_solve.h"
#include "shell/file_commands.h"
#include "state/host.h"
#include "state/undo.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

const char* const kFiltroProfiloAscii = "File di profilo longituinale ASCII (*.pro) | *.PRO";
const char* const kAssenzaPlanimetria = "Assenza di dati: nessuna planimetria presa in esame!";
const char* const kDefinireProfilo = "Definire le caratteristiche del profilo longitudinale del terreno.";

bool scalaUsabile(float scala) { return std::isfinite(scala) && scala > 1e-30f && scala < 1e30f; }

// The commands whose redraw keeps the view (every other redraw fits it to the drawing).
bool comandoDiVista(std::string_view nome) {
    return nome == "ZoomX2" || nome == "ZoomMeta" || nome == "FattoreScala" || nome == "zoomFinestra" ||
           nome == "vistaPrecedente" || nome == "zoomEstenzione" || nome == "pan" || nome == "tracciaAsse" ||
           nome == "correggiSegmento";
}

}  // namespace

void Comandi::nuovoProgetto() {
    if (!confermaAbbandono(ws_, host_)) return;
    resetDocumento(ws_);
    host_.impostaTitolo("Carvela");
    canvas_.clear();
    ws_.vista.offsetX = 0;
    ws_.vista.offsetY = static_cast<float>(canvas_.altezza());
}

void Comandi::fattoreScala() {
    std::string risposta = host_.inputBox("Inserire il fattore di scala:", "Viste", testoNumero(ws_.vista.scala));
    float scala;
    if (risposta.empty() || !leggiFloat(risposta, scala)) return;
    // A scale of zero or below would fold the drawing onto one point and the pointer
    // coordinates into infinities.
    if (!(scala > 0)) {
        host_.messaggio("Fattore di scala errato!");
        return;
    }
    salvaVista(ws_.vista);
    ws_.vista.scala = scala;
    ridisegna(ws_, canvas_, host_);
}

// The toolbar zooms about the canvas's top-left pixel: the offsets follow the scale.
void Comandi::zoomToolbar(float fattore) {
    salvaVista(ws_.vista);
    MantieniVista mantieni(ws_.vista);
    // Repeated zooms stop where single precision would overflow or vanish.
    const float scala = ws_.vista.scala * fattore;
    const float ox = ws_.vista.offsetX * fattore;
    const float oy = ws_.vista.offsetY * fattore;
    if (scalaUsabile(scala) && std::isfinite(ox) && std::isfinite(oy)) {
        ws_.vista.scala = scala;
        ws_.vista.offsetX = ox;
        ws_.vista.offsetY = oy;
    }
    ridisegna(ws_, canvas_, host_);
}

// The menu zooms change the scale only.
void Comandi::zoomMenu(float fattore) {
    salvaVista(ws_.vista);
    const float scala = ws_.vista.scala * fattore;
    if (scalaUsabile(scala)) ws_.vista.scala = scala;
    ridisegna(ws_, canvas_, host_);
}

bool Comandi::esegui(std::string_view nome) {
    Workspace& ws = ws_;
    Canvas& canvas = canvas_;
    Host& host = host_;
    auto pagina = [&](Pagina p) { return [&host, p] { host.apriPagina(p); }; };
    auto tipo = [&](uint8_t t) { return [&ws, &canvas, &host, t] { ridisegnaTipo(ws, canvas, host, t); }; };
    // Commands that change the records mark the change (see segnaModifica).
    auto modifica = [&ws](const std::function<void()>& comando) {
        return [&ws, comando] {
            comando();
            segnaModifica(ws);
        };
    };

    const std::map<std::string_view, std::function<void()>> tabella = {
        // File
        {"nuovoProgetto", [this] { nuovoProgetto(); }},
        {"apriFileProg", [&] { comandoApri(ws, canvas, host); }},
        {"AutoSalva", [&] { comandoSalva(ws, host, false); }},
        {"salvaConNome", [&] { comandoSalva(ws, host, true); }},
        {"ImportDXFin",
         [&] {
             if (confermaAbbandono(ws, host)) comandoImportaDxf(ws, canvas, host);
         }},
        {"importaOldProfilo",
         [&] {
             std::string path = host.apriFile(kFiltroProfiloAscii, "Apri file di profilo longituinale ASCII");
             if (path.empty()) return;
             if (!importaProfiloAscii(path, ws.Profilo, host)) return;
             segnaModifica(ws);
             disegnaProfilo(ws, canvas, host);
         }},
        {"exportDXFsezione", [&] { comandoEsportaDxf(ws, canvas, host); }},
        {"esportaLandXML", [&] { comandoEsportaLandXml(ws, canvas, host); }},
        {"importaAsseLandXML", modifica([&] { comandoImportaAsseLandXml(ws, canvas, host); })},
        {"espotraOldProfilo",
         [&] {
             std::string path = host.salvaFile(ws.Profilo.Origine, kFiltroProfiloAscii,
                                               "Esporta file di profilo longituinale ASCII");
             if (path.empty()) return;
             ws.Profilo.Origine = path;
             esportaProfiloAscii(path, ws.Profilo, host);
         }},
        {"impostazioni", pagina(Pagina::Impostazioni)},
        {"impostaStampa", [&] { host.impostaStampante(); }},
        {"esci", [&] { host.richiediChiusura(); }},
        // Calcola
        {"insertPianoQ", pagina(Pagina::PuntiPiano)},
        {"reticolaPiano", modifica([&] { comandoReticolo(ws, canvas, host); })},
        {"correggiSegmento",
         [&] {
             if (ws.TipoDocumento != kDocPianta) {
                 host.messaggio(kAssenzaPlanimetria);
                 return;
             }
             ws.vista.modoSelezione = 2;
         }},
        {"RigenPlanim", tipo(kDocPianta)},
        {"calcSez", pagina(Pagina::Sezione)},
        {"risolviSezione",
         [&] {
             if (ws.TipoDocumento != kDocSezione) {
                 host.messaggio("Assenza di dati: nessuna sezione presa in esame!");
                 return;
             }
             risolviSezione(sezioneCorrente(ws), ws.impostazioni);
             segnaModifica(ws);
             disegnaSezione(ws, canvas, host, sezioneCorrente(ws));
         }},
        {"calcProfilo", pagina(Pagina::Profilo)},
        {"impostaTipoProfilo",
         [&] {
             if (ws.TipoDocumento != kDocProfilo) {
                 host.messaggio(kDefinireProfilo);
                 return;
             }
             host.apriPagina(Pagina::TipoProfilo);
         }},
        {"RisolviPR",
         [&] {
             if (ws.TipoDocumento != kDocProfilo) {
                 host.messaggio(std::string("Dati di profilo assenti! ") + kDefinireProfilo);
                 return;
             }
             std::vector<int> nonRisolte;
             risolviProfilo(ws.Profilo, &nonRisolte);
             segnaModifica(ws);
             if (!nonRisolte.empty()) {
                 std::string elenco;
                 for (int g : nonRisolte) elenco += (elenco.empty() ? "" : ", ") + std::to_string(g);
                 host.messaggio("Livellette non risolte (lunghezza nulla o dati incompatibili): " + elenco);
             }
             disegnaProfilo(ws, canvas, host);
         }},
        {"RigenProfilo", tipo(kDocProfilo)},
        {"tabellaVolumiPal", pagina(Pagina::TabellaVolumi)},
        {"RicavaDaDXF",
         [&] {
             if (ws.TipoDocumento != kDocDxf) {
                 host.messaggio("Non è stato importato il disegno DXF!");
                 return;
             }
             host.apriPagina(Pagina::RicavaDxf);
         }},
        // Strada
        {"autocompStr",
         [&] {
             if (confermaAbbandono(ws, host)) host.apriPagina(Pagina::Autocomposizione);
         }},
        {"tracciaAsse",
         [&] {
             // The whole trace is one step, closed when tracing ends.
             if (ws.storia && ws.vista.modoAsse == 0) ws.storia->inizia(ws, 0);
             iniziaTracciamentoAsse(ws, canvas, host);
         }},
        {"asseCoord",
         [&] {
             if (ws.vista.modoAsse != 0) return;  // not while tracing
             host.apriPagina(Pagina::CoordinateAsse);
         }},
        {"assePoligo", modifica([&] { importaAsse(ws, canvas, host, false); })},
        {"asseTriangolazione", modifica([&] { importaAsse(ws, canvas, host, true); })},
        {"InvertiSM",
         [&] {
             if (!invertiAsse(ws, host)) return;
             segnaModifica(ws);
             calcolaTracciato(ws, canvas, host);
         }},
        {"ricavaProfilo",
         [&] {
             segnaModifica(ws);
             calcolaTracciato(ws, canvas, host);
         }},
        // Modifica / Viste
        {"ZoomX2", [this] { zoomMenu(2.0f); }},
        {"ZoomMeta", [this] { zoomMenu(0.5f); }},
        {"FattoreScala", [this] { fattoreScala(); }},
        {"zoomFinestra",
         [&] {
             disarmaModi(ws.vista);
             salvaVista(ws.vista);
             ws.vista.modoZoom = 1;
         }},
        {"vistaPrecedente",
         [&] {
             vistaPrecedente(ws.vista);
             ridisegna(ws, canvas, host);
         }},
        {"zoomEstenzione", [&] { zoomEstensione(ws, canvas, host); }},
        {"pan",
         [&] {
             disarmaModi(ws.vista);
             salvaVista(ws.vista);
             ws.vista.modoPan = 1;
         }},
        {"vista3D", pagina(Pagina::Vista3D)},
        {"annulla", [this] { annullaORipeti(true); }},
        {"ripeti", [this] { annullaORipeti(false); }},
        // Topografia
        {"poliAperta", pagina(Pagina::PoligonaleAperta)},
        {"poliChiusa", pagina(Pagina::PoligonaleChiusa)},
        {"intAvanti", pagina(Pagina::IntersezioneAvanti)},
        {"intPotheno", pagina(Pagina::IntersezionePotheno)},
        {"intHansen", pagina(Pagina::IntersezioneHansen)},
        {"triangola", pagina(Pagina::Triangolazione)},
        // ?
        {"guida", [] {}},
        {"SysInfo",
         [&] {
             if (!host.avviaInfoSistema()) host.messaggio("Informazioni di sistema non disponibili in questo momento");
         }},
        {"informazioni", pagina(Pagina::Informazioni)},
    };
    auto it = tabella.find(nome);
    if (it == tabella.end()) return false;
    // A pan or zoom window left armed would take the clicks meant for what comes next.
    if (!(comandoDiVista(nome) && nome != "tracciaAsse" && nome != "correggiSegmento")) disarmaModi(ws.vista);
    const int64_t parti = partiComando(nome);
    if (comandoDiVista(nome)) {
        MantieniVista mantieni(ws.vista);
        it->second();
    } else if (parti >= 0) {
        PassoStoria passo(ws, static_cast<uint32_t>(parti));
        it->second();
    } else {
        it->second();
    }
    return true;
}

void Comandi::annullaORipeti(bool annulla) {
    // Undo while tracing abandons the trace, as Esc does.
    if (annulla && ws_.vista.modoAsse != 0) {
        annullaModo(ws_, canvas_, host_);
        return;
    }
    if (ws_.storia == nullptr) return;
    const uint8_t prima = ws_.TipoDocumento;
    if (!(annulla ? ws_.storia->annulla(ws_) : ws_.storia->ripeti(ws_))) {
        host_.beep();
        return;
    }
    // The same document keeps its view; another one is shown whole.
    if (ws_.TipoDocumento == prima) {
        MantieniVista mantieni(ws_.vista);
        ridisegna(ws_, canvas_, host_);
    } else if (ws_.TipoDocumento == kDocNessuno) {
        canvas_.clear();
    } else {
        ridisegna(ws_, canvas_, host_);
    }
}

bool Comandi::eseguiPulsante(std::string_view chiave) {
    if (chiave == "icoNew") return esegui("nuovoProgetto");
    if (chiave == "icoOpen") return esegui("apriFileProg");
    if (chiave == "icoSave") return esegui("AutoSalva");
    if (chiave == "icoZoom") return esegui("zoomFinestra");
    if (chiave == "icoZX2") {
        zoomToolbar(2.0f);
        return true;
    }
    if (chiave == "icoZ05") {
        zoomToolbar(0.5f);
        return true;
    }
    if (chiave == "icoPan") return esegui("pan");
    if (chiave == "icoView") return esegui("zoomEstenzione");
    if (chiave == "icoUndo") return esegui("vistaPrecedente");
    if (chiave == "icoDraw") {
        MantieniVista mantieni(ws_.vista);
        ridisegna(ws_, canvas_, host_);
        return true;
    }
    if (chiave == "icoPC") return esegui("impostazioni");
    if (chiave == "icoHelp") return true;
    if (chiave == "icoInfo") return esegui("informazioni");
    return false;
}

bool Comandi::eseguiNodo(std::string_view tag) {
    if (tag == "OP1001") return esegui("RigenPlanim");
    if (tag == "OP1002") return esegui("insertPianoQ");
    if (tag == "OP2001") return esegui("RigenProfilo");
    if (tag == "OP2002") return esegui("calcProfilo");
    if (tag == "OP2003") return esegui("impostaTipoProfilo");
    if (tag == "OP3001") return esegui("calcSez");
    if (tag == "OP4001") {
        ridisegnaTipo(ws_, canvas_, host_, kDocDiagramma);
        return true;
    }
    if (tag == "OP4002") return esegui("tabellaVolumiPal");
    if (tag == "OP5001") return esegui("poliAperta");
    if (tag == "OP5002") return esegui("poliChiusa");
    if (tag == "OP5003") return esegui("triangola");
    if (tag == "OP6001") return esegui("intAvanti");
    if (tag == "OP6002") return esegui("intPotheno");
    if (tag == "OP6003") return esegui("intHansen");
    return false;
}

std::vector<std::string> Comandi::nomiMenu() {
    return {"nuovoProgetto", "apriFileProg", "AutoSalva", "salvaConNome", "ImportDXFin", "importaOldProfilo",
            "importaAsseLandXML", "exportDXFsezione", "espotraOldProfilo", "esportaLandXML", "impostazioni", "impostaStampa", "esci", "insertPianoQ",
            "reticolaPiano", "correggiSegmento", "RigenPlanim", "calcSez", "risolviSezione", "calcProfilo",
            "impostaTipoProfilo", "RisolviPR", "RigenProfilo", "tabellaVolumiPal", "RicavaDaDXF", "autocompStr",
            "tracciaAsse", "asseCoord", "assePoligo", "asseTriangolazione", "InvertiSM", "ricavaProfilo",
            "ZoomX2", "ZoomMeta", "FattoreScala", "zoomFinestra", "vistaPrecedente", "zoomEstenzione", "pan",
            "vista3D", "annulla", "ripeti", "poliAperta", "poliChiusa", "intAvanti", "intPotheno", "intHansen", "triangola", "guida",
            "SysInfo", "informazioni"};
}

}  // namespace carvela
