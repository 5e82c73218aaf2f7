// carvela-cli compute (traverse and triangulation files) and intersect (the three
// point-location problems).
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "console_host.h"
#include "project/origine.h"
#include "project/project_files.h"
#include "project/vbtext.h"
#include "state/settings.h"
#include "survey/intersections.h"
#include "survey/traverse.h"
#include "survey/triangulation.h"

namespace carvela::cli {
namespace {

// The shortest text that reads back as the same single-precision value, point decimal.
std::string numero(float v) {
    if (!std::isfinite(v)) return "nan";
    char buf[64];
    auto fine = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr;
    return std::string(buf, fine);
}

// A record coordinate made true by its origin: with origin 0 the value's own text, as ever;
// otherwise the true value to a tenth of a millimetre.
std::string coordinata(float v, double origine) {
    if (origine == 0 || !std::isfinite(v)) return numero(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", origine + v);
    return buf;
}

// A true coordinate computed in double, to a tenth of a millimetre.
std::string millimetro(double v) {
    if (!std::isfinite(v)) return "nan";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

// Splits "--set KEY=VALUE" (or "--set=KEY=VALUE") options from the plain arguments.
bool separaOpzioni(const Argomenti& args, Argomenti& valori, Impostazioni& impostazioni) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string coppia;
        if (args[i] == "--set") {
            if (i + 1 >= args.size()) {
                std::cerr << "Opzione --set senza valore\n";
                return false;
            }
            coppia = args[++i];
        } else if (args[i].rfind("--set=", 0) == 0) {
            coppia = args[i].substr(6);
        } else {
            valori.push_back(args[i]);
            continue;
        }
        const auto uguale = coppia.find('=');
        if (uguale == std::string::npos ||
            !impostaChiave(impostazioni, coppia.substr(0, uguale), coppia.substr(uguale + 1))) {
            std::cerr << "Impostazione non valida: " << coppia << '\n';
            return false;
        }
    }
    return true;
}

void riepilogo(const OpenTraverse& p) {
    const OrigineProgetto o = leggiOrigine(p.Origine);
    std::cout << "Poligonale aperta: " << p.NumeroStazioni << " stazioni, lunghezza totale "
              << numero(p.LunghezzaTotale) << '\n';
    for (int i = 1; i <= p.NumeroStazioni; ++i)
        std::cout << "P" << i << " X=" << coordinata(p.Ascissa.get(i), o.est)
                  << " Y=" << coordinata(p.Ordinata.get(i), o.nord) << " Q=" << numero(p.Quota.get(i)) << '\n';
}

void riepilogo(const ClosedTraverse& p) {
    const OrigineProgetto o = leggiOrigine(p.Origine);
    std::cout << "Poligonale chiusa: " << p.NumeroStazioni << " vertici, perimetro " << numero(p.Perimetro) << '\n'
              << "Somma angoli=" << numero(p.SommaAngoli) << " errore angolare=" << numero(p.ErroreAngolare)
              << " correzione=" << numero(p.Correzione) << '\n'
              << "fx=" << numero(p.ErroreAscissa) << " fy=" << numero(p.ErroreOrdinata)
              << " errore lineare=" << numero(p.ErroreLineare) << '\n';
    for (int i = 1; i <= p.NumeroStazioni; ++i)
        std::cout << "P" << i << " X=" << coordinata(p.Ascissa.get(i), o.est)
                  << " Y=" << coordinata(p.Ordinata.get(i), o.nord) << " Q=" << numero(p.Quota.get(i))
                  << " azimut=" << numero(p.Azimut.get(i)) << '\n';
}

void riepilogo(const TriangulationChain& c) {
    const OrigineProgetto o = leggiOrigine(c.Origine);
    std::cout << "Triangolazione: " << c.NumeroTriangoli << " triangoli, " << c.NumeroTriangoli + 2 << " vertici\n";
    for (int v = 0; v <= c.NumeroTriangoli + 1; ++v)
        std::cout << "P" << v + 1 << " X=" << coordinata(c.X.get(v), o.est) << " Y=" << coordinata(c.Y.get(v), o.nord)
                  << " azimut=" << numero(c.Azimut.get(v)) << " distanza=" << numero(c.Distanza.get(v)) << '\n';
}

template <class Record, class Prepara, class Calcola>
int calcolaFile(const std::string& in, const std::string& out, const Impostazioni& impostazioni, Prepara prepara,
                Calcola calcola) {
    Record record;
    if (!leggiRecord(in, record)) {
        std::cerr << "Impossibile leggere il file " << in << '\n';
        return 1;
    }
    ConsoleHost host;
    prepara(record);
    if (!calcola(record, impostazioni.AngoloPiatto, host)) return 1;
    const std::string errore = scriviRecord(out, record, false);
    if (!errore.empty()) {
        std::cerr << "Impossibile scrivere il file " << out << ": " << errore << '\n';
        return 1;
    }
    riepilogo(record);
    return 0;
}

}  // namespace

int compute(const Argomenti& args) {
    Argomenti valori;
    Impostazioni impostazioni;
    if (!separaOpzioni(args, valori, impostazioni)) return 2;
    if (valori.size() != 2) {
        std::cerr << "Uso: carvela-cli compute IN OUT [--set AngoloPiatto=200]\n";
        return 2;
    }
    const std::string &in = valori[0], &out = valori[1];
    switch (tipoFileDaNome(in)) {
    case TipoFile::Pla:
        return calcolaFile<OpenTraverse>(in, out, impostazioni, preparaPoligonaleAperta, calcolaPoligonaleAperta);
    case TipoFile::Plc:
        return calcolaFile<ClosedTraverse>(in, out, impostazioni, preparaPoligonaleChiusa, calcolaPoligonaleChiusa);
    case TipoFile::Trn:
        return calcolaFile<TriangulationChain>(in, out, impostazioni, preparaTriangolazione, calcolaTriangolazione);
    default: std::cerr << "compute accetta solo file .pla, .plc e .trn: " << in << '\n'; return 2;
    }
}

int intersect(const Argomenti& args) {
    Argomenti valori;
    Impostazioni impostazioni;
    if (!separaOpzioni(args, valori, impostazioni)) return 2;
    const std::string tipo = valori.empty() ? std::string() : valori[0];
    const std::size_t attesi = tipo == "forward" ? 6 : tipo == "pothenot" || tipo == "hansen" ? 8 : 0;
    if (attesi == 0 || valori.size() != attesi + 1) {
        std::cerr << "Uso: carvela-cli intersect forward Xa Ya Xb Yb alfa beta\n"
                     "     carvela-cli intersect pothenot Xa Ya Xb Yb Xc Yc alfa beta\n"
                     "     carvela-cli intersect hansen Xa Ya Xb Yb alfa alfa1 beta beta1\n"
                     "     (angoli nell'unità di AngoloPiatto; --set AngoloPiatto=200 per i gradi centesimali)\n";
        return 2;
    }
    // Read, solved and printed in double: coordinates relative to an origin near the known
    // points, so a figure in national grid coordinates keeps the millimetre.
    std::vector<double> v(attesi);
    for (std::size_t i = 0; i < attesi; ++i)
        if (!leggiNumero(valori[i + 1], v[i])) {
            std::cerr << "Tipo di dati non corretto! (" << valori[i + 1] << ")\n";
            return 1;
        }
    const std::size_t punti = tipo == "pothenot" ? 3 : 2;
    double minE = v[0], maxE = v[0], minN = v[1], maxN = v[1];
    for (std::size_t i = 0; i < punti; ++i) {
        minE = std::min(minE, v[2 * i]), maxE = std::max(maxE, v[2 * i]);
        minN = std::min(minN, v[2 * i + 1]), maxN = std::max(maxN, v[2 * i + 1]);
    }
    const OrigineProgetto o = scegliOrigine(minE, minN, maxE, maxN);
    for (std::size_t i = 0; i < punti; ++i) v[2 * i] -= o.est, v[2 * i + 1] -= o.nord;
    const float U = impostazioni.AngoloPiatto;
    EsitoIntersezione esito;
    if (tipo == "forward") esito = intersezioneAvanti(v[0], v[1], v[2], v[3], v[4], v[5], U);
    if (tipo == "pothenot") esito = intersezionePotheno(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], U);
    if (tipo == "hansen") esito = intersezioneHansen(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], U);
    if (!esito.riuscito()) {
        std::cerr << esito.errore << '\n';
        return 1;
    }
    std::cout << "Xp = " << millimetro(o.est + esito.Xp) << "\nYp = " << millimetro(o.nord + esito.Yp) << '\n';
    if (tipo == "hansen")
        std::cout << "Xq = " << millimetro(o.est + esito.Xq) << "\nYq = " << millimetro(o.nord + esito.Yq) << '\n';
    return 0;
}

}  // namespace carvela::cli
