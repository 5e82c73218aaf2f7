#include "sections/section_solve.h"

#include <cmath>
#include <vector>

#include "project/records.h"
#include "road/geometry.h"
#include "state/settings.h"

namespace carvela {
namespace {

constexpr double kPi = 3.1415929794311523;  // the program's pi
// The gradient table is scratch kept for the file layout; past this many ground points it
// would cost megabytes per section, so it is left out (the solve works on its own copy).
constexpr int kMaxPuntiTabellaPendenze = 1024;

struct Punto {
    double x = 0, z = 0;
};

// The section being solved, as doubles read from the single-precision record.
class Solutore {
public:
    Solutore(Sezione& s, const Impostazioni& imp) : s_(s), imp_(imp) {}

    EsitoSezione esegui();

private:
    double x(int i) const { return xs_[static_cast<std::size_t>(i)]; }
    double z(int i) const { return zs_[static_cast<std::size_t>(i)]; }
    int n() const { return static_cast<int>(xs_.size()) - 1; }

    EsitoSezione verificaDati();
    void ricreaPendenze();
    int segmentoCiglio(double xe) const;
    void calcolaCiglio(double xe, float& rossa);
    bool incontro(double ex, double ez, double rx, double rz, int i, double& cx, double& cz) const;
    bool piedeSinistro(double cosL);
    bool piedeDestro(double cosR);
    void inserisciPunto(int posizione, double xp, double zp);
    void scriviTerreno();
    void incroci();
    void rossaAsse();
    void presenze();
    void aree();
    double poligono(const std::vector<Punto>& vertici);
    void neutro();

    Sezione& s_;
    const Impostazioni& imp_;
    std::vector<double> xs_, zs_;   // position 0 unused
    std::vector<double> pendenze_;  // pendenze_[i]: gradient of ground segment i
    double W_ = 0, Z_ = 0, h_ = 0;
};

bool finito(double v) { return std::isfinite(v); }

EsitoSezione Solutore::verificaDati() {
    int16_t numero = s_.NumeroPunti;
    if (numero < 2 || s_.DistanzeTerreno.upperBound() < numero || s_.QuoteTerreno.upperBound() < numero)
        return EsitoSezione::PuntiInsufficienti;
    W_ = s_.Larghezza;
    Z_ = s_.QuotaProgetto;
    h_ = W_ / 2;
    if (!finito(W_) || !finito(Z_) || W_ < 0) return EsitoSezione::ValoriNonValidi;
    xs_.assign(static_cast<std::size_t>(numero) + 1, 0.0);
    zs_.assign(static_cast<std::size_t>(numero) + 1, 0.0);
    for (int i = 1; i <= numero; ++i) {
        xs_[static_cast<std::size_t>(i)] = s_.DistanzeTerreno[i];
        zs_[static_cast<std::size_t>(i)] = s_.QuoteTerreno[i];
        if (!finito(x(i)) || !finito(z(i))) return EsitoSezione::ValoriNonValidi;
    }
    for (int i = 1; i < numero; ++i)
        if (x(i + 1) < x(i)) return EsitoSezione::DistanzeNonCrescenti;
    // Both edges must fall on the ground line; walls are added at its ends, so checking
    // now means a failed solve never leaves half-built walls behind.
    if (x(1) > -h_ || x(numero) < h_) return EsitoSezione::CiglioFuoriTerreno;
    return EsitoSezione::Risolta;
}

// Gradient of each segment; a vertical step (a wall) gets 0 rather than an infinity.
void Solutore::ricreaPendenze() {
    const int N = n();
    pendenze_.assign(static_cast<std::size_t>(N) + 1, 0.0);
    bool tabella = N <= kMaxPuntiTabellaPendenze;
    if (tabella)
        s_.Pendenze.redim(N, N);
    else
        s_.Pendenze.erase();
    for (int i = 1; i < N; ++i) {
        double dx = std::fabs(x(i + 1) - x(i));
        float g = dx > 0 ? static_cast<float>((z(i + 1) - z(i)) / dx) : 0.0f;
        if (!std::isfinite(g)) g = 0;
        pendenze_[static_cast<std::size_t>(i)] = g;
        if (tabella) s_.Pendenze(i + 1, i) = g;
    }
}

// The first segment spanning xe. A wall standing exactly on the edge is passed over in
// favour of the sloping segment beside it, so the edge gets the ground under the wall.
int Solutore::segmentoCiglio(double xe) const {
    int verticale = 0;
    for (int i = 1; i < n(); ++i) {
        if (x(i) <= xe && xe <= x(i + 1)) {
            if (x(i) < x(i + 1)) return i;
            if (verticale == 0) verticale = i;
        }
    }
    return verticale;
}

void Solutore::calcolaCiglio(double xe, float& rossa) {
    int i = segmentoCiglio(xe);
    if (i == 0) return;  // cannot happen once verificaDati passed
    double G = std::fabs(x(i) - xe) * pendenze_[static_cast<std::size_t>(i)] + z(i);
    s_.QuotaTerrenoCiglio = static_cast<float>(G);
    rossa = static_cast<float>(Z_ - G);
}

// Slope segment E-R against ground segment i. A vertical ground segment is met when the
// slope passes within its height: the bearing-based test cannot see a zero-width range.
bool Solutore::incontro(double ex, double ez, double rx, double rz, int i, double& cx, double& cz) const {
    if (x(i) == x(i + 1)) {
        double xv = x(i);
        if (xv < std::fmin(ex, rx) || xv > std::fmax(ex, rx) || rx == ex) return false;
        double zv = ez + (rz - ez) * (xv - ex) / (rx - ex);
        if (zv < std::fmin(z(i), z(i + 1)) || zv > std::fmax(z(i), z(i + 1))) return false;
        cx = xv;
        cz = zv;
        return true;
    }
    return intersezioneSegmenti(ex, ez, rx, rz, x(i), z(i), x(i + 1), z(i + 1), cx, cz);
}

// From the outermost segment inwards: the last hit, nearest the platform, wins.
bool Solutore::piedeSinistro(double cosL) {
    bool trovato = false;
    for (int i = 1; i <= n() - 1 && x(i) <= -h_; ++i) {
        double rz = Z_ + (x(i) + h_) * cosL;
        double cx = 0, cz = 0;
        if (incontro(-h_, Z_, x(i), rz, i, cx, cz)) {
            s_.XPiedeSinistro = static_cast<float>(cx);
            s_.ZPiedeSinistro = static_cast<float>(cz);
            s_.ScostamentoSinistro = static_cast<float>(cx + h_);
            trovato = true;
        } else if (static_cast<float>(rz) == static_cast<float>(z(i))) {
            // The slope runs exactly through ground point i (a wall top of an earlier solve).
            s_.XPiedeSinistro = static_cast<float>(x(i));
            s_.ZPiedeSinistro = static_cast<float>(z(i));
            s_.ScostamentoSinistro = static_cast<float>(x(i) + h_);
            trovato = true;
        }
    }
    return trovato;
}

bool Solutore::piedeDestro(double cosR) {
    bool trovato = false;
    for (int i = n() - 1; i >= 1 && x(i + 1) >= h_; --i) {
        double rz = Z_ + (x(i + 1) - h_) * cosR;
        double cx = 0, cz = 0;
        if (incontro(h_, Z_, x(i + 1), rz, i, cx, cz)) {
            s_.XPiedeDestro = static_cast<float>(cx);
            s_.ZPiedeDestro = static_cast<float>(cz);
            s_.ScostamentoDestro = static_cast<float>(cx - h_);
            trovato = true;
        } else if (static_cast<float>(rz) == static_cast<float>(z(i + 1))) {
            s_.XPiedeDestro = static_cast<float>(x(i + 1));
            s_.ZPiedeDestro = static_cast<float>(z(i + 1));
            s_.ScostamentoDestro = static_cast<float>(x(i + 1) - h_);
            trovato = true;
        }
    }
    return trovato;
}

// Values go through single precision, as they are stored, before the solve reads them again.
void Solutore::inserisciPunto(int posizione, double xp, double zp) {
    xs_.insert(xs_.begin() + posizione, static_cast<float>(xp));
    zs_.insert(zs_.begin() + posizione, static_cast<float>(zp));
    scriviTerreno();
    ricreaPendenze();
}

void Solutore::scriviTerreno() {
    const int N = n();
    s_.NumeroPunti = static_cast<int16_t>(N);
    s_.DistanzeTerreno.redimPreserve(N);
    s_.QuoteTerreno.redimPreserve(N);
    for (int i = 1; i <= N; ++i) {
        s_.DistanzeTerreno[i] = static_cast<float>(x(i));
        s_.QuoteTerreno[i] = static_cast<float>(z(i));
    }
}

void Solutore::incroci() {
    for (int i = 1; i < n(); ++i) {
        double d1 = z(i) - Z_, d2 = z(i + 1) - Z_;
        if ((d1 < 0 && d2 >= 0) || (d1 > 0 && d2 <= 0)) {
            double c = x(i) + std::fabs(d1) * std::fabs(x(i + 1) - x(i)) / (std::fabs(d1) + std::fabs(d2));
            if (std::fabs(c) <= h_) {
                ++s_.NumeroIntersezioni;
                s_.Intersezioni.ensure(s_.NumeroIntersezioni);
                s_.Intersezioni[s_.NumeroIntersezioni] = static_cast<float>(c);
            }
        }
    }
}

void Solutore::rossaAsse() {
    for (int i = 1; i < n(); ++i) {
        if (x(i) <= 0 && 0 < x(i + 1)) {
            s_.RossaAsse = static_cast<float>(Z_ - (pendenze_[static_cast<std::size_t>(i)] * std::fabs(x(i)) + z(i)));
            return;
        }
    }
    // A zero-width road on a ground line ending at the axis: the last point is the axis.
    if (x(n()) == 0) s_.RossaAsse = static_cast<float>(Z_ - z(n()));
}

void Solutore::presenze() {
    s_.PresenteSterro = 0;
    s_.PresenteRiporto = 0;
    for (int i = 1; i <= n(); ++i) {
        if (x(i) < -h_ || x(i) > h_) continue;
        if (z(i) > Z_) s_.PresenteSterro = 1;
        if (z(i) < Z_) s_.PresenteRiporto = 1;
    }
    if (s_.RossaCiglioSinistro < 0 || s_.RossaCiglioDestro < 0) s_.PresenteSterro = 1;
    if (s_.RossaCiglioSinistro > 0 || s_.RossaCiglioDestro > 0) s_.PresenteRiporto = 1;
}

// Shoelace sum over the closed polygon; the polygon is also kept in the record.
double Solutore::poligono(const std::vector<Punto>& v) {
    int32_t m = static_cast<int32_t>(v.size());
    s_.PoligonoX.ensure(m);
    s_.PoligonoZ.ensure(m);
    double S = 0;
    for (int32_t k = 0; k < m; ++k) {
        const Punto& a = v[static_cast<std::size_t>(k)];
        const Punto& b = v[static_cast<std::size_t>((k + 1) % m)];
        S += (b.z + a.z) * (b.x - a.x) / 2;
        s_.PoligonoX[k + 1] = static_cast<float>(a.x);
        s_.PoligonoZ[k + 1] = static_cast<float>(a.z);
    }
    return S;
}

void Solutore::aree() {
    const Punto piedeS{s_.XPiedeSinistro, s_.ZPiedeSinistro};
    const Punto piedeD{s_.XPiedeDestro, s_.ZPiedeDestro};
    const Punto ciglioS{-h_, Z_}, ciglioD{h_, Z_};
    double sterro = 0, riporto = 0;

    auto terreno = [&](std::vector<Punto>& v, double da, double a, bool crescente) {
        if (crescente) {
            for (int i = 1; i <= n(); ++i)
                if (x(i) >= da && x(i) <= a) v.push_back({x(i), z(i)});
        } else {
            for (int i = n(); i >= 1; --i)
                if (x(i) >= da && x(i) <= a) v.push_back({x(i), z(i)});
        }
    };
    auto pezzoSterro = [&](const std::vector<Punto>& v) {
        double S = poligono(v);
        s_.SommaSterroPezzo = static_cast<float>(S);
        sterro += S;
    };
    auto pezzoRiporto = [&](const std::vector<Punto>& v) {
        double S = poligono(v);
        s_.SommaRiportoPezzo = static_cast<float>(-S);
        riporto -= S;
    };

    const int m = s_.NumeroIntersezioni;
    const bool entrambi = s_.PresenteSterro == 1 && s_.PresenteRiporto == 1;
    if (entrambi && m > 0) {
        for (int k = 1; k <= m + 1; ++k) {
            const bool primo = k == 1, ultimo = k == m + 1;
            double da = primo ? piedeS.x : s_.Intersezioni[k - 1];
            double a = ultimo ? piedeD.x : s_.Intersezioni[k];
            s_.PresenteSterro = 0;
            s_.PresenteRiporto = 0;
            s_.SommaSterroPezzo = 0;
            s_.SommaRiportoPezzo = 0;
            for (int i = 1; i <= n(); ++i) {
                if (x(i) < da || x(i) > a) continue;
                if (z(i) < Z_) s_.PresenteRiporto = 1;
                if (z(i) > Z_) s_.PresenteSterro = 1;
            }
            if (primo && s_.RossaCiglioSinistro > 0) s_.PresenteRiporto = 1;
            if (ultimo && s_.RossaCiglioDestro > 0) s_.PresenteRiporto = 1;
            if (primo && s_.RossaCiglioSinistro < 0) s_.PresenteSterro = 1;
            if (ultimo && s_.RossaCiglioDestro < 0) s_.PresenteSterro = 1;
            const bool riportoPezzo = s_.PresenteRiporto == 1;

            std::vector<Punto> v;
            if (primo) {
                if (riportoPezzo) {
                    v = {piedeS, ciglioS, {a, Z_}};
                    terreno(v, da, a, false);
                } else {
                    v = {{a, Z_}, ciglioS, piedeS};
                    terreno(v, da, a, true);
                }
            } else if (ultimo) {
                if (riportoPezzo) {
                    v = {{da, Z_}, ciglioD, piedeD};
                    terreno(v, da, a, false);
                } else {
                    v = {piedeD, ciglioD, {da, Z_}};
                    terreno(v, da, a, true);
                }
            } else {
                if (riportoPezzo) {
                    v = {{da, Z_}, {a, Z_}};
                    terreno(v, da, a, false);
                } else {
                    v = {{a, Z_}, {da, Z_}};
                    terreno(v, da, a, true);
                }
            }
            if (riportoPezzo)
                pezzoRiporto(v);
            else
                pezzoSterro(v);
        }
    } else if (entrambi) {
        // Cut and fill both present but no crossing within the platform (the ground meets
        // the platform level right at an edge, within rounding): the cut-shaped polygon's
        // signed area is the net of the two, booked on the side it falls.
        std::vector<Punto> v = {piedeD, ciglioD, ciglioS, piedeS};
        terreno(v, piedeS.x, piedeD.x, true);
        double S = poligono(v);
        if (S >= 0)
            sterro += S;
        else
            riporto += S;
    } else if (s_.PresenteSterro == 1) {
        std::vector<Punto> v = {piedeD, ciglioD, ciglioS, piedeS};
        terreno(v, piedeS.x, piedeD.x, true);
        pezzoSterro(v);
    } else {
        std::vector<Punto> v = {piedeS, ciglioS, ciglioD, piedeD};
        terreno(v, piedeS.x, piedeD.x, false);
        pezzoRiporto(v);
    }
    s_.AreaSterro = static_cast<float>(sterro);
    s_.AreaRiporto = static_cast<float>(riporto);
}

// The results of a section that could not be solved: nothing of an earlier solve survives.
void Solutore::neutro() {
    double h = std::isfinite(s_.Larghezza) ? s_.Larghezza / 2.0 : 0.0;
    float Z = std::isfinite(s_.QuotaProgetto) ? s_.QuotaProgetto : 0.0f;
    s_.RossaCiglioSinistro = s_.RossaCiglioDestro = s_.RossaAsse = 0;
    s_.ScostamentoSinistro = s_.ScostamentoDestro = 0;
    s_.XPiedeSinistro = static_cast<float>(-h);
    s_.XPiedeDestro = static_cast<float>(h);
    s_.ZPiedeSinistro = s_.ZPiedeDestro = Z;
    s_.NumeroIntersezioni = 0;
    s_.PresenteSterro = s_.PresenteRiporto = 0;
    s_.SommaSterroPezzo = s_.SommaRiportoPezzo = 0;
    s_.AreaRiporto = s_.AreaSterro = 0;
    int32_t N = s_.NumeroPunti > 0 ? s_.NumeroPunti : 0;
    s_.Intersezioni.redim(N);
    s_.PoligonoX.redim(N + 5);
    s_.PoligonoZ.redim(N + 5);
    s_.Risolta = false;
}

EsitoSezione Solutore::esegui() {
    EsitoSezione esito = verificaDati();
    if (esito != EsitoSezione::Risolta) {
        neutro();
        return esito;
    }
    ricreaPendenze();
    const double alfaS = imp_.InclinazioneScarpataSterro, alfaR = imp_.InclinazioneScarpataRiporto;

    // Left edge, slope and catch point (a wall when the slope runs off the ground).
    calcolaCiglio(-h_, s_.RossaCiglioSinistro);
    const double thetaL = s_.RossaCiglioSinistro < 0 ? 2 * kPi / 3 + alfaS : kPi - alfaR;
    const double cosL = std::cos(thetaL);
    if (!piedeSinistro(cosL)) {
        if (!imp_.MuroSezione) {
            neutro();
            return EsitoSezione::ScarpataSenzaTerreno;
        }
        double xm = x(1);
        inserisciPunto(1, xm, Z_ + (xm + h_) * cosL);
        s_.XPiedeSinistro = static_cast<float>(x(1));
        s_.ZPiedeSinistro = static_cast<float>(z(1));
        s_.ScostamentoSinistro = static_cast<float>(x(1) + h_);
        calcolaCiglio(-h_, s_.RossaCiglioSinistro);
    }

    // Right edge, slope and catch point.
    calcolaCiglio(h_, s_.RossaCiglioDestro);
    const double thetaR = s_.RossaCiglioDestro >= 0 ? alfaR : kPi / 3 - alfaS;
    const double cosR = std::cos(thetaR);
    if (!piedeDestro(cosR)) {
        if (!imp_.MuroSezione) {
            neutro();
            return EsitoSezione::ScarpataSenzaTerreno;
        }
        double xm = x(n());
        inserisciPunto(n() + 1, xm, Z_ + (xm - h_) * cosR);
        s_.XPiedeDestro = static_cast<float>(x(n()));
        s_.ZPiedeDestro = static_cast<float>(z(n()));
        s_.ScostamentoDestro = static_cast<float>(x(n()) - h_);
        calcolaCiglio(h_, s_.RossaCiglioDestro);
    }

    const int N = n();
    s_.PoligonoX.redim(N + 5);
    s_.PoligonoZ.redim(N + 5);
    s_.Intersezioni.redim(N);
    s_.NumeroIntersezioni = 0;
    s_.AreaRiporto = 0;
    s_.AreaSterro = 0;

    incroci();
    rossaAsse();
    presenze();
    aree();

    const float risultati[] = {s_.AreaSterro,   s_.AreaRiporto,       s_.XPiedeSinistro,      s_.ZPiedeSinistro,
                               s_.XPiedeDestro, s_.ZPiedeDestro,      s_.RossaCiglioSinistro, s_.RossaCiglioDestro,
                               s_.RossaAsse,    s_.QuotaTerrenoCiglio};
    for (float r : risultati) {
        if (!std::isfinite(r)) {
            neutro();
            return EsitoSezione::ValoriNonValidi;
        }
    }
    s_.Risolta = true;
    return EsitoSezione::Risolta;
}

}  // namespace

EsitoSezione risolviSezioneConEsito(Sezione& sezione, const Impostazioni& impostazioni) {
    return Solutore(sezione, impostazioni).esegui();
}

void risolviSezione(Sezione& sezione, const Impostazioni& impostazioni) {
    risolviSezioneConEsito(sezione, impostazioni);
}

const char* testoEsito(EsitoSezione esito) {
    switch (esito) {
        case EsitoSezione::Risolta:
            return "";
        case EsitoSezione::PuntiInsufficienti:
            return "la sezione ha meno di due punti del terreno.";
        case EsitoSezione::ValoriNonValidi:
            return "la sezione contiene valori non validi.";
        case EsitoSezione::DistanzeNonCrescenti:
            return "le distanze dall'asse dei punti del terreno non sono in ordine crescente.";
        case EsitoSezione::CiglioFuoriTerreno:
            return "un ciglio della piattaforma cade fuori dai punti del terreno.";
        case EsitoSezione::ScarpataSenzaTerreno:
            return "una scarpata non incontra il terreno e i muri di sostegno non sono previsti.";
    }
    return "";
}

std::vector<int32_t> sezioniNonRisolte(const VbArray<Sezione>& sezioni, int32_t numeroSezioni) {
    std::vector<int32_t> out;
    for (int32_t j = 1; j <= numeroSezioni && sezioni.has(j); ++j)
        if (!sezioni[j].Risolta) out.push_back(j);
    return out;
}

int32_t contaSezioniNonRisolte(const VbArray<Sezione>& sezioni, int32_t numeroSezioni) {
    return static_cast<int32_t>(sezioniNonRisolte(sezioni, numeroSezioni).size());
}

std::string messaggioSezioniNonRisolte(const std::vector<int32_t>& posizioni) {
    if (posizioni.empty()) return {};
    std::string elenco;
    std::size_t mostrate = 0;
    for (int32_t p : posizioni) {
        if (mostrate == 20) {
            elenco += ", ...";
            break;
        }
        elenco += (elenco.empty() ? "" : ", ") + std::to_string(p);
        ++mostrate;
    }
    std::string testo = posizioni.size() == 1 ? "Attenzione: la sezione " + elenco + " non è stata risolta"
                                              : "Attenzione: " + std::to_string(posizioni.size()) +
                                                    " sezioni non sono state risolte (" + elenco + ")";
    return testo +
           ": la piattaforma cade fuori dal terreno rilevato o una scarpata non lo incontra. "
           "Nel calcolo dei volumi le loro aree sono considerate nulle.";
}

}  // namespace carvela
