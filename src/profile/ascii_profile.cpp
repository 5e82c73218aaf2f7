#include "profile/ascii_profile.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string_view>
#include <vector>

#include "profile/grade_lines.h"
#include "profile/profile_solve.h"
#include "project/records.h"
#include "project/vbtext.h"
#include "state/host.h"

namespace carvela {
namespace {

const char* const kNomeFormato = "file di profilo longitudinale ASCII";

// The point tables are (points x grade lines): a file asking for more cells than this is
// not a road profile, and dimensioning it would exhaust memory.
constexpr int64_t kMassimoCelleTabelle = 8'000'000;

// Progressives, elevations and radii beyond this (in metres) are no road's: accepting them
// would let the areas and slopes computed from them overflow single precision.
constexpr float kMassimoValore = 1.0e7f;

// ---- reading ----

// The values of the file, one per non-blank line, with the reason of the first failure.
class LettoreValori {
public:
    explicit LettoreValori(std::string testo) : testo_(std::move(testo)) {}

    bool intero(int32_t& out) {
        std::string_view t;
        if (!prossimo(t)) return false;
        std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
        bool cifre = i < t.size();
        for (std::size_t k = i; k < t.size(); ++k) cifre = cifre && t[k] >= '0' && t[k] <= '9';
        if (t.size() > 0 && t[0] == '+') t.remove_prefix(1);
        auto [fine, esito] = std::from_chars(t.data(), t.data() + t.size(), out);
        if (!cifre || esito != std::errc() || fine != t.data() + t.size()) return valoreErrato("un numero intero");
        return true;
    }

    // A decimal number with the point or the comma as separator, finite in single precision.
    bool decimale(float& out) {
        std::string_view t;
        if (!prossimo(t)) return false;
        double controllo;
        if (!leggiNumero(t, controllo)) return valoreErrato("un numero");
        std::string normale(t);
        for (char& c : normale)
            if (c == ',') c = '.';
        const char* inizio = normale.data();
        if (*inizio == '+') ++inizio;
        float v = 0;
        auto [fine, esito] = std::from_chars(inizio, normale.data() + normale.size(), v);
        if (esito != std::errc() || fine != normale.data() + normale.size() || !std::isfinite(v))
            return valoreErrato("un numero");
        if (std::fabs(v) > kMassimoValore) return valoreErrato("un numero non superiore a 10000000 in valore assoluto");
        out = v;
        return true;
    }

    // The side of a curve: "s" or "d", with or without quotes, in either case.
    bool verso(std::string& out) {
        std::string_view t;
        if (!prossimo(t)) return false;
        if (t.size() == 3 && t.front() == '"' && t.back() == '"') t = t.substr(1, 1);
        if (t == "s" || t == "S")
            out = "s";
        else if (t == "d" || t == "D")
            out = "d";
        else
            return valoreErrato("\"s\" o \"d\"");
        return true;
    }

    // True when another value follows (blank lines do not count).
    bool altriValori() {
        saltaVuote();
        return posizione_ < testo_.size();
    }

    // A failure found after reading (counts that disagree).
    bool incoerente(const std::string& motivo) {
        errore_ = "Il " + std::string(kNomeFormato) + " non è coerente: " + motivo + ".";
        return false;
    }

    const std::string& errore() const { return errore_; }

private:
    void saltaVuote() {
        while (posizione_ < testo_.size()) {
            std::size_t fine = testo_.find('\n', posizione_);
            if (fine == std::string::npos) fine = testo_.size();
            std::string_view riga = pulisci(std::string_view(testo_).substr(posizione_, fine - posizione_));
            if (!riga.empty()) return;
            posizione_ = fine + 1;
            ++rigaCorrente_;
        }
    }

    static std::string_view pulisci(std::string_view riga) {
        while (!riga.empty() && (riga.front() == ' ' || riga.front() == '\t')) riga.remove_prefix(1);
        while (!riga.empty() && (riga.back() == ' ' || riga.back() == '\t' || riga.back() == '\r'))
            riga.remove_suffix(1);
        return riga;
    }

    bool prossimo(std::string_view& out) {
        saltaVuote();
        if (posizione_ >= testo_.size()) {
            errore_ = rigaLetta_ == 0
                          ? "Il " + std::string(kNomeFormato) + " è vuoto."
                          : "Il " + std::string(kNomeFormato) + " è incompleto: i dati finiscono dopo la riga " +
                                std::to_string(rigaLetta_) + ".";
            return false;
        }
        std::size_t fine = testo_.find('\n', posizione_);
        if (fine == std::string::npos) fine = testo_.size();
        out = pulisci(std::string_view(testo_).substr(posizione_, fine - posizione_));
        posizione_ = fine + 1;
        rigaLetta_ = ++rigaCorrente_;
        return true;
    }

    bool valoreErrato(const char* atteso) {
        errore_ = "Valore non valido alla riga " + std::to_string(rigaLetta_) + " del " + kNomeFormato + ": è atteso " +
                  atteso + ".";
        return false;
    }

    std::string testo_;
    std::size_t posizione_ = 0;
    int64_t rigaCorrente_ = 0;  // lines consumed, blank ones included
    int64_t rigaLetta_ = 0;     // line of the last value read
    std::string errore_;
};

struct CurvaLetta {
    std::string verso;
    float raggio = 0;
    int32_t da = 0, a = 0;
};

// Everything the file holds, checked, before anything reaches the profile.
struct DatiProfiloAscii {
    int32_t punti = 0, livellette = 0;
    std::vector<float> progressive, terreno;
    std::vector<int32_t> puntiLivelletta;
    std::vector<CurvaLetta> curve;
    int32_t primaSezione = 0;
    uint8_t metodo = 0;
    std::vector<float> quoteInizio, quoteFine;  // per grade line, when the file gives them
    float quotaPartenza = 0;                    // method 5
};

bool leggiDati(LettoreValori& in, DatiProfiloAscii& d) {
    if (!in.intero(d.punti) || !in.intero(d.livellette)) return false;
    const int64_t p = d.punti, l = d.livellette;
    if (p < 0 || l < 0) return in.incoerente("numero di punti o di livellette negativo");
    if ((p == 0) != (l == 0)) return in.incoerente("punti elencati senza livellette o livellette senza punti");
    if (p < 2 * l) return in.incoerente("ogni livelletta richiede almeno due punti");
    if ((p + 1) * (l + 2) > kMassimoCelleTabelle) return in.incoerente("profilo troppo grande");

    for (int64_t i = 0; i < p; ++i) {
        float x, z;
        if (!in.decimale(x) || !in.decimale(z)) return false;
        d.progressive.push_back(x);
        d.terreno.push_back(z);
    }
    int64_t somma = 0;
    for (int64_t g = 1; g <= l; ++g) {
        int32_t n;
        if (!in.intero(n)) return false;
        if (n < 2) return in.incoerente("la livelletta " + std::to_string(g) + " ha meno di due punti");
        somma += n;
        d.puntiLivelletta.push_back(n);
    }
    if (somma != p)
        return in.incoerente("la somma dei punti delle livellette (" + std::to_string(somma) + ") non corrisponde ai " +
                             std::to_string(p) + " punti elencati");

    int32_t curve;
    if (!in.intero(curve)) return false;
    if (curve < 0) return in.incoerente("numero di curve negativo");
    for (int32_t c = 0; c < curve; ++c) {
        CurvaLetta k;
        if (!in.verso(k.verso) || !in.decimale(k.raggio) || !in.intero(k.da) || !in.intero(k.a)) return false;
        d.curve.push_back(k);
    }

    int32_t metodo;
    if (!in.intero(d.primaSezione) || !in.intero(metodo)) return false;
    // Section numbers are 16-bit; the first one places the rows of the profile page.
    if (d.primaSezione < -32768 || d.primaSezione > 32767)
        return in.incoerente("numero della prima sezione " + std::to_string(d.primaSezione) + " fuori misura");
    if (metodo < 0 || metodo > 5)
        return in.incoerente("metodo di calcolo delle livellette " + std::to_string(metodo) + " inesistente");
    d.metodo = static_cast<uint8_t>(metodo);

    // Section numbers of the curves become list positions by subtracting the first section.
    const int64_t sezioni = p + 1 - l;
    for (std::size_t c = 0; c < d.curve.size(); ++c) {
        const int64_t da = int64_t{d.curve[c].da} - d.primaSezione, a = int64_t{d.curve[c].a} - d.primaSezione;
        if (da < 0 || a < 0 || da > sezioni || a > sezioni)
            return in.incoerente("la curva " + std::to_string(c + 1) + " indica sezioni esterne al profilo");
    }

    // The end elevations: required by the slope method, one start elevation for method 5.
    // The other methods take them when present, so that their grade lines come back as
    // exported; an older file may stop right after the method.
    // A profile without points has no grade line to start: its start elevation, if any, is
    // read and dropped.
    if (p == 0) return d.metodo != 5 || !in.altriValori() || in.decimale(d.quotaPartenza);
    if (d.metodo == 5) return in.decimale(d.quotaPartenza);
    if (d.metodo == 0 || (d.metodo != 4 && !in.altriValori())) return true;
    for (int64_t g = 0; g < l; ++g) {
        float inizio, fine;
        if (!in.decimale(inizio) || !in.decimale(fine)) return false;
        d.quoteInizio.push_back(inizio);
        d.quoteFine.push_back(fine);
    }
    return true;
}

// The profile the file describes, built on a copy of the current one (the members the file
// does not carry keep their values).
Profilo costruisciProfilo(const DatiProfiloAscii& d, const Profilo& attuale, const std::string& path) {
    Profilo pr = attuale;
    const int32_t n = d.punti, l = d.livellette;
    pr.Origine = path;
    pr.NumeroLivellette = l;
    for (auto* t : {&pr.ProgressiveLiv, &pr.TerrenoLiv, &pr.ProgettoLiv, &pr.RosseLiv}) t->redim(n, l + 1);
    for (auto* v : {&pr.ListaSezioni, &pr.AscissePassaggio, &pr.QuotePassaggio, &pr.Progressive, &pr.QuoteTerreno,
                    &pr.QuoteProgetto, &pr.QuoteRosse})
        v->redim(n);
    for (auto* v : {&pr.AreaTrapezio, &pr.AreaTerreno, &pr.ListaLivellette, &pr.Pendenze, &pr.DistanzaPassaggio,
                    &pr.QuotaPassaggio})
        v->redim(l);
    pr.TabellaLivellette.redim(n, l);
    pr.PuntiLivelletta.redim(l);

    for (int32_t i = 1; i <= n; ++i) {
        pr.Progressive[i] = d.progressive[i - 1];
        pr.QuoteTerreno[i] = d.terreno[i - 1];
    }
    for (int32_t g = 1; g <= l; ++g) pr.PuntiLivelletta[g] = d.puntiLivelletta[g - 1];
    pr.NumeroSezioni = n == 0 ? 0 : n + 1 - l;

    const int32_t c = static_cast<int32_t>(d.curve.size());
    pr.NumeroCurve = c;
    pr.CurvaDa.redim(c);
    pr.CurvaA.redim(c);
    pr.CurvaVerso.redim(c);
    for (auto* v : {&pr.CurvaRaggio, &pr.CurvaTangente, &pr.CurvaSviluppo, &pr.CurvaApertura}) v->redim(c);
    // The stakes are not in the file: the old counts stay, new curves get none.
    if (pr.CurvaPicchetti.upperBound() < c) pr.CurvaPicchetti.redimPreserve(c);
    for (int32_t i = 1; i <= c; ++i) {
        pr.CurvaVerso[i] = d.curve[i - 1].verso;
        pr.CurvaRaggio[i] = d.curve[i - 1].raggio;
        pr.CurvaDa[i] = d.curve[i - 1].da;
        pr.CurvaA[i] = d.curve[i - 1].a;
    }
    pr.PrimaSezione = d.primaSezione;
    pr.MetodoLivellette = d.metodo;

    if (n > 0) ricostruisciTabelleLivellette(pr);

    if (n == 0) {
        // Nothing to place: the tables are empty whatever the method.
    } else if (d.metodo == 5) {
        pr.ProgettoLiv(1, 1) = d.quotaPartenza;
    } else if (!d.quoteInizio.empty()) {
        for (int32_t g = 1; g <= l; ++g) {
            const int32_t ultimo = pr.PuntiLivelletta[g];
            const double z1 = d.quoteInizio[g - 1], zn = d.quoteFine[g - 1];
            pr.ProgettoLiv(1, g) = static_cast<float>(z1);
            pr.ProgettoLiv(ultimo, g) = static_cast<float>(zn);
            // The slope of every grade line, the last included, follows from its ends; the
            // slope method needs it, the others recompute it.
            const double lunghezza = double{pr.ProgressiveLiv(ultimo, g)} - pr.ProgressiveLiv(1, g);
            // A length too short for its rise gives no slope a float can hold.
            const float pendenza = lunghezza != 0 ? static_cast<float>((zn - z1) / lunghezza) : 0.0f;
            if (lunghezza != 0 && std::isfinite(pendenza)) pr.Pendenze[g] = pendenza;
            // The pass-through point is not in the file: the start of the grade line lies on
            // the exported line and gives it back.
            pr.DistanzaPassaggio[g] = 0;
            pr.QuotaPassaggio[g] = static_cast<float>(z1);
        }
    }
    return pr;
}

// The first grade line whose end design elevations are not finite or exceed the bound the
// import accepts, or 0.
int32_t livellettaFuoriMisura(const Profilo& pr) {
    for (int32_t g = 1; g <= pr.NumeroLivellette; ++g)
        for (int32_t i : {1, pr.PuntiLivelletta.get(g)}) {
            const float z = pr.ProgettoLiv.get(i, g);
            if (!std::isfinite(z) || std::fabs(z) > kMassimoValore) return g;
        }
    return 0;
}

// ---- writing ----

void scriviNumero(std::ostream& out, float v) {
    char buffer[32];
    auto [fine, esito] = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.write(buffer, fine - buffer);
    out << "\r\n";
}

void scriviIntero(std::ostream& out, int64_t v) { out << v << "\r\n"; }

bool finito(float v) { return std::isfinite(v); }

// The text of the file, or an empty text with the reason in `errore`.
std::string testoProfilo(const Profilo& pr, std::string& errore) {
    // Grade lines and their point counts; a profile whose sections were never divided into
    // grade lines is one grade line over all of them.
    std::vector<int32_t> punti;
    if (pr.NumeroLivellette >= 1) {
        int64_t sezioni = 1;
        for (int32_t g = 1; g <= pr.NumeroLivellette; ++g) {
            const int32_t k = pr.PuntiLivelletta.get(g);
            if (k < 2) {
                errore = "la livelletta " + std::to_string(g) + " ha meno di due punti";
                return {};
            }
            punti.push_back(k);
            sezioni += k - 1;
        }
        if (sezioni != pr.NumeroSezioni) {
            errore = "i punti delle livellette non corrispondono alle sezioni";
            return {};
        }
    } else if (pr.NumeroSezioni >= 2) {
        punti.push_back(pr.NumeroSezioni);
    } else if (pr.NumeroSezioni == 1) {
        errore = "una sola sezione";
        return {};
    }
    if (pr.NumeroSezioni > 0 && !pr.Progressive.has(pr.NumeroSezioni)) {
        errore = "le sezioni non sono tutte presenti";
        return {};
    }
    if (pr.MetodoLivellette > 5) {
        errore = "metodo di calcolo delle livellette inesistente";
        return {};
    }

    std::ostringstream out;
    int64_t totale = 0;
    for (int32_t k : punti) totale += k;
    scriviIntero(out, totale);
    scriviIntero(out, static_cast<int64_t>(punti.size()));
    int32_t primo = 0;  // flat position before the first point of the grade line
    for (int32_t k : punti) {
        for (int32_t j = 1; j <= k; ++j) {
            const float x = pr.Progressive.get(primo + j), z = pr.QuoteTerreno.get(primo + j);
            if (!finito(x) || !finito(z)) {
                errore = "la sezione " + std::to_string(primo + j) + " ha valori non numerici";
                return {};
            }
            scriviNumero(out, x);
            scriviNumero(out, z);
        }
        primo += k - 1;
    }
    for (int32_t k : punti) scriviIntero(out, k);
    const int32_t curve = std::max(pr.NumeroCurve, 0);
    scriviIntero(out, curve);
    for (int32_t c = 1; c <= curve; ++c) {
        const float raggio = pr.CurvaRaggio.get(c);
        if (!finito(raggio)) {
            errore = "la curva " + std::to_string(c) + " ha un raggio non numerico";
            return {};
        }
        const int64_t da = int64_t{pr.CurvaDa.get(c)} - pr.PrimaSezione,
                      a = int64_t{pr.CurvaA.get(c)} - pr.PrimaSezione;
        if (da < 0 || a < 0 || da > pr.NumeroSezioni || a > pr.NumeroSezioni) {
            errore = "la curva " + std::to_string(c) + " indica sezioni esterne al profilo";
            return {};
        }
        const std::string verso = pr.CurvaVerso.get(c);
        out << (verso == "d" || verso == "D" ? "d" : "s") << "\r\n";
        scriviNumero(out, raggio);
        scriviIntero(out, pr.CurvaDa.get(c));
        scriviIntero(out, pr.CurvaA.get(c));
    }
    scriviIntero(out, pr.PrimaSezione);
    scriviIntero(out, pr.MetodoLivellette);
    for (std::size_t g = 1; g <= punti.size(); ++g) {
        const int32_t gi = static_cast<int32_t>(g);
        const float z1 = pr.ProgettoLiv.get(1, gi), zn = pr.ProgettoLiv.get(punti[g - 1], gi);
        if (!finito(z1) || !finito(zn)) {
            errore = "la livelletta " + std::to_string(g) + " ha quote di progetto non numeriche";
            return {};
        }
        if (std::fabs(z1) > kMassimoValore || std::fabs(zn) > kMassimoValore) {
            errore = "la livelletta " + std::to_string(g) + " ha quote di progetto superiori a 10000000";
            return {};
        }
        scriviNumero(out, z1);
        scriviNumero(out, zn);
    }
    return out.str();
}

}  // namespace

bool esportaProfiloAscii(const std::string& path, const Profilo& profilo, Host& host) {
    std::string errore;
    const std::string testo = testoProfilo(profilo, errore);
    if (!errore.empty()) {
        host.messaggio("Impossibile esportare il profilo longitudinale: " + errore + ".", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    // Written beside the target and renamed over it, so a failed write keeps the old file.
    const std::string temporaneo = path + ".tmp";
    {
        std::ofstream out(temporaneo, std::ios::binary | std::ios::trunc);
        out << testo;
        out.close();
        if (!out) {
            std::error_code ignorato;
            std::filesystem::remove(temporaneo, ignorato);
            host.messaggio("Impossibile scrivere il file " + path + ".", Pulsanti::Ok, Icona::Critico);
            return false;
        }
    }
    std::error_code esito;
    std::filesystem::rename(temporaneo, path, esito);
    if (esito) {
        std::filesystem::remove(temporaneo, esito);
        host.messaggio("Impossibile scrivere il file " + path + ".", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    return true;
}

bool importaProfiloAscii(const std::string& path, Profilo& profilo, Host& host) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        host.messaggio("Impossibile aprire il file " + path + ".", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    std::ostringstream contenuto;
    contenuto << in.rdbuf();
    LettoreValori lettore(contenuto.str());
    DatiProfiloAscii dati;
    if (!leggiDati(lettore, dati)) {
        host.messaggio(lettore.errore(), Pulsanti::Ok, Icona::Critico);
        return false;
    }

    Profilo nuovo = costruisciProfilo(dati, profilo, path);
    if (nuovo.MetodoLivellette != 0 && nuovo.NumeroSezioni > 0) {
        std::vector<int> nonRisolte;
        risolviProfilo(nuovo, &nonRisolte);
        if (!nonRisolte.empty()) host.messaggio(messaggioLivelletteNonRisolte(nonRisolte), Pulsanti::Ok, Icona::Avviso);
        // Progressives out of order can make the solved grade lines run far off: what the
        // export would write must be what the import reads back.
        if (const int32_t g = livellettaFuoriMisura(nuovo)) {
            host.messaggio("Il " + std::string(kNomeFormato) +
                               " non è coerente: le quote di progetto della livelletta " + std::to_string(g) +
                               " superano 10000000 in valore assoluto.",
                           Pulsanti::Ok, Icona::Critico);
            return false;
        }
    }
    profilo = std::move(nuovo);
    if (dati.metodo == 5) host.beep();
    return true;
}

}  // namespace carvela
