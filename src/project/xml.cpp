#include "project/xml.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "project/codepage.h"

namespace carvela {

// ---- writer ----

std::string escapeXml(std::string_view testo) {
    std::string s;
    s.reserve(testo.size());
    for (char c : testo) {
        switch (c) {
        case '&': s += "&amp;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        case '"': s += "&quot;"; break;
        case '\n': s += "&#10;"; break;
        case '\r': s += "&#13;"; break;
        case '\t': s += "&#9;"; break;
        default:
            // Other control characters are not allowed in XML 1.0 at all.
            if (static_cast<unsigned char>(c) >= 0x20) s += c;
        }
    }
    return s;
}

ScrittoreXml::ScrittoreXml() { out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }

void ScrittoreXml::rientro() { out_.append(aperti_.size() * 2, ' '); }

static void scriviAttributi(std::string& out, const AttributiXml& attributi) {
    for (const auto& [nome, valore] : attributi) {
        out += ' ';
        out += nome;
        out += "=\"";
        out += escapeXml(valore);
        out += '"';
    }
}

void ScrittoreXml::apri(std::string_view nome, const AttributiXml& attributi) {
    rientro();
    out_ += '<';
    out_ += nome;
    scriviAttributi(out_, attributi);
    out_ += ">\n";
    aperti_.emplace_back(nome);
}

void ScrittoreXml::elemento(std::string_view nome, const AttributiXml& attributi, std::string_view testo) {
    rientro();
    out_ += '<';
    out_ += nome;
    scriviAttributi(out_, attributi);
    if (testo.empty()) {
        out_ += "/>\n";
        return;
    }
    out_ += '>';
    out_ += escapeXml(testo);
    out_ += "</";
    out_ += nome;
    out_ += ">\n";
}

void ScrittoreXml::chiudi() {
    if (aperti_.empty()) return;
    const std::string nome = std::move(aperti_.back());
    aperti_.pop_back();
    rientro();
    out_ += "</" + nome + ">\n";
}

std::string ScrittoreXml::testo() {
    while (!aperti_.empty()) chiudi();
    return out_;
}

// ---- reader ----

const std::string* NodoXml::attributo(std::string_view n) const {
    for (const auto& [chiave, valore] : attributi)
        if (chiave == n) return &valore;
    return nullptr;
}

const NodoXml* NodoXml::figlio(std::string_view n) const {
    for (const NodoXml& f : figli)
        if (f.nome == n) return &f;
    return nullptr;
}

namespace {

constexpr std::size_t kProfonditaMassima = 256;

bool carattereNome(char c) {
    return !(std::isspace(static_cast<unsigned char>(c)) || c == '/' || c == '>' || c == '=' || c == '<' || c == '"' ||
             c == '\'' || c == '&');
}

std::string nomeLocale(std::string nome) {
    const auto duePunti = nome.rfind(':');
    return duePunti == std::string::npos ? nome : nome.substr(duePunti + 1);
}

void aggiungiUtf8(std::string& s, uint32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

class Lettore {
public:
    explicit Lettore(std::string_view d) : d_(d) {}

    bool leggi(NodoXml& radice, std::string& errore) {
        if (!documento(radice)) {
            errore = "riga " + std::to_string(riga(p_)) + ": " + errore_;
            return false;
        }
        return true;
    }

private:
    bool fallisci(std::string motivo) {
        errore_ = std::move(motivo);
        return false;
    }

    int riga(std::size_t pos) {
        pos = std::min(pos, d_.size());
        if (pos < posRiga_) posRiga_ = 0, riga_ = 1;
        riga_ += static_cast<int>(std::count(d_.begin() + posRiga_, d_.begin() + pos, '\n'));
        posRiga_ = pos;
        return riga_;
    }

    bool inizia(std::string_view s) const { return d_.substr(p_, s.size()) == s; }

    void spazi() {
        while (p_ < d_.size() && std::isspace(static_cast<unsigned char>(d_[p_]))) ++p_;
    }

    // Skips to just after `fine`; false when the input ends first.
    bool salta(std::string_view fine, const char* cosa) {
        const auto f = d_.find(fine, p_);
        if (f == std::string_view::npos) return fallisci(std::string(cosa) + " non terminato");
        p_ = f + fine.size();
        return true;
    }

    bool nome(std::string& n) {
        const std::size_t inizio = p_;
        while (p_ < d_.size() && carattereNome(d_[p_])) ++p_;
        if (p_ == inizio) return fallisci("nome di elemento o di attributo atteso");
        n.assign(d_.substr(inizio, p_ - inizio));
        return true;
    }

    // Character data up to `fine` (not included), references expanded.
    bool testo(std::size_t fine, std::string& out) {
        while (p_ < fine) {
            const char c = d_[p_];
            if (c == '<') return fallisci("carattere '<' non ammesso in un valore");
            if (c != '&') {
                out += c;
                ++p_;
                continue;
            }
            const auto pv = d_.find(';', p_);
            if (pv == std::string_view::npos || pv > fine || pv - p_ > 12)
                return fallisci("riferimento '&' non valido");
            const std::string_view ref = d_.substr(p_ + 1, pv - p_ - 1);
            if (ref == "amp")
                out += '&';
            else if (ref == "lt")
                out += '<';
            else if (ref == "gt")
                out += '>';
            else if (ref == "quot")
                out += '"';
            else if (ref == "apos")
                out += '\'';
            else if (ref.size() >= 2 && ref[0] == '#') {
                const bool esa = ref[1] == 'x';
                uint32_t cp = 0;
                const auto r = std::from_chars(ref.data() + (esa ? 2 : 1), ref.data() + ref.size(), cp, esa ? 16 : 10);
                if (r.ec != std::errc() || r.ptr != ref.data() + ref.size() || cp == 0 || cp > 0x10FFFF)
                    return fallisci("riferimento a carattere non valido: &" + std::string(ref) + ";");
                aggiungiUtf8(out, cp);
            } else {
                return fallisci("entità sconosciuta: &" + std::string(ref) + ";");
            }
            p_ = pv + 1;
        }
        return true;
    }

    // Comments, processing instructions, CDATA; false on a DOCTYPE or a broken one.
    bool speciale(NodoXml* corrente, bool& fatto) {
        fatto = true;
        if (inizia("<!--")) return salta("-->", "commento");
        if (inizia("<?")) return salta("?>", "istruzione di elaborazione");
        if (inizia("<![CDATA[")) {
            if (!corrente) return fallisci("sezione CDATA fuori dall'elemento radice");
            p_ += 9;
            const auto f = d_.find("]]>", p_);
            if (f == std::string_view::npos) return fallisci("sezione CDATA non terminata");
            corrente->testo.append(d_.substr(p_, f - p_));
            p_ = f + 3;
            return true;
        }
        if (inizia("<!DOCTYPE") || inizia("<!doctype")) return fallisci("dichiarazioni DOCTYPE non ammesse");
        if (inizia("<!")) return fallisci("dichiarazione non riconosciuta");
        fatto = false;
        return true;
    }

    bool documento(NodoXml& radice) {
        std::vector<NodoXml*> pila;
        bool radiceLetta = false;
        while (true) {
            if (pila.empty()) spazi();
            if (p_ >= d_.size()) break;
            NodoXml* corrente = pila.empty() ? nullptr : pila.back();
            if (d_[p_] != '<') {
                if (!corrente) return fallisci("testo fuori dall'elemento radice");
                const auto f = d_.find('<', p_);
                if (!testo(f == std::string_view::npos ? d_.size() : f, corrente->testo)) return false;
                continue;
            }
            bool fatto = false;
            if (!speciale(corrente, fatto)) return false;
            if (fatto) continue;

            if (inizia("</")) {
                p_ += 2;
                std::string n;
                if (!nome(n)) return false;
                spazi();
                if (p_ >= d_.size() || d_[p_] != '>') return fallisci("'>' atteso dopo </" + n);
                ++p_;
                if (!corrente) return fallisci("chiusura </" + n + "> senza apertura");
                if (nomeLocale(n) != corrente->nome || n != nomiCompleti_.back())
                    return fallisci("chiusura </" + n + "> al posto di </" + nomiCompleti_.back() + ">");
                pila.pop_back();
                nomiCompleti_.pop_back();
                continue;
            }

            // An element's start tag.
            if (!corrente && radiceLetta) return fallisci("un secondo elemento radice");
            const int rigaElemento = riga(p_);
            ++p_;
            std::string n;
            if (!nome(n)) return false;
            NodoXml* nodo;
            if (!corrente) {
                nodo = &radice;
                radiceLetta = true;
            } else {
                corrente->figli.emplace_back();
                nodo = &corrente->figli.back();
            }
            nodo->nome = nomeLocale(n);
            nodo->riga = rigaElemento;
            bool vuoto = false;
            while (true) {
                const std::size_t primaSpazi = p_;
                spazi();
                if (p_ >= d_.size()) return fallisci("elemento <" + n + "> non terminato");
                if (d_[p_] == '>') {
                    ++p_;
                    break;
                }
                if (inizia("/>")) {
                    p_ += 2;
                    vuoto = true;
                    break;
                }
                if (p_ == primaSpazi) return fallisci("spazio atteso tra gli attributi di <" + n + ">");
                std::string chiave;
                if (!nome(chiave)) return false;
                spazi();
                if (p_ >= d_.size() || d_[p_] != '=') return fallisci("'=' atteso dopo l'attributo " + chiave);
                ++p_;
                spazi();
                if (p_ >= d_.size() || (d_[p_] != '"' && d_[p_] != '\''))
                    return fallisci("valore dell'attributo " + chiave + " senza virgolette");
                const char virgolette = d_[p_++];
                const auto f = d_.find(virgolette, p_);
                if (f == std::string_view::npos) return fallisci("valore dell'attributo " + chiave + " non terminato");
                std::string valore;
                if (!testo(f, valore)) return false;
                p_ = f + 1;
                for (const auto& a : nodo->attributi)
                    if (a.first == chiave) return fallisci("attributo " + chiave + " ripetuto");
                nodo->attributi.emplace_back(std::move(chiave), std::move(valore));
            }
            if (!vuoto) {
                if (pila.size() >= kProfonditaMassima) return fallisci("elementi annidati troppo in profondità");
                pila.push_back(nodo);
                nomiCompleti_.push_back(n);
            }
        }
        if (!pila.empty()) return fallisci("il file finisce prima della chiusura di <" + nomiCompleti_.back() + ">");
        if (!radiceLetta) return fallisci("nessun elemento XML");
        return true;
    }

    std::string_view d_;
    std::size_t p_ = 0;
    std::size_t posRiga_ = 0;
    int riga_ = 1;
    std::string errore_;
    std::vector<std::string> nomiCompleti_;
};

// The encoding named in the declaration, lower case; empty when there is none.
std::string codifica(std::string_view d) {
    if (d.substr(0, 5) != "<?xml") return {};
    const auto fine = d.find("?>");
    const std::string_view decl = d.substr(0, fine);
    const auto e = decl.find("encoding");
    if (e == std::string_view::npos) return {};
    auto q = decl.find_first_of("\"'", e);
    if (q == std::string_view::npos) return {};
    const auto q2 = decl.find(decl[q], q + 1);
    if (q2 == std::string_view::npos) return {};
    std::string c(decl.substr(q + 1, q2 - q - 1));
    for (char& ch : c) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return c;
}

}  // namespace

bool leggiXml(std::string_view d, NodoXml& radice, std::string& errore) {
    radice = NodoXml{};
    if (d.size() >= 2 && ((d[0] == '\xFE' && d[1] == '\xFF') || (d[0] == '\xFF' && d[1] == '\xFE'))) {
        errore = "codifica UTF-16 non gestita (salvare il file in UTF-8)";
        return false;
    }
    if (d.substr(0, 3) == "\xEF\xBB\xBF") d.remove_prefix(3);
    const std::string c = codifica(d);
    if (c == "iso-8859-1" || c == "latin1" || c == "windows-1252" || c == "cp1252" || c == "iso-8859-15") {
        const std::string utf8 = cp1252ToUtf8(d);
        return Lettore(utf8).leggi(radice, errore);
    }
    if (!c.empty() && c != "utf-8" && c != "utf8" && c != "us-ascii" && c != "ascii") {
        errore = "codifica " + c + " non gestita";
        return false;
    }
    return Lettore(d).leggi(radice, errore);
}

}  // namespace carvela
