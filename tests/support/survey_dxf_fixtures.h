#pragma once
// Helpers of the survey and DXF tests: DXF text from short code/value lists, entities and
// drawn figures as one-line descriptions, a temporary folder, child processes.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iomanip>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dxf/dxf_reader.h"
#include "graphics/recording_canvas.h"
#include "support/sample_records.h"

namespace carvela::test {

// A record array holding the values from position 1 (position 0 cleared).
inline VbArray<float> lista(std::initializer_list<float> valori) {
    std::vector<float> v{0.0f};
    v.insert(v.end(), valori);
    VbArray<float> a;
    a.assignRaw(std::move(v));
    return a;
}

// DXF text from (code, value) pairs, code lines padded as most writers do.
inline std::string dxfDaCoppie(const std::vector<std::pair<int, std::string>>& coppie, const char* fine = "\n") {
    std::string s;
    for (const auto& [codice, valore] : coppie) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d", codice);
        s += buf + std::string(fine) + valore + fine;
    }
    return s;
}

// The same from "code value code value ...", a value with blanks in single quotes.
inline std::string dxf(const std::string& elenco, const char* fine = "\n") {
    std::istringstream in(elenco);
    std::vector<std::pair<int, std::string>> coppie;
    int codice;
    std::string valore;
    while (in >> codice >> std::quoted(valore, '\'')) coppie.emplace_back(codice, valore);
    return dxfDaCoppie(coppie, fine);
}

inline VbArray<DxfEntity> leggiDxf(const std::string& testo) {
    VbArray<DxfEntity> d;
    LimitiDxf l;
    convertiDxf(testo, d, l);
    return d;
}

// An entity in one line: name/layer, colour, then only the fields that are set.
inline std::string descrivi(const DxfEntity& e) {
    std::ostringstream s;
    s << std::setprecision(6) << e.Nome << (e.Layer.empty() ? "" : "/") << e.Layer << " c" << int(e.Colore);
    const std::pair<const char*, float> campi[] = {
        {"x1", e.X1},          {"y1", e.Y1}, {"z1", e.Z1}, {"x2", e.X2},
        {"y2", e.Y2},          {"z2", e.Z2}, {"r", e.R},   {"a1", e.AngoloIniziale},
        {"a2", e.AngoloFinale}};
    for (const auto& [nome, v] : campi)
        if (v != 0) s << ' ' << nome << '=' << v;
    if (e.FlagVertice) s << " v" << int(e.FlagVertice);
    if (e.FlagPolilinea) s << " p" << int(e.FlagPolilinea);
    if (!e.Testo.empty()) s << " '" << e.Testo << "'";
    return s.str();
}

// The descriptions of the entities from slot 1 of one name, or name/layer, or all of them.
inline std::vector<std::string> descrivi(const VbArray<DxfEntity>& d, const std::string& prefisso = "") {
    std::vector<std::string> out;
    for (int32_t i = 1; i <= d.upperBound(); ++i) {
        const std::string t = descrivi(d[i]);
        const char dopo = t.size() > prefisso.size() ? t[prefisso.size()] : 0;
        if (t.rfind(prefisso, 0) == 0 && (prefisso.empty() || dopo == ' ' || dopo == '/')) out.push_back(t);
    }
    return out;
}

// Lines, pixels and circles drawn (of one colour, or all): "L colour x1,y1 x2,y2",
// "P colour x,y", "C colour x,y r".
inline std::vector<std::string> tracciato(const RecordingCanvas& c, int colore = -1) {
    std::vector<std::string> out;
    for (const OperazioneCanvas& o : c.operazioni) {
        std::ostringstream s;
        if (o.tipo == OperazioneCanvas::LineTo)
            s << 'L' << o.colore << ' ' << o.a << ',' << o.b << ' ' << o.c << ',' << o.d;
        if (o.tipo == OperazioneCanvas::Pixel) s << 'P' << o.colore << ' ' << o.a << ',' << o.b;
        if (o.tipo == OperazioneCanvas::Circle) s << 'C' << o.colore << ' ' << o.a << ',' << o.b << ' ' << o.c;
        if (!s.str().empty() && (colore < 0 || o.colore == colore)) out.push_back(s.str());
    }
    return out;
}

inline std::string leggiFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A file in a temporary folder of its own, removed with the object.
class FileTemporaneo : public campioni::CartellaTemporanea {
public:
    explicit FileTemporaneo(const std::string& nome, const std::string& contenuto = {}) : path_(file(nome)) {
        if (!contenuto.empty()) std::ofstream(path_, std::ios::binary) << contenuto;
    }
    const std::string& path() const { return path_; }
    std::string cartella() const { return percorso.string(); }
    std::string leggi() const { return leggiFile(path_); }

private:
    std::string path_;
};

// Runs a shell command: its standard output in `uscita`, its exit status returned (-1 when it
// did not exit normally).
inline int esegui(const std::string& comando, std::string& uscita) {
    uscita.clear();
    std::FILE* p = ::popen(comando.c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) uscita.append(buf, n);
    const int stato = ::pclose(p);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

struct Esito {
    int stato = -1;
    std::string uscita, errori;
};

// carvela-cli with the arguments; its standard error goes through a file in `tmp`'s folder.
inline Esito cli(const std::string& argomenti, const FileTemporaneo& tmp) {
    const std::string errori = tmp.cartella() + "/stderr.txt";
    Esito e;
    e.stato = esegui(std::string("\"") + CARVELA_CLI + "\" " + argomenti + " 2>\"" + errori + "\"", e.uscita);
    e.errori = leggiFile(errori);
    return e;
}

}  // namespace carvela::test
