#include "dxf/dxf_writer.h"

#include <algorithm>
#include <cmath>

#include "dxf/dxf_text.h"
#include "project/coordinate.h"
#include "project/project_files.h"
#include "project/vbtext.h"
#include "state/host.h"

namespace carvela {

namespace {
// The text goes to the file in blocks of about this size.
constexpr std::size_t kBlocco = 1 << 20;
}  // namespace

void ScrittoreDxf::svuota() {
    if (!file_) return;
    file_->scrivi(testo_);
    testo_.clear();
}

void ScrittoreDxf::codice(int c) {
    if (file_ && testo_.size() >= kBlocco) svuota();
    // Group codes and colours are a few small numbers written millions of times.
    static const std::vector<std::string> kTesti = [] {
        std::vector<std::string> t(1024);
        for (std::size_t i = 0; i < t.size(); ++i) t[i] = vbStr(static_cast<int64_t>(i)) + " \r\n";
        return t;
    }();
    if (c >= 0 && static_cast<std::size_t>(c) < kTesti.size()) {
        testo_ += kTesti[static_cast<std::size_t>(c)];
        return;
    }
    aggiungiStr(testo_, static_cast<int64_t>(c));
    testo_ += " \r\n";
}

void ScrittoreDxf::stringa(std::string_view s) {
    // Plain ASCII on one line is its own code-page text.
    if (std::all_of(s.begin(), s.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\r' && c != '\n'; }))
        testo_ += s;
    else
        testo_ += testoPerDxf(s);
    testo_ += "\r\n";
}

void ScrittoreDxf::reale(float v) {
    aggiungiStr(testo_, v);
    testo_ += "\r\n";
}

void ScrittoreDxf::est(float v) {
    if (origine_.est == 0) return reale(v);
    aggiungiCoordinata(testo_, v, origine_.est);
    testo_ += "\r\n";
}

void ScrittoreDxf::nord(float v) {
    if (origine_.nord == 0) return reale(v);
    aggiungiCoordinata(testo_, v, origine_.nord);
    testo_ += "\r\n";
}

bool ScrittoreDxf::finiti(std::initializer_list<float> valori) {
    for (float v : valori)
        if (!std::isfinite(v)) {
            ++scartate_;
            return false;
        }
    return true;
}

void ScrittoreDxf::inizio() {
    codice(0);
    stringa("SECTION");
    codice(2);
    stringa("ENTITIES");
}

void ScrittoreDxf::linea(std::string_view layer, int colore, float x1, float y1, float z1, float x2, float y2,
                         float z2) {
    if (!finiti({x1, y1, z1, x2, y2, z2})) return;
    codice(0), stringa("LINE");
    codice(8), stringa(layer);
    codice(62), codice(colore);
    codice(10), est(x1);
    codice(20), nord(y1);
    codice(30), reale(z1);
    codice(11), est(x2);
    codice(21), nord(y2);
    codice(31), reale(z2);
}

void ScrittoreDxf::cerchio(std::string_view layer, int colore, float x, float y, float z, float r) {
    if (!finiti({x, y, z, r})) return;
    codice(0), stringa("CIRCLE");
    codice(8), stringa(layer);
    codice(62), codice(colore);
    codice(10), est(x);
    codice(20), nord(y);
    codice(30), reale(z);
    codice(40), reale(r);
}

void ScrittoreDxf::testo(std::string_view layer, int colore, float x, float y, float z, float altezza,
                         std::string_view testo, float rotazione) {
    if (!finiti({x, y, z, altezza, rotazione})) return;
    codice(0), stringa("TEXT");
    codice(8), stringa(layer);
    codice(62), codice(colore);
    codice(10), est(x);
    codice(20), nord(y);
    codice(30), reale(z);
    codice(40), reale(altezza);
    codice(1), stringa(testo);
    codice(50), reale(rotazione);
}

void ScrittoreDxf::segmentoSpesso(std::string_view layer, int colore, float x1, float y1, float z1, float x2, float y2,
                                  float z2, float larghezza) {
    if (!finiti({x1, y1, z1, x2, y2, z2, larghezza})) return;
    codice(0), stringa("POLYLINE");
    codice(8), stringa(layer);
    codice(66), codice(1);
    codice(62), codice(colore);
    codice(10), stringa("0.0");
    codice(20), stringa("0.0");
    codice(30), stringa("0.0");
    codice(40), reale(larghezza);
    codice(41), reale(larghezza);
    codice(0), stringa("VERTEX");
    codice(8), stringa(layer);
    codice(10), est(x1);
    codice(20), nord(y1);
    codice(30), reale(z1);
    codice(0), stringa("VERTEX");
    codice(8), stringa(layer);
    codice(10), est(x2);
    codice(20), nord(y2);
    codice(30), reale(z2);
    codice(0), stringa("SEQEND");
    codice(8), stringa(layer);
}

void ScrittoreDxf::fine() {
    codice(0);
    stringa("ENDSEC");
    codice(0);
    stringa("EOF");
    svuota();
}

namespace {
bool esito(const std::string& path, const std::string& errore, Host& host) {
    if (errore.empty()) return true;
    host.messaggio("Impossibile creare il file " + path + ": " + errore + ".");
    return false;
}
}  // namespace

bool salvaDxf(const std::string& path, const std::string& contenuto, Host& host) {
    FileAtomico file(path);
    file.scrivi(contenuto);
    return esito(path, file.chiudi(false), host);
}

bool salvaDxf(const std::string& path, const std::function<std::string(FileAtomico*)>& esporta, Host& host) {
    FileAtomico file(path);
    file.scrivi(esporta(&file));  // what the writer had not sent yet
    return esito(path, file.chiudi(false), host);
}

}  // namespace carvela
