// carvela-cli road CONTOURS.dxf AXIS.txt OUTDIR [--set KEY=VALUE]... [--entities POLYLINE|LINE]
//                   [--layer NAME] [--json]
// carvela-cli road CONTOURS.dxf --axis-landxml AXIS.xml OUTDIR ...
// The road chain without windows: the contour lines of a drawing, the axis of a text file,
// the road computation, then the project, the drawings, the volume table and pictures.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "console_host.h"
#include "dxf/dxf_commands.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_road_exports.h"
#include "dxf/dxf_writer.h"
#include "dxf/landxml.h"
#include "graphics/plan_drawing.h"
#include "graphics/png_writer.h"
#include "graphics/raster_canvas.h"
#include "graphics/road_command.h"
#include "graphics/road_drawings.h"
#include "project/codepage.h"
#include "project/coordinate.h"
#include "project/origine.h"
#include "project/project_files.h"
#include "project/text_export.h"
#include "project/vbtext.h"
#include "sections/earthwork.h"
#include "sections/mass_diagram.h"
#include "sections/mass_diagram_drawing.h"
#include "sections/volumes.h"
#include "state/settings.h"
#include "state/view.h"
#include "state/workspace.h"

#ifdef CARVELA_HAVE_JSON
#include <nlohmann/json.hpp>
#endif

namespace carvela::cli {
namespace {

struct OpzioniStrada {
    std::string dxf, asse, cartella;
    std::string asseLandXml;  // the axis from a LandXML alignment instead of a text file
    std::vector<std::pair<std::string, std::string>> impostazioni;
    std::string entita = "POLYLINE";
    std::string layer;
    bool json = false;
};

int uso(const std::string& errore) {
    std::cerr << errore
              << "\nUso: carvela-cli road CURVE.dxf ASSE.txt CARTELLA [--set CHIAVE=VALORE]... "
                 "[--entities POLYLINE|LINE] [--layer NOME] [--json]\n"
                 "     carvela-cli road CURVE.dxf --axis-landxml ASSE.xml CARTELLA ...\n";
    return 2;
}

bool leggiOpzioni(const Argomenti& args, OpzioniStrada& o, std::string& errore) {
    std::vector<std::string> posizionali;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto valore = [&](std::string& dest) {
            if (i + 1 >= args.size()) {
                errore = "Manca il valore di " + a + ".";
                return false;
            }
            dest = args[++i];
            return true;
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--set") {
            std::string kv;
            if (!valore(kv)) return false;
            const auto uguale = kv.find('=');
            if (uguale == std::string::npos || uguale == 0) {
                errore = "Impostazione non valida: " + kv + " (atteso CHIAVE=VALORE).";
                return false;
            }
            o.impostazioni.emplace_back(kv.substr(0, uguale), kv.substr(uguale + 1));
        } else if (a == "--entities") {
            if (!valore(o.entita)) return false;
            if (o.entita != "POLYLINE" && o.entita != "LINE") {
                errore = "Tipo di entità non valido: " + o.entita + " (POLYLINE o LINE).";
                return false;
            }
        } else if (a == "--layer") {
            if (!valore(o.layer)) return false;
        } else if (a == "--axis-landxml") {
            if (!valore(o.asseLandXml)) return false;
        } else if (a.rfind("--", 0) == 0) {
            errore = "Opzione sconosciuta: " + a + ".";
            return false;
        } else {
            posizionali.push_back(a);
        }
    }
    if (!o.asseLandXml.empty()) {
        if (posizionali.size() != 2) {
            errore = "Con --axis-landxml servono il file DXF delle curve di livello e la cartella di uscita.";
            return false;
        }
        o.dxf = posizionali[0], o.cartella = posizionali[1];
        return true;
    }
    if (posizionali.size() != 3) {
        errore = "Servono il file DXF delle curve di livello, il file dell'asse e la cartella di uscita.";
        return false;
    }
    o.dxf = posizionali[0], o.asse = posizionali[1], o.cartella = posizionali[2];
    return true;
}

// The axis file: one vertex per line, "x y" (blanks, tabs or a semicolon between), with the
// point or the comma as decimal separator; empty lines and lines starting with # are skipped.
// The coordinates are true ones: the plan's records take them less its origin.
bool leggiAsse(const std::string& path, std::vector<std::pair<double, double>>& vertici, std::string& errore) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        errore = "Impossibile aprire il file dell'asse " + path + ".";
        return false;
    }
    std::string riga;
    int numero = 0;
    while (std::getline(f, riga)) {
        ++numero;
        for (char& c : riga)
            if (c == ';' || c == '\t' || c == '\r') c = ' ';
        std::istringstream campi(riga);
        std::string sx, sy, altro;
        if (!(campi >> sx) || sx[0] == '#') continue;
        double x, y;
        if (!(campi >> sy) || (campi >> altro) || !leggiNumero(sx, x) || !leggiNumero(sy, y) || !std::isfinite(x) ||
            !std::isfinite(y) || std::fabs(x) > 1e9 || std::fabs(y) > 1e9) {
            errore = "File dell'asse non valido alla riga " + std::to_string(numero) + ": atteso \"x y\".";
            return false;
        }
        vertici.emplace_back(x, y);
    }
    return true;
}

// Draws once to learn the extent, then again with the view fitted to the picture.
void disegnaAdattato(Workspace& ws, RasterCanvas& canvas, const std::function<void()>& disegna) {
    Vista& v = ws.vista;
    v.scala = 1, v.offsetX = 0, v.offsetY = 0;
    riavviaEstensione(v);
    disegna();
    if (v.riavvioEstensione == -1) return;  // nothing drawn
    const double margine = 30;
    const double w = double(v.estMaxX) - v.estMinX, h = double(v.estMaxY) - v.estMinY;
    const double W = canvas.larghezza() - 2 * margine, H = canvas.altezza() - 2 * margine;
    double s = 1;
    if (w > 0 && h > 0)
        s = std::min(W / w, H / h);
    else if (w > 0)
        s = W / w;
    else if (h > 0)
        s = H / h;
    if (!std::isfinite(s) || s <= 0) s = 1;
    // Canvas points of this first drawing are (X, -Y): scale them and centre the extent.
    v.scala = static_cast<float>(s);
    v.offsetX = static_cast<float>(margine + (W - s * w) / 2 - s * v.estMinX);
    v.offsetY = static_cast<float>(margine + (H - s * h) / 2 - s * v.estMinY);
    disegna();
}

bool scriviImmagine(const std::string& path, const RasterCanvas& canvas, Host& host) {
    const std::string errore = scriviPng(path, canvas.larghezza(), canvas.altezza(), canvas.rgb());
    if (!errore.empty()) host.messaggio("Impossibile creare il file " + path + ": " + errore + ".");
    return errore.empty();
}

bool scriviTestoFile(const std::string& path, const std::string& testo, Host& host) {
    const std::string byte = utf8ToCp1252(testo);
    const std::string errore = scriviByteAtomico(path, byte, false);
    if (!errore.empty()) host.messaggio("Impossibile creare il file " + path + ": " + errore + ".");
    return errore.empty();
}

struct Riepilogo {
    int32_t stazioni = 0, nonRisolte = 0;
    double sterro = 0, riporto = 0, ordinataFinale = 0;
};

// Cut and fill volumes by average end areas, each on its own; unsolved sections count zero,
// as in the volume table.
Riepilogo riepiloga(const Workspace& ws) {
    Riepilogo r;
    r.stazioni = ws.Piano.NumeroIntersezioni;
    const int32_t n = std::min(r.stazioni, ws.Sezioni.upperBound());
    auto aree = [&](int32_t i, double& c, double& f) {
        const Sezione& s = ws.Sezioni[i];
        const bool valida = s.Risolta && std::isfinite(s.AreaSterro) && std::isfinite(s.AreaRiporto);
        c = valida ? s.AreaSterro : 0;
        f = valida ? -double(s.AreaRiporto) : 0;
    };
    for (int32_t i = 1; i <= n; ++i) {
        if (!ws.Sezioni[i].Risolta) ++r.nonRisolte;
        if (i == 1) continue;
        double c1, f1, c2, f2;
        aree(i - 1, c1, f1);
        aree(i, c2, f2);
        const double d = double(ws.Sezioni[i].Progressiva) - ws.Sezioni[i - 1].Progressiva;
        r.sterro += (c1 + c2) / 2 * d;
        r.riporto += (f1 + f2) / 2 * d;
    }
    r.ordinataFinale = ws.Paleggi.Ordinate.get(ws.Paleggi.NumeroPunti);
    return r;
}

#ifdef CARVELA_HAVE_JSON
// What the reader saw and the recognition made, as the report says it.
nlohmann::json jsonRiconoscimento(const LetturaDxf& l, const RiconoscimentoDxf& r) {
    nlohmann::json tipi = nlohmann::json::object();
    for (const auto& [tipo, n] : l.tipi) tipi[tipo] = n;
    return {{"versione", l.versione},
            {"entita", tipi},
            {"curve", r.curve},
            {"vertici", r.vertici},
            {"quota_minima", r.quotaMinima},
            {"quota_massima", r.quotaMassima},
            {"scartate",
             {{"senza_quota", r.senzaQuota},
              {"meno_di_due_vertici", l.pocheVertici + r.senzaSegmenti},
              {"arco_non_valido", l.bulgeNonValido},
              {"numero_vertici_errato", l.conteggioErrato},
              {"senza_seqend", l.senzaSeqend},
              {"entita_di_blocchi", l.entitaBlocchi},
              {"blocchi_inseriti", l.inserimenti}}},
            {"oltre_il_millimetro", disegnoOltreIlMillimetro(l)}};
}
#endif

}  // namespace

int road(const Argomenti& args) {
    OpzioniStrada o;
    std::string errore;
    if (!leggiOpzioni(args, o, errore)) return uso(errore);

    ConsoleHost host;
    Workspace ws;  // the defaults, never the stored settings of a user
    for (const auto& [chiave, valore] : o.impostazioni)
        if (!impostaChiave(ws.impostazioni, chiave, valore))
            return uso("Impostazione non valida: " + chiave + "=" + valore + ".");

    std::vector<std::pair<double, double>> vertici;
    AsseLandXml asseLandXml;
    if (o.asseLandXml.empty() ? !leggiAsse(o.asse, vertici, errore)
                              : !leggiFileAsseLandXml(o.asseLandXml, asseLandXml, errore)) {
        std::cerr << errore << '\n';
        return 1;
    }

    RasterCanvas canvas(1600, 1200);
    inizializzaVista(ws.vista, canvas);
    if (!ReadDxf(ws, host, o.dxf)) return 1;
    ws.TipoDocumento = kDocDxf;

    SceltaDxf scelta;
    scelta.progetto = TipoProgettoDxf::PianoQuotato;
    scelta.modo = o.layer.empty() ? ModoSelezioneDxf::Entita : ModoSelezioneDxf::Layer;
    scelta.layer = o.layer;
    scelta.tipo = o.entita;
    scelta.curveDaPolilinee = true;
    scelta.rilasciaDisegno = true;  // nothing after the contour lines needs the drawing
    if (!convertiProgettoDxf(ws, canvas, host, scelta)) {
        std::cerr << testoRiconoscimento(ws.LetturaDisegno, ws.RiconoscimentoDisegno) << '\n';
        return 1;
    }

    Planimetria& piano = ws.Piano;
    if (!o.asseLandXml.empty()) {
        applicaAsseLandXml(ws, asseLandXml);  // the document's radii go to the curve table
    } else {
        piano.VerticiAsse.redim(static_cast<int32_t>(vertici.size()));
        const OrigineProgetto origine = leggiOrigine(piano.Origine);
        for (std::size_t i = 0; i < vertici.size(); ++i)
            piano.VerticiAsse[static_cast<int32_t>(i + 1)] = {coordinataRecord(vertici[i].first, origine.est),
                                                              coordinataRecord(vertici[i].second, origine.nord), 0};
        piano.AsseTracciato = piano.VerticiAsse;
        piano.NumeroPuntiAsse = static_cast<int32_t>(vertici.size());
        piano.ProfiloApplicato.MetodoLivellette = 0;  // a new axis: a new profile
    }

    const bool calcolato = calcolaTracciato(ws, canvas, host);
    if (!calcolato || piano.NumeroIntersezioni < 1 || ws.Sezioni.upperBound() < 1) {
        if (host.messaggi.empty()) std::cerr << "Calcolo del tracciato stradale non riuscito.\n";
        return 1;
    }
    if (const std::string avviso = avvisoRaggiModificati(ws, asseLandXml); !avviso.empty())
        static_cast<Host&>(host).messaggio(avviso, Pulsanti::Ok, Icona::Avviso, "Carvela");

    std::error_code ec;
    std::filesystem::create_directories(o.cartella, ec);
    if (!std::filesystem::is_directory(o.cartella)) {
        std::cerr << "Impossibile creare la cartella " << o.cartella << ".\n";
        return 1;
    }
    auto in = [&](const char* nome) { return (std::filesystem::path(o.cartella) / nome).string(); };
    std::vector<std::string> scritti;
    bool ok = true;
    auto registra = [&](bool esito, const std::string& path) {
        ok = ok && esito;
        if (esito) scritti.push_back(path);
    };

    // The plan file holds the whole road project.
    piano.SezioniApplicate = ws.Sezioni;
    piano.ProfiloApplicato = ws.Profilo;
    piano.PaleggiApplicati = ws.Paleggi;
    const std::string pln = in("progetto.pln");
    const std::string erroreFile = scriviRecord(pln, piano, false);
    if (!erroreFile.empty())
        static_cast<Host&>(host).messaggio("Impossibile creare il file " + pln + ": " + erroreFile + ".");
    registra(erroreFile.empty(), pln);

    const Impostazioni& imp = ws.impostazioni;
    // The plan and the sections stream to their files: the plan of a large terrain is far
    // larger than the drawing it came from.
    registra(salvaDxf(
                 in("planimetria.dxf"), [&](FileAtomico* f) { return esportaPianta(piano, imp, f); }, host),
             in("planimetria.dxf"));
    registra(salvaDxf(in("profilo.dxf"), esportaProfilo(ws.Profilo), host), in("profilo.dxf"));
    registra(salvaDxf(
                 in("sezioni.dxf"), [&](FileAtomico* f) { return esportaSezioni(ws.Sezioni, imp, nullptr, f); }, host),
             in("sezioni.dxf"));
    registra(salvaDxf(in("diagramma.dxf"), esportaDiagramma(ws.Paleggi, parametriStrada(ws)), host),
             in("diagramma.dxf"));
    registra(esportaLandXml(piano, imp, in("progetto.xml"), host), in("progetto.xml"));
    const Griglia volumi = grigliaPaleggi(ws.Paleggi), totali = grigliaTotaliPaleggi(ws.Paleggi);
    registra(scriviTestoFile(in("volumi.txt"), testoEsportazione({&volumi, &totali}), host), in("volumi.txt"));
    // The earthwork report of the road, as `earthwork` gives it for a table, on the settings'
    // swell, shrink and haul distances.
    const Movimento movimento = calcolaMovimento(sezioniDaPaleggi(ws.Paleggi), parametriTerra(imp));
    registra(scriviTestoFile(in("movimento.txt"), testoMovimento(movimento), host), in("movimento.txt"));

    struct Immagine {
        const char* nome;
        int larghezza, altezza;
        std::function<void(Workspace&, Canvas&, Host&)> disegna;
    };
    const Immagine immagini[] = {
        {"planimetria.png", 1200, 900, [](Workspace& w, Canvas& c, Host& h) { disegnaPianta(w, c, h); }},
        {"profilo.png", 1800, 750, [](Workspace& w, Canvas& c, Host& h) { disegnaProfilo(w, c, h); }},
        {"diagramma.png", 1200, 900, [](Workspace& w, Canvas& c, Host& h) { disegnaDiagramma(w, c, h); }},
    };
    for (const Immagine& i : immagini) {
        RasterCanvas figura(i.larghezza, i.altezza);
        disegnaAdattato(ws, figura, [&] { i.disegna(ws, figura, host); });
        registra(scriviImmagine(in(i.nome), figura, host), in(i.nome));
    }

    const Riepilogo r = riepiloga(ws);
    const OrigineProgetto origine = leggiOrigine(piano.Origine);
    if (o.json) {
#ifdef CARVELA_HAVE_JSON
        nlohmann::json j = {{"origine", {{"est", origine.est}, {"nord", origine.nord}}},
                            {"riconoscimento", jsonRiconoscimento(ws.LetturaDisegno, ws.RiconoscimentoDisegno)},
                            {"stazioni", r.stazioni},
                            {"sezioni_non_risolte", r.nonRisolte},
                            {"sterro_totale", r.sterro},
                            {"riporto_totale", r.riporto},
                            {"ordinata_finale", r.ordinataFinale},
                            {"curve_di_livello", piano.NumeroCurveLivello},
                            {"movimento", jsonMovimento(movimento)},
                            {"file", scritti},
                            {"messaggi", host.messaggi}};
        std::cout << j.dump(2) << '\n';
#else
        std::cerr << "Uscita JSON non disponibile in questa compilazione.\n";
#endif
    } else {
        std::cout << testoRiconoscimento(ws.LetturaDisegno, ws.RiconoscimentoDisegno) << '\n'
                  << "Curve di livello: " << piano.NumeroCurveLivello << '\n'
                  << "Sezioni: " << r.stazioni << '\n'
                  << "Sezioni non risolte: " << r.nonRisolte << '\n'
                  << "Sterro totale: " << formatta(r.sterro, "###0.00") << " m3\n"
                  << "Riporto totale: " << formatta(r.riporto, "###0.00") << " m3\n"
                  << "Ordinata finale del diagramma: " << formatta(r.ordinataFinale, "###0.00") << " m3\n"
                  << "File scritti in " << o.cartella << ": " << scritti.size() << '\n';
    }
    return ok ? 0 : 1;
}

}  // namespace carvela::cli
