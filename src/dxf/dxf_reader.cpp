#include "dxf/dxf_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "dxf/dxf_progress.h"
#include "dxf/dxf_text.h"
#include "project/vbtext.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

enum class Tipo { Nessuno, Point, Line, Circle, Arc, Text, Seqend, Vertex, Polyline, LimMin, LimMax, LwPolyline };

Tipo tipoParolaChiave(std::string_view r) {
    switch (r.size()) {
    case 3: return r == "ARC" ? Tipo::Arc : Tipo::Nessuno;
    case 4:
        if (r == "LINE") return Tipo::Line;
        if (r == "TEXT") return Tipo::Text;
        return Tipo::Nessuno;
    case 5: return r == "POINT" ? Tipo::Point : Tipo::Nessuno;
    case 6:
        if (r == "CIRCLE") return Tipo::Circle;
        if (r == "SEQEND") return Tipo::Seqend;
        if (r == "VERTEX") return Tipo::Vertex;
        return Tipo::Nessuno;
    case 7:
        if (r == "$LIMMIN") return Tipo::LimMin;
        if (r == "$LIMMAX") return Tipo::LimMax;
        return Tipo::Nessuno;
    case 8: return r == "POLYLINE" ? Tipo::Polyline : Tipo::Nessuno;
    case 10: return r == "LWPOLYLINE" ? Tipo::LwPolyline : Tipo::Nessuno;
    default: return Tipo::Nessuno;
    }
}

const char* nomeTipo(Tipo t) {
    switch (t) {
    case Tipo::Point: return "POINT";
    case Tipo::Line: return "LINE";
    case Tipo::Circle: return "CIRCLE";
    case Tipo::Arc: return "ARC";
    case Tipo::Text: return "TEXT";
    case Tipo::Seqend: return "SEQEND";
    case Tipo::Vertex: return "VERTEX";
    case Tipo::Polyline: return "POLYLINE";
    case Tipo::LimMin: return "$LIMMIN";
    case Tipo::LimMax: return "$LIMMAX";
    default: return "";
    }
}

// The same names, shared by every record of their type.
const TestoCondiviso& nomeCondiviso(Tipo t) {
    static const TestoCondiviso nomi[] = {
        TestoCondiviso(nomeTipo(Tipo::Point)),  TestoCondiviso(nomeTipo(Tipo::Line)),
        TestoCondiviso(nomeTipo(Tipo::Circle)), TestoCondiviso(nomeTipo(Tipo::Arc)),
        TestoCondiviso(nomeTipo(Tipo::Text)),   TestoCondiviso(nomeTipo(Tipo::Seqend)),
        TestoCondiviso(nomeTipo(Tipo::Vertex)), TestoCondiviso(nomeTipo(Tipo::Polyline)),
        TestoCondiviso(nomeTipo(Tipo::LimMin)), TestoCondiviso(nomeTipo(Tipo::LimMax))};
    static const TestoCondiviso nessuno;
    switch (t) {
    case Tipo::Point: return nomi[0];
    case Tipo::Line: return nomi[1];
    case Tipo::Circle: return nomi[2];
    case Tipo::Arc: return nomi[3];
    case Tipo::Text: return nomi[4];
    case Tipo::Seqend: return nomi[5];
    case Tipo::Vertex: return nomi[6];
    case Tipo::Polyline: return nomi[7];
    case Tipo::LimMin: return nomi[8];
    case Tipo::LimMax: return nomi[9];
    default: return nessuno;
    }
}

// Lines read whole and trimmed of blanks at both ends, from text in memory or from a file in
// blocks, so a file is never held whole. Lines end with LF or CR LF, or with CR in a text that
// has no LF at all. A line returned stays valid until the next call.
class SorgenteRighe {
public:
    SorgenteRighe(std::string_view testo, char terminatore)
        : p_(testo.data()), fine_(testo.data() + testo.size()), terminatore_(terminatore), finito_(true) {
        saltaBom();
    }
    SorgenteRighe(std::FILE* f, char terminatore) : f_(f), terminatore_(terminatore), blocco_(kBlocco) {
        p_ = fine_ = blocco_.data();
        riempi();
        saltaBom();
    }

    bool prossima(std::string_view& riga) {
        while (true) {
            const char* a = p_ < fine_ ? static_cast<const char*>(std::memchr(p_, terminatore_, resto())) : nullptr;
            if (a || (finito_ && p_ < fine_)) {
                const char* inizio = p_;
                const char* e = a ? a : fine_;
                p_ = a ? a + 1 : fine_;
                while (e > inizio && (e[-1] == ' ' || e[-1] == '\r' || e[-1] == '\t')) --e;
                while (inizio < e && (*inizio == ' ' || *inizio == '\t')) ++inizio;
                riga = std::string_view(inizio, static_cast<std::size_t>(e - inizio));
                ++lette_;
                return true;
            }
            // At the end of the file the unterminated tail is still a line: go round once more.
            if (finito_) return false;
            riempi();
        }
    }
    int64_t lette() const { return lette_; }
    int64_t byteLetti() const { return byteLetti_; }
    bool errore() const { return errore_; }

private:
    static constexpr std::size_t kBlocco = 1 << 20;
    std::size_t resto() const { return static_cast<std::size_t>(fine_ - p_); }

    void saltaBom() {
        if (resto() >= 3 && static_cast<unsigned char>(p_[0]) == 0xEF && static_cast<unsigned char>(p_[1]) == 0xBB &&
            static_cast<unsigned char>(p_[2]) == 0xBF)
            p_ += 3;
    }

    // Keeps the unread tail, reads the next block after it; false when nothing more came.
    bool riempi() {
        const std::size_t coda = resto();
        if (coda > 0 && p_ != blocco_.data()) std::memmove(blocco_.data(), p_, coda);
        if (blocco_.size() - coda < kBlocco / 2) blocco_.resize(blocco_.size() * 2);  // a very long line
        const std::size_t n = std::fread(blocco_.data() + coda, 1, blocco_.size() - coda, f_);
        p_ = blocco_.data();
        fine_ = p_ + coda + n;
        byteLetti_ += static_cast<int64_t>(n);
        if (n == 0) {
            finito_ = true;
            errore_ = std::ferror(f_) != 0;
        }
        return n > 0;
    }

    std::FILE* f_ = nullptr;
    const char* p_ = nullptr;
    const char* fine_ = nullptr;
    char terminatore_ = '\n';
    bool finito_ = false;
    bool errore_ = false;
    std::vector<char> blocco_;
    int64_t lette_ = 0;
    int64_t byteLetti_ = 0;
};

// LF (alone or after CR) ends the lines; a text without any LF but with CRs ends them with CR.
char terminatoreRighe(std::string_view testo) {
    if (testo.empty()) return '\n';
    return std::memchr(testo.data(), '\n', testo.size()) || !std::memchr(testo.data(), '\r', testo.size()) ? '\n'
                                                                                                           : '\r';
}

// The code of a group-code line; false when the line is not a whole number.
bool codiceGruppo(std::string_view r, int& codice) {
    if (r.empty()) return false;
    auto [p, ec] = std::from_chars(r.data(), r.data() + r.size(), codice);
    return ec == std::errc() && p == r.data() + r.size();
}

// Group-code / value pairs from a line source. A code line that is not a number is counted
// and skipped alone, so the pairs fall back into step at the next good code.
class Coppie {
public:
    explicit Coppie(SorgenteRighe& righe) : righe_(righe) {}
    template <class Avanzamento>
    bool prossima(int& codice, std::string_view& valore, Avanzamento&& avanzamento) {
        std::string_view riga;
        while (righe_.prossima(riga)) {
            avanzamento();
            if (!codiceGruppo(riga, codice)) {
                ++nonValidi_;
                continue;
            }
            ++valide_;
            if (!righe_.prossima(valore)) valore = {};
            avanzamento();
            return true;
        }
        return false;
    }
    int64_t nonValidi() const { return nonValidi_; }
    int64_t valide() const { return valide_; }

private:
    SorgenteRighe& righe_;
    int64_t nonValidi_ = 0;
    int64_t valide_ = 0;
};

// Where in the file a pair lies. Before any SECTION the file is taken as a bare entity list,
// as short writers make them.
enum class Sezione { Libera, Header, Blocks, Entities, Altra, Fuori };

Sezione sezioneDaNome(std::string_view n) {
    if (n == "HEADER") return Sezione::Header;
    if (n == "BLOCKS") return Sezione::Blocks;
    if (n == "ENTITIES") return Sezione::Entities;
    return Sezione::Altra;
}

bool entitaLette(Sezione s) { return s == Sezione::Libera || s == Sezione::Entities; }

// Records that structure a file rather than draw anything.
bool strutturale(std::string_view n) {
    return n == "SECTION" || n == "ENDSEC" || n == "EOF" || n == "TABLE" || n == "ENDTAB" || n == "BLOCK" ||
           n == "ENDBLK" || n == "VERTEX" || n == "SEQEND" || n == "ATTRIB";
}

// The first pass: lines for the bar, group-0 records for the list size, the extent of the
// drawing's coordinates for the origin, and whether the text is a drawing at all.
struct Esplorazione {
    int64_t righe = 0;
    int64_t record = 0;
    int64_t nonValidi = 0, valide = 0;
    char terminatore = '\n';
    bool haEstensione = false;
    double minE = 0, minN = 0, maxE = 0, maxN = 0;

    bool nonDxf() const { return record == 0 || nonValidi > valide; }
    void aggiungi(bool est, double v) {
        double& lo = est ? minE : minN;
        double& hi = est ? maxE : maxN;
        if (!haAsse(est)) {
            lo = hi = v;
            (est ? haE_ : haN_) = true;
        } else {
            lo = std::min(lo, v), hi = std::max(hi, v);
        }
        haEstensione = haE_ && haN_;
    }

private:
    bool haAsse(bool est) const { return est ? haE_ : haN_; }
    bool haE_ = false, haN_ = false;
};

// The first pass's view of the pairs, one at a time, so the reading can also go with a conversion.
class Esploratore {
public:
    explicit Esploratore(Esplorazione& x) : x_(x) {}
    void coppia(int codice, std::string_view valore) {
        if (codice == 0) {
            ++x_.record;
            attesaNome_ = valore == "SECTION";
            if (valore == "ENDSEC") sezione_ = Sezione::Fuori;
            return;
        }
        if (attesaNome_ && codice == 2) {
            sezione_ = sezioneDaNome(valore);
            attesaNome_ = false;
            return;
        }
        if (!entitaLette(sezione_)) return;
        if (codice == 10 || codice == 11 || codice == 20 || codice == 21) {
            const double v = valoreDxf(valore);
            if (v != 0) x_.aggiungi(codice < 20, v);  // 0 is what empty headers and defaults hold
        }
    }
    void fine(const SorgenteRighe& righe, const Coppie& coppie) {
        x_.righe = righe.lette();
        x_.nonValidi = coppie.nonValidi();
        x_.valide = coppie.valide();
    }

private:
    Esplorazione& x_;
    Sezione sezione_ = Sezione::Libera;
    bool attesaNome_ = false;
};

template <class Avanzamento>
void esplora(SorgenteRighe& righe, Esplorazione& x, Avanzamento&& avanzamento) {
    Coppie coppie(righe);
    Esploratore esploratore(x);
    int codice;
    std::string_view valore;
    int64_t letti = -1;
    auto passo = [&] {
        if (righe.byteLetti() != letti) {
            letti = righe.byteLetti();
            avanzamento(letti);
        }
    };
    while (coppie.prossima(codice, valore, passo)) esploratore.coppia(codice, valore);
    esploratore.fine(righe, coppie);
}

Esplorazione esploraTesto(std::string_view testo) {
    Esplorazione x;
    x.terminatore = terminatoreRighe(testo);
    SorgenteRighe righe(testo, x.terminatore);
    esplora(righe, x, [](int64_t) {});
    return x;
}

// The origin of the records: the one asked for when the drawing lies within its reach,
// otherwise one near the drawing (0 for a drawing near 0).
OrigineProgetto origineLettura(const Esplorazione& x, const OrigineProgetto* preferita) {
    if (!preferita || !x.haEstensione) return {};
    auto entro = [&](const OrigineProgetto& o) {
        return std::fabs(x.minE - o.est) <= kRaggioMillimetro && std::fabs(x.maxE - o.est) <= kRaggioMillimetro &&
               std::fabs(x.minN - o.nord) <= kRaggioMillimetro && std::fabs(x.maxN - o.nord) <= kRaggioMillimetro;
    };
    if (!preferita->nulla() && entro(*preferita)) return *preferita;
    return scegliOrigine(x.minE, x.minN, x.maxE, x.maxN);
}

float comeFloat(double v) { return static_cast<float>(v); }

float radianti(double gradi) { return static_cast<float>(gradi * 2.0 * 3.1415929794311523 / 360.0); }

uint8_t byteFlag(double v) {
    if (!(std::fabs(v) < 256)) return 0;  // before rounding: a huge value does not fit an integer
    int64_t n = arrotondaPari(v);
    return n < 0 || n > 255 ? 0 : static_cast<uint8_t>(n);
}

// A vertex count as declared: one that no list can match (negative, fractional, beyond any
// file) is kept as such, so that it disagrees with the vertices read rather than passing for
// an absent count or overflowing the conversion.
int64_t conteggioVertici(double v) {
    if (v < 0 || v != std::floor(v) || v > 1e15) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(v);
}

int flagIntero(std::string_view valore) {
    const double v = valoreDxf(valore);
    return std::fabs(v) < 1e9 ? static_cast<int>(arrotondaPari(v)) : 0;
}

// A value that must be a finite number to be used at all (an arc factor): false otherwise.
bool numeroFinito(std::string_view t, double& v) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    if (i < t.size() && t[i] == '+') ++i;
    auto [p, ec] = std::from_chars(t.data() + i, t.data() + t.size(), v, std::chars_format::general);
    if (ec != std::errc() || p == t.data() + i) return false;
    for (; p < t.data() + t.size(); ++p)
        if (*p != ' ' && *p != '\t') return false;
    return std::isfinite(v);
}

}  // namespace

uint8_t colorePaletteDaDxf(int numero) {
    switch (numero) {
    case 1: return 12;
    case 2: return 14;
    case 3: return 10;
    case 4: return 11;
    case 5: return 9;
    case 6: return 5;
    case 8: return 8;
    case 9: return 7;
    default: return 15;
    }
}

double valoreDxf(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativo = t[i++] == '-';
    // Only digits or a point may follow: "inf" and "nan" are not numbers here.
    if (i >= t.size() || !((t[i] >= '0' && t[i] <= '9') || t[i] == '.')) return 0;
    double v = 0;
    auto [ptr, ec] = std::from_chars(t.data() + i, t.data() + t.size(), v, std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return 0;
    return negativo ? -v : v;
}

void puntiArco(double x1, double y1, double x2, double y2, double bulge, double toll,
               std::vector<std::pair<double, double>>& punti) {
    const double dx = x2 - x1, dy = y2 - y1, corda = std::hypot(dx, dy);
    if (bulge == 0 || !(corda > 0) || !std::isfinite(bulge)) return;
    const double theta = 4 * std::atan(bulge);  // included angle, positive counter-clockwise
    const double raggio = corda * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    // The centre lies on the chord's left normal, at this signed distance from its middle.
    const double h = corda / 2 * (1 - bulge * bulge) / (2 * bulge);
    const double cx = (x1 + x2) / 2 - dy / corda * h, cy = (y1 + y2) / 2 + dx / corda * h;
    // Chords of angle a stray r(1 - cos(a/2)) from the arc.
    const double passoMassimo = toll >= raggio ? 3.14159265358979 : 2 * std::acos(1 - toll / raggio);
    // A bulge so small that its arc is its chord in double precision leaves no step at all.
    if (!(passoMassimo > 0)) return;
    const double passi = std::ceil(std::fabs(theta) / passoMassimo);
    const int n = !(passi < 4096) ? 4096 : std::max(1, static_cast<int>(passi));
    const double a1 = std::atan2(y1 - cy, x1 - cx);
    for (int k = 1; k < n; ++k) {
        const double a = a1 + theta * k / n;
        punti.emplace_back(cx + raggio * std::cos(a), cy + raggio * std::sin(a));
    }
}

namespace {

// One entity being read: the record as it comes out, plus what the flat polylines need.
struct EntitaLetta {
    Tipo tipo = Tipo::Nessuno;
    DxfEntity e;
    bool finita = false;    // the record is complete: later groups do not change it
    bool attesa70 = false;  // a group 70 right after the 30 gives the flags
    int flag70 = -1;        // group 70 wherever it stands, -1 when absent
    double x = 0, y = 0, z = 0;
    bool haQuota38 = false;
    double quota38 = 0;
    double estrusioneZ = 1;
    double bulge = 0;
    bool bulgeValido = true;
    // LWPOLYLINE: its vertices (x, y, bulge) and the count it declares.
    struct Vertice {
        double x = 0, y = 0, bulge = 0;
    };
    std::vector<Vertice> vertici;
    int64_t numeroDichiarato = -1;
};

constexpr double kTolleranzaArco = 0.01;

class Convertitore {
public:
    // With the origin known, or (fissata false) with the one the drawing's limits suggest for
    // `preferita`, taken when a coordinate first needs it; fine() tells whether it held.
    Convertitore(std::vector<DxfEntity>& lista, LimitiDxf& limiti, LetturaDxf& lettura, OrigineProgetto o, bool fissata,
                 const OrigineProgetto* preferita)
        : lista_(lista), limiti_(limiti), lettura_(lettura), o_(o), fissata_(fissata), preferita_(preferita) {}

    void coppia(int codice, std::string_view valore) {
        if (codice == 0) {
            chiudiEntita();
            inizio(valore);
            return;
        }
        if (attesaNome_ && codice == 2) {
            sezione_ = sezioneDaNome(valore);
            attesaNome_ = false;
            return;
        }
        if (codice == 9) {
            // A header variable: the drawing limits are records of their own.
            chiudiEntita();
            variabile_ = valore;
            if (valore == "$LIMMIN" || valore == "$LIMMAX") apri(valore == "$LIMMIN" ? Tipo::LimMin : Tipo::LimMax);
            return;
        }
        if (!variabile_.empty() && corrente_.tipo == Tipo::Nessuno) {
            if (variabile_ == "$ACADVER" && codice == 1) lettura_.versione = std::string(valore);
            return;
        }
        if (corrente_.tipo != Tipo::Nessuno) gruppo(codice, valore);
    }

    // The origin of the whole drawing: false when the coordinates were made with another.
    bool fine(const OrigineProgetto& finale) {
        chiudiEntita();
        chiudiPolilinea(false);
        if (!fissata_) o_ = finale, fissata_ = true;
        const LimitiDxf& g = grezzi_;
        if (g.haMinX) limiti_.minX = g.minX - o_.est, limiti_.haMinX = true;
        if (g.haMinY) limiti_.minY = g.minY - o_.nord, limiti_.haMinY = true;
        if (g.haMaxX) limiti_.maxX = g.maxX - o_.est, limiti_.haMaxX = true;
        if (g.haMaxY) limiti_.maxY = g.maxY - o_.nord, limiti_.haMaxY = true;
        return o_ == finale;
    }

private:
    void inizio(std::string_view nome) {
        variabile_.clear();
        attesaNome_ = nome == "SECTION";
        if (nome == "ENDSEC") {
            sezione_ = Sezione::Fuori;
            chiudiPolilinea(false);
            return;
        }
        if (sezione_ == Sezione::Blocks) {
            if (nome == "BLOCK")
                inBlocco_ = true;
            else if (nome == "ENDBLK")
                inBlocco_ = false;
            else if (inBlocco_ && !strutturale(nome))
                ++lettura_.entitaBlocchi;
            return;
        }
        if (!entitaLette(sezione_) || nome == "SECTION") return;
        if (!strutturale(nome)) {
            conta(nome);
            if (nome == "INSERT") ++lettura_.inserimenti;
        }
        const Tipo t = tipoParolaChiave(nome);
        if (t != Tipo::Nessuno && t != Tipo::LimMin && t != Tipo::LimMax) apri(t);
    }

    void conta(std::string_view nome) {
        for (auto& [tipo, n] : lettura_.tipi)
            if (tipo == nome) {
                ++n;
                return;
            }
        lettura_.tipi.emplace_back(std::string(nome), 1);
    }

    void apri(Tipo t) {
        corrente_ = EntitaLetta{};
        corrente_.tipo = t;
        corrente_.e.Nome = nomeCondiviso(t == Tipo::LwPolyline ? Tipo::Polyline : t);
        corrente_.e.Colore = 15;
    }

    const OrigineProgetto& origine() const {
        if (!fissata_) {
            // Drawings most often lie within their limits: their extent stands for the drawing's.
            Esplorazione x;
            const LimitiDxf& g = grezzi_;
            if (g.haMinX && g.haMinY && g.haMaxX && g.haMaxY) {
                x.aggiungi(true, g.minX), x.aggiungi(true, g.maxX);
                x.aggiungi(false, g.minY), x.aggiungi(false, g.maxY);
            }
            o_ = origineLettura(x, preferita_);
            fissata_ = true;
        }
        return o_;
    }
    float est(double v) const { return comeFloat(v - origine().est); }
    float nord(double v) const { return comeFloat(v - origine().nord); }

    void gruppo(int c, std::string_view valore) {
        EntitaLetta& k = corrente_;
        DxfEntity& e = k.e;
        const Tipo tipo = k.tipo;
        if (tipo == Tipo::LwPolyline) {
            gruppoLw(c, valore);
            return;
        }
        // What the flat polylines need, wherever it stands in the entity.
        switch (c) {
        case 70: k.flag70 = flagIntero(valore); break;
        case 38: k.haQuota38 = true, k.quota38 = valoreDxf(valore); break;
        case 230: k.estrusioneZ = valoreDxf(valore); break;
        case 42: k.bulgeValido = numeroFinito(valore, k.bulge); break;
        case 10: k.x = valoreDxf(valore); break;
        case 20: k.y = valoreDxf(valore); break;
        case 30: k.z = valoreDxf(valore); break;
        default: break;
        }
        if (k.attesa70) {
            const uint8_t flag = c == 70 ? byteFlag(valoreDxf(valore)) : tipo == Tipo::Vertex ? 32 : 0;
            if (tipo == Tipo::Vertex)
                e.FlagVertice = flag;
            else
                e.FlagPolilinea = flag;
            k.attesa70 = false;
            k.finita = true;
            return;
        }
        if (k.finita) return;
        switch (c) {
        case 8:
            layer(e, valore);
            k.finita = tipo == Tipo::Seqend;
            break;
        case 62: {
            double v = valoreDxf(valore);
            e.Colore = std::fabs(v) <= 32767.5 ? colorePaletteDaDxf(static_cast<int>(arrotondaPari(v))) : 15;
            break;
        }
        case 10: {
            double v = valoreDxf(valore);
            e.X1 = est(v);
            if (tipo == Tipo::LimMin) grezzi_.minX = v, grezzi_.haMinX = true;
            if (tipo == Tipo::LimMax) grezzi_.maxX = v, grezzi_.haMaxX = true;
            break;
        }
        case 20: {
            double v = valoreDxf(valore);
            e.Y1 = nord(v);
            if (tipo == Tipo::LimMin) grezzi_.minY = v, grezzi_.haMinY = true, k.finita = true;
            if (tipo == Tipo::LimMax) grezzi_.maxY = v, grezzi_.haMaxY = true, k.finita = true;
            break;
        }
        case 30:
            e.Z1 = comeFloat(valoreDxf(valore));
            if (tipo == Tipo::Point)
                k.finita = true;
            else if (tipo == Tipo::Polyline || tipo == Tipo::Vertex)
                k.attesa70 = true;
            break;
        case 11: e.X2 = est(valoreDxf(valore)); break;
        case 21: e.Y2 = nord(valoreDxf(valore)); break;
        case 31:
            e.Z2 = comeFloat(valoreDxf(valore));
            k.finita = tipo == Tipo::Line;
            break;
        case 40:
            e.R = comeFloat(valoreDxf(valore));
            k.finita = tipo == Tipo::Circle;
            break;
        case 1:
            assegnaTestoDxf(e.Testo, valore);
            k.finita = tipo == Tipo::Text;
            break;
        case 50: e.AngoloIniziale = radianti(valoreDxf(valore)); break;
        case 51:
            e.AngoloFinale = radianti(valoreDxf(valore));
            k.finita = tipo == Tipo::Arc;
            break;
        default: break;
        }
    }

    // The layer of one entity after another is most often the same: its copies share one text.
    void layer(DxfEntity& e, std::string_view valore) {
        if (!(ultimoLayer_ == valore)) assegnaTestoDxf(ultimoLayer_, valore);
        e.Layer = ultimoLayer_;
    }

    void gruppoLw(int c, std::string_view valore) {
        EntitaLetta& k = corrente_;
        switch (c) {
        case 8: layer(k.e, valore); break;
        case 62: {
            double v = valoreDxf(valore);
            k.e.Colore = std::fabs(v) <= 32767.5 ? colorePaletteDaDxf(static_cast<int>(arrotondaPari(v))) : 15;
            break;
        }
        case 90: k.numeroDichiarato = conteggioVertici(valoreDxf(valore)); break;
        case 70: k.flag70 = flagIntero(valore); break;
        case 38: k.haQuota38 = true, k.quota38 = valoreDxf(valore); break;
        case 230: k.estrusioneZ = valoreDxf(valore); break;
        case 10: k.vertici.push_back({valoreDxf(valore), 0, 0}); break;
        case 20:
            if (!k.vertici.empty()) k.vertici.back().y = valoreDxf(valore);
            break;
        case 42:
            if (k.vertici.empty()) break;
            if (!numeroFinito(valore, k.vertici.back().bulge)) k.bulgeValido = false;
            break;
        default: break;
        }
    }

    // The entity read is complete: into the list, or into the polyline it belongs to.
    void chiudiEntita() {
        if (corrente_.tipo == Tipo::Nessuno) return;
        // A vertex whose 30 was its last group has no flags: a 3D vertex.
        if (corrente_.attesa70 && corrente_.tipo == Tipo::Vertex) corrente_.e.FlagVertice = 32;
        EntitaLetta k = std::move(corrente_);
        corrente_ = EntitaLetta{};
        switch (k.tipo) {
        case Tipo::Polyline:
            chiudiPolilinea(false);
            polilinea_ = std::move(k);
            haPolilinea_ = true;
            vertici_.clear();
            return;
        case Tipo::Vertex:
            if (haPolilinea_) {
                vertici_.push_back(std::move(k));
                return;
            }
            break;
        case Tipo::Seqend:
            if (haPolilinea_) {
                seqend_ = std::move(k.e);
                chiudiPolilinea(true);
                return;
            }
            break;
        case Tipo::LwPolyline:
            chiudiPolilinea(false);
            emettiLw(k);
            return;
        default: chiudiPolilinea(false); break;
        }
        lista_.push_back(std::move(k.e));
    }

    // A polyline with its vertices, ended by its SEQEND or by whatever came next.
    void chiudiPolilinea(bool conSeqend) {
        if (!haPolilinea_) return;
        haPolilinea_ = false;
        EntitaLetta& p = polilinea_;
        // 3D polylines, meshes and spline-fit lines keep the records they always had.
        bool legacy = p.flag70 >= 0 && (p.flag70 & (8 | 16 | 64));
        for (const EntitaLetta& v : vertici_)
            if (v.flag70 >= 0 && (v.flag70 & (8 | 32 | 64 | 128))) legacy = true;
        if (legacy) {
            lista_.push_back(std::move(p.e));
            for (EntitaLetta& v : vertici_) lista_.push_back(std::move(v.e));
            if (conSeqend) lista_.push_back(std::move(seqend_));
            return;
        }
        // A flat polyline: its vertices take the elevation of the header.
        const double segno = p.estrusioneZ < 0 ? -1 : 1;
        const double quota = segno * (p.haQuota38 ? p.quota38 : p.z);
        std::vector<EntitaLetta::Vertice> punti;
        std::vector<const DxfEntity*> modelli;
        bool bulgeValido = true;
        for (const EntitaLetta& v : vertici_) {
            if (v.flag70 >= 0 && (v.flag70 & 16)) continue;  // a spline frame point lies off the line
            punti.push_back({segno * v.x, v.y, segno * v.bulge});
            modelli.push_back(&v.e);
            bulgeValido = bulgeValido && v.bulgeValido;
        }
        int64_t* scarto = !conSeqend         ? &lettura_.senzaSeqend
                          : !bulgeValido     ? &lettura_.bulgeNonValido
                          : punti.size() < 2 ? &lettura_.pocheVertici
                                             : nullptr;
        if (scarto) {
            // Kept in the drawing for its layer and colour, but no vertex is drawn or a contour.
            ++*scarto;
            lista_.push_back(std::move(p.e));
            for (EntitaLetta& v : vertici_) {
                v.e.FlagVertice = 0;
                lista_.push_back(std::move(v.e));
            }
            if (conSeqend) lista_.push_back(std::move(seqend_));
            return;
        }
        DxfEntity testa = std::move(p.e);
        emettiLinea(testa, punti, modelli, quota, p.flag70 >= 0 && (p.flag70 & 1));
        lista_.push_back(std::move(seqend_));
    }

    void emettiLw(EntitaLetta& k) {
        const double segno = k.estrusioneZ < 0 ? -1 : 1;
        const double quota = segno * (k.haQuota38 ? k.quota38 : 0);
        for (auto& v : k.vertici) v.x *= segno, v.bulge *= segno;
        const bool conteggioErrato =
            k.numeroDichiarato >= 0 && k.numeroDichiarato != static_cast<int64_t>(k.vertici.size());
        int64_t* scarto = conteggioErrato        ? &lettura_.conteggioErrato
                          : !k.bulgeValido       ? &lettura_.bulgeNonValido
                          : k.vertici.size() < 2 ? &lettura_.pocheVertici
                                                 : nullptr;
        DxfEntity testa = k.e;
        testa.X1 = testa.Y1 = 0;
        DxfEntity fineSeq;
        fineSeq.Nome = nomeCondiviso(Tipo::Seqend);
        fineSeq.Layer = k.e.Layer;
        fineSeq.Colore = k.e.Colore;
        if (scarto) {
            ++*scarto;
            testa.Z1 = comeFloat(quota);
            lista_.push_back(testa);
            for (const auto& v : k.vertici) {
                DxfEntity d = vertice(k.e, v.x, v.y, quota);
                d.FlagVertice = 0;
                lista_.push_back(std::move(d));
            }
            lista_.push_back(std::move(fineSeq));
            return;
        }
        std::vector<const DxfEntity*> modelli(k.vertici.size(), &k.e);
        emettiLinea(testa, k.vertici, modelli, quota, k.flag70 >= 0 && (k.flag70 & 1));
        lista_.push_back(std::move(fineSeq));
    }

    DxfEntity vertice(const DxfEntity& modello, double x, double y, double quota) const {
        DxfEntity d;
        d.Nome = nomeCondiviso(Tipo::Vertex);
        d.Layer = modello.Layer;
        d.Colore = modello.Colore;
        d.X1 = est(x);
        d.Y1 = nord(y);
        d.Z1 = comeFloat(quota);
        d.FlagVertice = 32;
        return d;
    }

    // The records of a 3D polyline through the points at one elevation: header (flags 8; 0 for
    // a line at elevation 0, which no contour line takes), vertices (flags 32) with the arcs
    // as chords, and a closed line back at its first vertex.
    void emettiLinea(DxfEntity testa, const std::vector<EntitaLetta::Vertice>& punti,
                     const std::vector<const DxfEntity*>& modelli, double quota, bool chiusa) {
        testa.Nome = nomeCondiviso(Tipo::Polyline);
        testa.Z1 = comeFloat(quota);
        testa.FlagPolilinea = quota != 0 ? 8 : 0;
        lista_.push_back(std::move(testa));
        std::vector<std::pair<double, double>> arco;
        const std::size_t n = punti.size();
        const std::size_t lati = chiusa ? n : n - 1;
        lista_.push_back(vertice(*modelli[0], punti[0].x, punti[0].y, quota));
        for (std::size_t i = 0; i < lati; ++i) {
            const auto& a = punti[i];
            const auto& b = punti[(i + 1) % n];
            arco.clear();
            puntiArco(a.x, a.y, b.x, b.y, a.bulge, kTolleranzaArco, arco);
            for (const auto& [x, y] : arco) lista_.push_back(vertice(*modelli[i], x, y, quota));
            lista_.push_back(vertice(*modelli[(i + 1) % n], b.x, b.y, quota));
        }
        // A closed line whose last vertex already repeats the first does not repeat it twice.
        if (chiusa && n >= 2 && punti[n - 1].x == punti[0].x && punti[n - 1].y == punti[0].y && punti[n - 1].bulge == 0)
            lista_.pop_back();
    }

    std::vector<DxfEntity>& lista_;
    LimitiDxf& limiti_;
    LetturaDxf& lettura_;
    mutable OrigineProgetto o_;
    mutable bool fissata_;
    const OrigineProgetto* preferita_;
    LimitiDxf grezzi_;  // the limits as written, moved to the origin at the end
    Sezione sezione_ = Sezione::Libera;
    bool attesaNome_ = false;
    bool inBlocco_ = false;
    std::string variabile_;
    EntitaLetta corrente_;
    bool haPolilinea_ = false;
    EntitaLetta polilinea_;
    std::vector<EntitaLetta> vertici_;
    DxfEntity seqend_;
    TestoCondiviso ultimoLayer_;
};

void converti(SorgenteRighe& cursore, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, LetturaDxf& lettura, Host* host,
              const Esplorazione& x) {
    if (host) host->CaptionLabel("Conversione del file .DXF in corso...");
    BarraDxf barra(host, x.righe, 100);

    std::vector<DxfEntity> lista;
    lista.reserve(static_cast<std::size_t>(x.record) + 1);
    lista.emplace_back();  // slot 0 stays empty, as every user expects
    Convertitore conv(lista, limiti, lettura, lettura.origine, true, nullptr);
    Coppie coppie(cursore);
    int64_t prossimoAggiornamento = 100;
    auto passo = [&] {
        if (cursore.lette() >= prossimoAggiornamento) {
            barra.avanza(cursore.lette());
            prossimoAggiornamento = cursore.lette() + 100;
        }
    };
    int codice;
    std::string_view valore;
    while (coppie.prossima(codice, valore, passo)) conv.coppia(codice, valore);
    conv.fine(lettura.origine);
    lettura.gruppiNonValidi = coppie.nonValidi();
    disegno.assignRaw(std::move(lista));
}

void completaLettura(LetturaDxf& l, const Esplorazione& x, const OrigineProgetto* preferita) {
    l.origine = origineLettura(x, preferita);
    l.haEstensione = x.haEstensione;
    l.minE = x.minE, l.minN = x.minN, l.maxE = x.maxE, l.maxN = x.maxN;
    if (x.nonDxf()) l.esito = EsitoLetturaDxf::NonDxf;
}

void iniziaLettura(LetturaDxf& l, const Esplorazione& x, const OrigineProgetto* preferita) {
    l = LetturaDxf{};
    completaLettura(l, x, preferita);
}

// Reading and conversion in one pass over the file, the drawing's extent gathered on the way;
// false when the origin the coordinates took is not the drawing's, and they must be made again.
bool leggiEConverti(SorgenteRighe& sorgente, int64_t lunghezza, std::vector<DxfEntity>& lista, LimitiDxf& limiti,
                    LetturaDxf& lettura, Host& host, Esplorazione& x, const OrigineProgetto* preferita) {
    BarraDxf barra(&host, lunghezza, 1000);
    // Untouched capacity costs no memory: room for a record every 64 bytes spares most regrowth.
    lista.reserve(static_cast<std::size_t>(lunghezza / 64) + 16);
    lista.emplace_back();  // slot 0 stays empty, as every user expects
    Convertitore conv(lista, limiti, lettura, {}, preferita == nullptr, preferita);
    Esploratore esploratore(x);
    Coppie coppie(sorgente);
    int64_t letti = -1;
    auto passo = [&] {
        if (sorgente.byteLetti() != letti) {
            letti = sorgente.byteLetti();
            barra.avanza(letti);
        }
    };
    int codice;
    std::string_view valore;
    while (coppie.prossima(codice, valore, passo)) {
        esploratore.coppia(codice, valore);
        conv.coppia(codice, valore);
    }
    esploratore.fine(sorgente, coppie);
    lettura.gruppiNonValidi = coppie.nonValidi();
    return conv.fine(origineLettura(x, preferita));
}

}  // namespace

void convertiDxf(std::string_view testo, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host* host,
                 LetturaDxf* lettura, const OrigineProgetto* preferita) {
    const Esplorazione x = esploraTesto(testo);
    LetturaDxf locale;
    LetturaDxf& l = lettura ? *lettura : locale;
    iniziaLettura(l, x, lettura ? preferita : nullptr);
    SorgenteRighe sorgente(testo, x.terminatore);
    converti(sorgente, disegno, limiti, l, host, x);
}

bool leggiFileDxf(const std::string& path, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host& host,
                  LetturaDxf* lettura, const OrigineProgetto* preferita) {
    LetturaDxf locale;
    LetturaDxf& l = lettura ? *lettura : locale;
    l = LetturaDxf{};
    l.esito = EsitoLetturaDxf::ErroreApertura;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    const long lunghezza = std::fseek(f, 0, SEEK_END) == 0 ? std::ftell(f) : -1;
    char inizio[18] = {};
    const bool binario = lunghezza >= 0 && std::fseek(f, 0, SEEK_SET) == 0 &&
                         std::fread(inizio, 1, sizeof inizio, f) == sizeof inizio &&
                         std::memcmp(inizio, "AutoCAD Binary DXF", sizeof inizio) == 0;
    if (lunghezza < 0 || binario || std::fseek(f, 0, SEEK_SET) != 0) {
        if (binario) l.esito = EsitoLetturaDxf::Binario;
        std::fclose(f);
        return false;
    }

    host.cursoreAttesa(true);
    host.mostraAttesa();
    auto fine = [&](bool esito) {
        std::fclose(f);
        host.chiudiAttesa();
        host.cursoreAttesa(false);
        return esito;
    };

    // Reading and conversion together, the file in blocks.
    host.CaptionLabel("Lettura del file .DXF in corso...");
    const OrigineProgetto* richiesta = lettura ? preferita : nullptr;
    Esplorazione x;
    bool fatta = false;
    {
        std::vector<DxfEntity> lista;
        LimitiDxf nuovi;
        LetturaDxf letta;
        SorgenteRighe sorgente(f, '\n');
        const bool origineGiusta = leggiEConverti(sorgente, lunghezza, lista, nuovi, letta, host, x, richiesta);
        if (sorgente.errore()) return fine(false);
        if (origineGiusta && !(x.righe <= 1 && lunghezza > 0) && !x.nonDxf()) {
            completaLettura(letta, x, richiesta);
            disegno.assignRaw(std::move(lista));
            limiti = nuovi;
            l = std::move(letta);
            fatta = true;
        }
    }
    if (fatta) return fine(true);
    if (x.righe <= 1 && lunghezza > 0) {
        // At most one LF: perhaps a file whose lines end with CR alone.
        std::vector<char> tutto(static_cast<std::size_t>(lunghezza));
        if (std::fseek(f, 0, SEEK_SET) != 0) return fine(false);
        tutto.resize(std::fread(tutto.data(), 1, tutto.size(), f));
        x = esploraTesto(std::string_view(tutto.data(), tutto.size()));
    }
    if (x.nonDxf()) {
        l.esito = EsitoLetturaDxf::NonDxf;
        return fine(false);
    }

    // Conversion: the file again from its start.
    if (std::fseek(f, 0, SEEK_SET) != 0) return fine(false);
    VbArray<DxfEntity> nuovo;
    LimitiDxf nuovi;
    LetturaDxf letta;
    iniziaLettura(letta, x, lettura ? preferita : nullptr);
    SorgenteRighe sorgente(f, x.terminatore);
    converti(sorgente, nuovo, nuovi, letta, &host, x);
    if (sorgente.errore()) return fine(false);
    disegno = std::move(nuovo);
    limiti = nuovi;
    l = std::move(letta);
    return fine(true);
}

const char* messaggioLetturaDxf(EsitoLetturaDxf esito) {
    switch (esito) {
    case EsitoLetturaDxf::Binario:
        return "Il file è un DXF binario, formato non supportato: salvare il disegno come DXF ASCII!";
    case EsitoLetturaDxf::NonDxf: return "Il file non contiene un disegno DXF in formato testo!";
    default: return "Errore di apertura del file!";
    }
}

bool ReadDxf(Workspace& ws, Host& host, const std::string& path, LimitiDxf* limitiLetti) {
    VbArray<DxfEntity> disegno;
    LimitiDxf limiti;
    LetturaDxf lettura;
    const OrigineProgetto origine = leggiOrigine(ws.Piano.Origine);
    if (!leggiFileDxf(path, disegno, limiti, host, &lettura, &origine)) {
        host.messaggio(messaggioLetturaDxf(lettura.esito));
        return false;
    }
    ws.DxfDrawing = std::move(disegno);
    ws.LetturaDisegno = std::move(lettura);
    const double s = ws.vista.scala;
    auto imposta = [](bool presente, double v, float& destinazione) {
        if (presente && std::isfinite(static_cast<float>(v))) destinazione = static_cast<float>(v);
    };
    imposta(limiti.haMinX, limiti.minX * s, ws.vista.offsetX);
    imposta(limiti.haMinY, -limiti.minY * s, ws.vista.offsetY);
    imposta(limiti.haMaxX, limiti.maxX * s, ws.vista.angoloX2);
    imposta(limiti.haMaxY, -limiti.maxY * s, ws.vista.angoloY2);
    if (limitiLetti) *limitiLetti = limiti;
    return true;
}

}  // namespace carvela
