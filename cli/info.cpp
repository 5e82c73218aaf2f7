// carvela-cli info FILE [--json]: the kind of a project file, a DXF drawing or an ASCII
// profile, and its main counts, so every reader can be driven without windows.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli_commands.h"
#include "console_host.h"
#include "dxf/dxf_reader.h"
#include "profile/ascii_profile.h"
#include "project/project_files.h"
#include "project/records.h"

#ifdef CARVELA_HAVE_JSON
#include <nlohmann/json.hpp>
#endif

namespace carvela::cli {
namespace {

using Voci = std::vector<std::pair<std::string, long long>>;

// Elements from position 1 on: what the windows show of a list.
template <class A>
long long dati(const A& a) {
    return a.upperBound() > 0 ? a.upperBound() : 0;
}

Voci vociProfilo(const Profilo& p, const std::string& prefisso) {
    return {{prefisso + "sezioni", p.NumeroSezioni},
            {prefisso + "livellette", p.NumeroLivellette},
            {prefisso + "curve", p.NumeroCurve},
            {prefisso + "metodo livellette", p.MetodoLivellette}};
}

bool estensioneDxf(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".dxf";
}

// Both profile kinds end in .pro: a stored profile starts with its version 1 as two bytes,
// 01 00, which no text file does.
bool profiloBinario(const std::string& path) {
    char inizio[2] = {};
    std::ifstream in(path, std::ios::binary);
    return in.read(inizio, 2) && inizio[0] == 1 && inizio[1] == 0;
}

bool descriviDxf(const std::string& path, std::string& tipo, Voci& voci, std::string& errore) {
    ConsoleHost host;
    VbArray<DxfEntity> disegno;
    LimitiDxf limiti;
    LetturaDxf lettura;
    if (!leggiFileDxf(path, disegno, limiti, host, &lettura)) {
        errore = messaggioLetturaDxf(lettura.esito);
        return false;
    }
    tipo = "Disegno DXF";
    std::set<std::string> layer;
    for (int32_t i = 1; i <= disegno.upperBound(); ++i) layer.insert(disegno[i].Layer);
    // Vertices and sequence ends are parts of their polyline: the counts are of drawing objects.
    long long entita = 0;
    for (const auto& t : lettura.tipi) entita += t.second;
    voci = {{"entità", entita}, {"layer", static_cast<long long>(layer.size())}};
    for (const auto& [nome, n] : lettura.tipi) voci.push_back({nome, n});
    voci.push_back({"entità nei blocchi", lettura.entitaBlocchi});
    voci.push_back({"inserimenti di blocchi", lettura.inserimenti});
    voci.push_back({"polilinee scartate", lettura.polilineeScartate()});
    voci.push_back({"limiti del disegno", limiti.completi() ? 1 : 0});
    return true;
}

bool descriviProfiloAscii(const std::string& path, std::string& tipo, Voci& voci, std::string& errore) {
    ConsoleHost host;
    Profilo p;
    if (!importaProfiloAscii(path, p, host)) {
        if (!host.messaggi.empty()) errore = host.messaggi.front();
        return false;
    }
    tipo = "Profilo ASCII";
    voci = vociProfilo(p, "");
    return true;
}

bool descrivi(const std::string& path, std::string& tipo, Voci& voci, std::string& errore) {
    if (estensioneDxf(path)) return descriviDxf(path, tipo, voci, errore);
    switch (tipoFileDaNome(path)) {
    case TipoFile::Pln: {
        Planimetria p;
        VbArray<Sezione> sezioni;
        TabellaPaleggi paleggi;
        Profilo profilo;
        if (!leggiFilePiano(path, p, sezioni, paleggi, profilo, &errore)) return false;
        tipo = "Planimetria";
        voci = {{"punti", p.NumeroPunti},
                {"curve di livello", p.NumeroCurveLivello},
                {"segmenti del reticolo", dati(p.SegmentiReticolo)},
                {"vertici asse", dati(p.VerticiAsse)},
                {"punti asse", p.NumeroPuntiAsse},
                {"stazioni", p.NumeroIntersezioni},
                {"sezioni", dati(sezioni)}};
        for (auto& v : vociProfilo(profilo, "profilo: ")) voci.push_back(v);
        voci.push_back({"righe tabella dei volumi", paleggi.NumeroPunti});
        return true;
    }
    case TipoFile::Pro: {
        if (!std::ifstream(path, std::ios::binary)) return false;
        if (!profiloBinario(path)) return descriviProfiloAscii(path, tipo, voci, errore);
        Profilo p;
        if (!leggiRecord(path, p, &errore)) return false;
        tipo = "Profilo";
        voci = vociProfilo(p, "");
        return true;
    }
    case TipoFile::Sez: {
        FileSezioni f;
        if (!leggiRecord(path, f, &errore)) return false;
        tipo = "Sezioni";
        voci = {{"sezioni", dati(f.Sezioni)}};
        return true;
    }
    case TipoFile::Pla: {
        OpenTraverse t;
        if (!leggiRecord(path, t, &errore)) return false;
        tipo = "Poligonale aperta";
        voci = {{"stazioni", t.NumeroStazioni}};
        return true;
    }
    case TipoFile::Plc: {
        ClosedTraverse t;
        if (!leggiRecord(path, t, &errore)) return false;
        tipo = "Poligonale chiusa";
        voci = {{"stazioni", t.NumeroStazioni}};
        return true;
    }
    case TipoFile::Trn: {
        TriangulationChain t;
        if (!leggiRecord(path, t, &errore)) return false;
        tipo = "Triangolazione";
        voci = {{"triangoli", t.NumeroTriangoli}};
        return true;
    }
    case TipoFile::Sconosciuto: break;
    }
    return false;
}

}  // namespace

int info(const Argomenti& args) {
    std::string path;
    bool json = false;
    for (const std::string& a : args) {
        if (a == "--json")
            json = true;
        else if (path.empty())
            path = a;
        else {
            std::cerr << "Uso: carvela-cli info FILE [--json]\n";
            return 2;
        }
    }
    if (path.empty()) {
        std::cerr << "Uso: carvela-cli info FILE [--json]\n";
        return 2;
    }
    if (tipoFileDaNome(path) == TipoFile::Sconosciuto && !estensioneDxf(path)) {
        std::cerr << "Tipo di file sconosciuto!\n";
        return 1;
    }
    std::string tipo, errore;
    Voci voci;
    if (!descrivi(path, tipo, voci, errore)) {
        std::cerr << (errore.empty() ? "Errore di apertura del file!" : errore) << '\n';
        return 1;
    }
#ifdef CARVELA_HAVE_JSON
    if (json) {
        nlohmann::ordered_json j;
        j["file"] = path;
        j["tipo"] = tipo;
        for (const auto& [nome, valore] : voci) j[nome] = valore;
        std::cout << j.dump(2) << '\n';
        return 0;
    }
#else
    if (json) {
        std::cerr << "Uscita JSON non disponibile in questa versione.\n";
        return 2;
    }
#endif
    std::cout << "File: " << path << '\n' << "Tipo: " << tipo << '\n';
    for (const auto& [nome, valore] : voci)
        std::cout << char(std::toupper(nome[0])) << nome.substr(1) << ": " << valore << '\n';
    return 0;
}

}  // namespace carvela::cli
