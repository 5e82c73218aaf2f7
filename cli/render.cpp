// carvela-cli render: draws a document of a plan file into a PNG picture.
#include <algorithm>
#include <iostream>
#include <string>

#include "cli_commands.h"
#include "console_host.h"
#include "graphics/png_writer.h"
#include "graphics/raster_canvas.h"
#include "graphics/redraw.h"
#include "graphics/view_ops.h"
#include "project/project_files.h"
#include "project/vbtext.h"
#include "state/settings.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela::cli {
namespace {

constexpr int kLatoMassimo = 20000;  // pixels; larger pictures are refused

bool leggiLato(const std::string& testo, int& out) {
    int32_t v = 0;
    if (!leggiIntero32(testo, v) || v < 1 || v > kLatoMassimo) return false;
    out = v;
    return true;
}

// The drawing extent grown to the picture's proportions (and a small margin), so the
// "&Estensione" arithmetic shows all of it, centred.
void adattaAllaFinestra(Workspace& ws, RasterCanvas& canvas, ConsoleHost& host) {
    Vista& v = ws.vista;
    if (v.riavvioEstensione == -1) return;  // nothing was drawn
    double x1 = v.estMinX, x2 = v.estMaxX, y1 = v.estMinY, y2 = v.estMaxY;
    const double margine = 0.02 * std::max(x2 - x1, y2 - y1);
    x1 -= margine;
    x2 += margine;
    y1 -= margine;
    y2 += margine;
    const double W = canvas.larghezza(), H = canvas.altezza();
    const double w = x2 - x1, h = y2 - y1;
    if (w * H >= h * W) {
        const double nuova = w * H / W, cresce = (nuova - h) / 2;
        y1 -= cresce;
        y2 += cresce;
    } else {
        const double nuova = h * W / H, cresce = (nuova - w) / 2;
        x1 -= cresce;
        x2 += cresce;
    }
    salvaVista(v);
    if (zoomFinestraSu(ws, canvas, host, x1, y1, x2, y2)) ridisegna(ws, canvas, host);
}

}  // namespace

int render(const Argomenti& args) {
    std::vector<std::string> posizionali;
    int larghezza = 1600, altezza = 1000;
    std::string documento = "plan";
    int32_t sezione = 1;
    Impostazioni impostazioni;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool haValore = i + 1 < args.size();
        if (a == "--width" && haValore) {
            if (!leggiLato(args[++i], larghezza)) {
                std::cerr << "render: larghezza non valida (1.." << kLatoMassimo << ")\n";
                return 2;
            }
        } else if (a == "--height" && haValore) {
            if (!leggiLato(args[++i], altezza)) {
                std::cerr << "render: altezza non valida (1.." << kLatoMassimo << ")\n";
                return 2;
            }
        } else if (a == "--doc" && haValore) {
            documento = args[++i];
        } else if (a == "--section" && haValore) {
            if (!leggiIntero32(args[++i], sezione) || sezione < 1) {
                std::cerr << "render: numero di sezione non valido\n";
                return 2;
            }
        } else if (a == "--set" && haValore) {
            const std::string kv = args[++i];
            const auto uguale = kv.find('=');
            if (uguale == std::string::npos || !impostaChiave(impostazioni, kv.substr(0, uguale), kv.substr(uguale + 1))) {
                std::cerr << "render: impostazione non valida: " << kv << '\n';
                return 2;
            }
        } else if (!a.empty() && a[0] == '-' && a.size() > 1) {
            std::cerr << "render: opzione sconosciuta: " << a << '\n';
            return 2;
        } else {
            posizionali.push_back(a);
        }
    }
    if (posizionali.size() != 2) {
        std::cerr << "Uso: carvela-cli render FILE.pln OUT.png [--width W --height H] "
                     "[--doc plan|profile|section|diagram] [--section N]\n";
        return 2;
    }
    uint8_t tipo = kDocPianta;
    if (documento == "profile") {
        tipo = kDocProfilo;
    } else if (documento == "section") {
        tipo = kDocSezione;
    } else if (documento == "diagram") {
        tipo = kDocDiagramma;
    } else if (documento != "plan") {
        std::cerr << "render: documento sconosciuto: " << documento << '\n';
        return 2;
    }

    Workspace ws;
    ws.impostazioni = impostazioni;
    ConsoleHost host;
    if (!leggiFilePiano(posizionali[0], ws.Piano, ws.Sezioni, ws.Paleggi, ws.Profilo)) {
        std::cerr << "render: impossibile leggere il file di planimetria " << posizionali[0] << '\n';
        return 1;
    }
    if (tipo == kDocSezione) {
        if (sezione > ws.Sezioni.upperBound()) {
            std::cerr << "render: la sezione " << sezione << " non esiste\n";
            return 1;
        }
        ws.SezioneCorrente = sezione;
    }

    RasterCanvas canvas(larghezza, altezza);
    inizializzaVista(ws.vista, canvas);
    // Once to find the extent, then again fitted to the picture.
    ridisegnaTipo(ws, canvas, host, tipo);
    adattaAllaFinestra(ws, canvas, host);

    const std::string errore = scriviPng(posizionali[1], larghezza, altezza, canvas.rgb());
    if (!errore.empty()) {
        std::cerr << "render: " << errore << '\n';
        return 1;
    }
    return 0;
}

}  // namespace carvela::cli
