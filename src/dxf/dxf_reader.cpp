#include "dxf/dxf_reader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "dxf/dxf_progress.h"
#include "dxf/dxf_text.h"
#include "project/vbtext.h"
#include "shell/host.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

enum class Tipo { Nessuno, Point, Line, Circle, Arc, Text, Seqend, Vertex, Polyline, LimMin, LimMax };

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
    default: return Tipo::Nessuno;
    }
}

// Group codes the reader acts on; codes are compared as the trimmed text of their line.
enum class Codice { Altro, Zero, Uno, Otto, C10, C20, C30, C11, C21, C31, C40, C50, C51, C62, C70 };

Codice codiceGruppo(std::string_view r) {
    if (r.size() == 1) {
        switch (r[0]) {
        case '0': return Codice::Zero;
        case '1': return Codice::Uno;
        case '8': return Codice::Otto;
        default: return Codice::Altro;
        }
    }
    if (r.size() != 2) return Codice::Altro;
    switch (r[0]) {
    case '1': return r[1] == '0' ? Codice::C10 : r[1] == '1' ? Codice::C11 : Codice::Altro;
    case '2': return r[1] == '0' ? Codice::C20 : r[1] == '1' ? Codice::C21 : Codice::Altro;
    case '3': return r[1] == '0' ? Codice::C30 : r[1] == '1' ? Codice::C31 : Codice::Altro;
    case '4': return r[1] == '0' ? Codice::C40 : Codice::Altro;
    case '5': return r[1] == '0' ? Codice::C50 : r[1] == '1' ? Codice::C51 : Codice::Altro;
    case '6': return r[1] == '2' ? Codice::C62 : Codice::Altro;
    case '7': return r[1] == '0' ? Codice::C70 : Codice::Altro;
    default: return Codice::Altro;
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

// The lines of a text, and those that are a keyword: no file has more entities than that,
// so the entity list is made once at its size instead of growing through copies.
struct ConteggioRighe {
    int64_t righe = 0;
    int64_t paroleChiave = 0;
    char terminatore = '\n';
};

// Counts the lines of a source; `avanzamento` hears the bytes read after every block.
template <class Avanzamento>
void contaRighe(SorgenteRighe& sorgente, ConteggioRighe& n, Avanzamento&& avanzamento) {
    std::string_view r;
    int64_t letti = -1;
    while (sorgente.prossima(r)) {
        ++n.righe;
        // Group-code and number lines start with a digit, a sign or a point: most stop here.
        if (!r.empty() && ((r[0] >= 'A' && r[0] <= 'Z') || r[0] == '$') && tipoParolaChiave(r) != Tipo::Nessuno)
            ++n.paroleChiave;
        if (sorgente.byteLetti() != letti) {
            letti = sorgente.byteLetti();
            avanzamento(letti);
        }
    }
}

ConteggioRighe contaTesto(std::string_view testo) {
    ConteggioRighe n;
    n.terminatore = terminatoreRighe(testo);
    SorgenteRighe sorgente(testo, n.terminatore);
    contaRighe(sorgente, n, [](int64_t) {});
    return n;
}

float comeFloat(double v) { return static_cast<float>(v); }

float radianti(double gradi) { return static_cast<float>(gradi * 2.0 * 3.1415929794311523 / 360.0); }

uint8_t byteFlag(double v) {
    int64_t n = arrotondaPari(v);
    return n < 0 || n > 255 ? 0 : static_cast<uint8_t>(n);
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

namespace {

void converti(SorgenteRighe& cursore, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host* host,
              const ConteggioRighe& conteggio) {
    if (host) host->CaptionLabel("Conversione del file .DXF in corso...");
    BarraDxf barra(host, conteggio.righe, 100);

    std::vector<DxfEntity> lista;
    lista.reserve(static_cast<std::size_t>(conteggio.paroleChiave) + 1);
    lista.emplace_back();  // slot 0 stays empty, as every user expects
    std::string_view riga, codice, valore;
    bool rimandata = false;  // the value line of a group 0 is looked at again as a keyword
    int64_t prossimoAggiornamento = 100;

    auto prossima = [&](std::string_view& r) {
        bool ok = cursore.prossima(r);
        if (cursore.lette() >= prossimoAggiornamento) {
            barra.avanza(cursore.lette());
            prossimoAggiornamento = cursore.lette() + 100;
        }
        return ok;
    };

    while (true) {
        if (rimandata) {
            riga = valore;
            rimandata = false;
        } else if (!prossima(riga)) {
            break;
        }
        Tipo tipo = tipoParolaChiave(riga);
        if (tipo == Tipo::Nessuno) continue;

        DxfEntity& e = lista.emplace_back();
        e.Nome = nomeTipo(tipo);
        e.Colore = 15;

        bool finita = false;
        while (!finita) {
            if (!prossima(codice)) break;
            Codice c = codiceGruppo(codice);
            if (!prossima(valore)) break;
            switch (c) {
            case Codice::Zero:
                // A new entity starts: whatever this one still missed never comes.
                rimandata = true;
                finita = true;
                break;
            case Codice::Otto:
                assegnaTestoDxf(e.Layer, valore);
                finita = tipo == Tipo::Seqend;
                break;
            case Codice::C62: {
                double v = valoreDxf(valore);
                e.Colore = std::fabs(v) <= 32767.5 ? colorePaletteDaDxf(static_cast<int>(arrotondaPari(v))) : 15;
                break;
            }
            case Codice::C10: {
                double v = valoreDxf(valore);
                e.X1 = comeFloat(v);
                if (tipo == Tipo::LimMin) limiti.minX = v, limiti.haMinX = true;
                if (tipo == Tipo::LimMax) limiti.maxX = v, limiti.haMaxX = true;
                break;
            }
            case Codice::C20: {
                double v = valoreDxf(valore);
                e.Y1 = comeFloat(v);
                if (tipo == Tipo::LimMin) limiti.minY = v, limiti.haMinY = true, finita = true;
                if (tipo == Tipo::LimMax) limiti.maxY = v, limiti.haMaxY = true, finita = true;
                break;
            }
            case Codice::C30: {
                e.Z1 = comeFloat(valoreDxf(valore));
                if (tipo == Tipo::Point) {
                    finita = true;
                } else if (tipo == Tipo::Polyline || tipo == Tipo::Vertex) {
                    // Group 70 directly after the 30 gives the flags; without it a vertex is
                    // taken as a 3D polyline vertex.
                    std::string_view dopo;
                    uint8_t flag = tipo == Tipo::Vertex ? 32 : 0;
                    if (prossima(dopo) && dopo == "70") {
                        std::string_view v;
                        flag = prossima(v) ? byteFlag(valoreDxf(v)) : 0;
                    }
                    if (tipo == Tipo::Vertex)
                        e.FlagVertice = flag;
                    else
                        e.FlagPolilinea = flag;
                    finita = true;
                }
                break;
            }
            case Codice::C11: e.X2 = comeFloat(valoreDxf(valore)); break;
            case Codice::C21: e.Y2 = comeFloat(valoreDxf(valore)); break;
            case Codice::C31:
                e.Z2 = comeFloat(valoreDxf(valore));
                finita = tipo == Tipo::Line;
                break;
            case Codice::C40:
                e.R = comeFloat(valoreDxf(valore));
                finita = tipo == Tipo::Circle;
                break;
            case Codice::Uno:
                assegnaTestoDxf(e.Testo, valore);
                finita = tipo == Tipo::Text;
                break;
            case Codice::C50: e.AngoloIniziale = radianti(valoreDxf(valore)); break;
            case Codice::C51:
                e.AngoloFinale = radianti(valoreDxf(valore));
                finita = tipo == Tipo::Arc;
                break;
            default: break;
            }
        }
    }
    disegno.assignRaw(std::move(lista));
}

}  // namespace

void convertiDxf(std::string_view testo, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host* host) {
    const ConteggioRighe conteggio = contaTesto(testo);
    SorgenteRighe sorgente(testo, conteggio.terminatore);
    converti(sorgente, disegno, limiti, host, conteggio);
}

bool leggiFileDxf(const std::string& path, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host& host) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    const long lunghezza = std::fseek(f, 0, SEEK_END) == 0 ? std::ftell(f) : -1;
    char inizio[18] = {};
    const bool binario = lunghezza >= 0 && std::fseek(f, 0, SEEK_SET) == 0 &&
                         std::fread(inizio, 1, sizeof inizio, f) == sizeof inizio &&
                         std::memcmp(inizio, "AutoCAD Binary DXF", sizeof inizio) == 0;
    if (lunghezza < 0 || binario || std::fseek(f, 0, SEEK_SET) != 0) {
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

    // Reading: the file in blocks, counting its lines for the conversion's bar.
    host.CaptionLabel("Lettura del file .DXF in corso...");
    BarraDxf barra(&host, lunghezza, 1000);
    ConteggioRighe conteggio;
    {
        SorgenteRighe sorgente(f, '\n');
        contaRighe(sorgente, conteggio, [&](int64_t letti) { barra.avanza(letti); });
        if (sorgente.errore()) return fine(false);
    }
    if (conteggio.righe <= 1 && lunghezza > 0) {
        // At most one LF: perhaps a file whose lines end with CR alone.
        std::vector<char> tutto(static_cast<std::size_t>(lunghezza));
        if (std::fseek(f, 0, SEEK_SET) != 0) return fine(false);
        tutto.resize(std::fread(tutto.data(), 1, tutto.size(), f));
        conteggio = contaTesto(std::string_view(tutto.data(), tutto.size()));
    }

    // Conversion: the file again from its start.
    if (std::fseek(f, 0, SEEK_SET) != 0) return fine(false);
    VbArray<DxfEntity> nuovo;
    LimitiDxf nuovi;
    SorgenteRighe sorgente(f, conteggio.terminatore);
    converti(sorgente, nuovo, nuovi, &host, conteggio);
    if (sorgente.errore()) return fine(false);
    disegno = std::move(nuovo);
    limiti = nuovi;
    return fine(true);
}

bool ReadDxf(Workspace& ws, Host& host, const std::string& path, LimitiDxf* limitiLetti) {
    VbArray<DxfEntity> disegno;
    LimitiDxf limiti;
    if (!leggiFileDxf(path, disegno, limiti, host)) {
        host.messaggio("Errore di apertura del file!");
        return false;
    }
    ws.DxfDrawing = std::move(disegno);
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
