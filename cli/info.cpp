// carvela-cli info FILE [--json]: the kind of a project file and its main counts.
#include <cctype>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "cli_commands.h"
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

bool descrivi(const std::string& path, std::string& tipo, Voci& voci) {
    switch (tipoFileDaNome(path)) {
    case TipoFile::Pln: {
        Planimetria p;
        VbArray<Sezione> sezioni;
        TabellaPaleggi paleggi;
        Profilo profilo;
        if (!leggiFilePiano(path, p, sezioni, paleggi, profilo)) return false;
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
        Profilo p;
        if (!leggiRecord(path, p)) return false;
        tipo = "Profilo";
        voci = vociProfilo(p, "");
        return true;
    }
    case TipoFile::Sez: {
        FileSezioni f;
        if (!leggiRecord(path, f)) return false;
        tipo = "Sezioni";
        voci = {{"sezioni", dati(f.Sezioni)}};
        return true;
    }
    case TipoFile::Pla: {
        OpenTraverse t;
        if (!leggiRecord(path, t)) return false;
        tipo = "Poligonale aperta";
        voci = {{"stazioni", t.NumeroStazioni}};
        return true;
    }
    case TipoFile::Plc: {
        ClosedTraverse t;
        if (!leggiRecord(path, t)) return false;
        tipo = "Poligonale chiusa";
        voci = {{"stazioni", t.NumeroStazioni}};
        return true;
    }
    case TipoFile::Trn: {
        TriangulationChain t;
        if (!leggiRecord(path, t)) return false;
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
    if (tipoFileDaNome(path) == TipoFile::Sconosciuto) {
        std::cerr << "Tipo di file sconosciuto!\n";
        return 1;
    }
    std::string tipo;
    Voci voci;
    if (!descrivi(path, tipo, voci)) {
        std::cerr << "Errore di apertura del file!\n";
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
