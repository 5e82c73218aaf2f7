#include "graphics/road_drawings.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "project/records.h"
#include "project/vbtext.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// A corrupt record must not put a NaN or an infinity into a drawing.
double fin(double v) { return std::isfinite(v) ? v : 0.0; }

std::string etichetta(double v) { return formatta(fin(v), "#.00"); }

class Elementi {
public:
    void linea(double x1, double y1, double x2, double y2, int colore, const char* ruolo) {
        ElementoDisegno e;
        e.tipo = ElementoDisegno::Linea;
        e.x1 = fin(x1), e.y1 = fin(y1), e.x2 = fin(x2), e.y2 = fin(y2);
        e.colore = colore;
        e.ruolo = ruolo;
        d_.push_back(std::move(e));
    }
    void cerchio(double x, double y, double r, int colore, const char* ruolo) {
        ElementoDisegno e;
        e.tipo = ElementoDisegno::Cerchio;
        e.x1 = fin(x), e.y1 = fin(y);
        e.raggio = r;
        e.colore = colore;
        e.ruolo = ruolo;
        d_.push_back(std::move(e));
    }
    void rettangolo(double x1, double y1, double x2, double y2, int colore, bool pieno, const char* ruolo) {
        ElementoDisegno e;
        e.tipo = ElementoDisegno::Rettangolo;
        e.x1 = fin(x1), e.y1 = fin(y1), e.x2 = fin(x2), e.y2 = fin(y2);
        e.colore = colore;
        e.pieno = pieno;
        e.ruolo = ruolo;
        d_.push_back(std::move(e));
    }
    // (x, y): start of the text, see drawing_items.h.
    void testo(double x, double y, std::string t, double altezza, int colore, bool verticale, const char* ruolo) {
        ElementoDisegno e;
        e.tipo = ElementoDisegno::Testo;
        e.x1 = fin(x), e.y1 = fin(y);
        e.testo = std::move(t);
        e.altezza = altezza;
        e.colore = colore;
        e.verticale = verticale;
        e.ruolo = ruolo;
        d_.push_back(std::move(e));
    }
    // A horizontal text whose top edge lies at y: the bands give the top of their texts.
    void testoSotto(double x, double y, std::string t, double altezza, int colore, const char* ruolo) {
        testo(x, y - altezza, std::move(t), altezza, colore, false, ruolo);
    }
    Disegno prendi() { return std::move(d_); }

private:
    Disegno d_;
};

// ---- profile ------------------------------------------------------------------------

constexpr double kFondoBande = -130;
// Past this many hectometres (a corrupt progressive) the band is not drawn.
constexpr double kMaxEttometri = 100000;

struct BandaProfilo {
    double y;
    double inizio;  // offset of the left end from the first section
};
constexpr BandaProfilo kBande[] = {{0, -125},   {-30, -125}, {-39, -75},   {-70, -75},
                                   {-79, -125}, {-98, -75},  {-120, -125}, {-130, -125}};

struct Intestazione {
    const char* testo;
    double dx, y;
};
constexpr Intestazione kIntestazioni[] = {
    {"NUMERO SEZIONI", -122, -124},
    {"QUOTE", -122, -98},
    {"PROGETTO", -72, -108},
    {"TERRENO", -72, -88},
    {"DISTANZE", -122, -52},
    {"PARZIALI", -72, -73},
    {"PROGRESSIVE", -72, -52},
    {"ETTOMETRICHE", -72, -33},
    // "RETTIFILI" over "E CURVE ", so the caption of the band reads down the page.
    {"RETTIFILI", -122, -8},
    {"E CURVE ", -122, -18}};

class ProfiloDisegnato {
public:
    explicit ProfiloDisegnato(const Profilo& p) : p_(p) {}

    Disegno costruisci();

private:
    double X(int32_t i) const { return fin(p_.Progressive.get(i)); }
    double Y(double quota) const { return (fin(quota) - QR_) * 10; }
    int32_t puntiLivelletta(int32_t g) const {
        return std::max<int32_t>(0, std::min<int32_t>(p_.PuntiLivelletta.get(g), p_.ProgressiveLiv.upperBound1()));
    }
    double PL(int32_t j, int32_t g) const { return fin(p_.ProgressiveLiv.get(j, g)); }
    // Position in the per-section lists of a section number of the curve table.
    int32_t posizione(int32_t numero) const { return std::clamp<int32_t>(numero - p_.PrimaSezione, 1, n_); }

    void sezioniEBande();
    void marche();
    void rettifiliECurve();
    void ettometri();
    void progetto();
    void etichette();
    void etichettePunto(int32_t j, int32_t g, bool parziale);
    void didascalie();

    const Profilo& p_;
    Elementi e_;
    int32_t n_ = 0, livellette_ = 0;
    double QR_ = 0, QM_ = 0, x1_ = 0, xn_ = 0;
    int contatore_ = 0;
};

Disegno ProfiloDisegnato::costruisci() {
    // A record whose lists are shorter than its counts is drawn as far as its lists go.
    n_ = std::min<int32_t>(p_.NumeroSezioni, std::min(p_.Progressive.upperBound(), p_.QuoteTerreno.upperBound()));
    if (n_ < 2) return {};
    livellette_ = std::clamp<int32_t>(
        p_.NumeroLivellette, 0,
        std::max<int32_t>(0, std::min(p_.PuntiLivelletta.upperBound(), p_.ProgressiveLiv.upperBound2())));
    QR_ = fin(p_.QuotaRiferimento);
    QM_ = fin(p_.QuotaMassima);
    x1_ = X(1);
    xn_ = X(n_);
    sezioniEBande();
    marche();
    rettifiliECurve();
    ettometri();
    if (p_.MetodoLivellette != 0) progetto();
    for (const Intestazione& i : kIntestazioni) e_.testoSotto(x1_ + i.dx, i.y, i.testo, 5, 14, "intestazione");
    etichette();
    didascalie();
    return e_.prendi();
}

void ProfiloDisegnato::sezioniEBande() {
    for (int32_t i = 1; i <= n_; ++i) {
        const double x = X(i), y = Y(p_.QuoteTerreno.get(i));
        if (i < n_) {
            e_.linea(x, kFondoBande, x, y, 15, "verticale_sezione");
            e_.linea(x, -70, x, -79, 15, "tacca");
            e_.linea(x, y, X(i + 1), Y(p_.QuoteTerreno.get(i + 1)), 10, "terreno");
        } else {
            // The last section closes the band table as well as the ground.
            e_.linea(x, kFondoBande, x, y, 15, "chiusura");
        }
        e_.cerchio(x, y, 0.7, 12, "punto_terreno");
    }
    for (const BandaProfilo& b : kBande) e_.linea(x1_ + b.inizio, b.y, xn_, b.y, 15, "banda");
    e_.linea(x1_ - 75, -30, x1_ - 75, -120, 15, "chiusura");
    e_.linea(x1_ - 125, 0, x1_ - 125, kFondoBande, 15, "chiusura");
    e_.linea(x1_ - 15, 0, x1_ - 15, kFondoBande, 15, "chiusura");
}

void ProfiloDisegnato::marche() {
    const double base = QM_ - QR_;
    e_.linea(x1_, (base + 3) * 10, xn_, (base + 3) * 10, 15, "linea_marche");
    auto marca = [&](double x) {
        e_.cerchio(x, (base + 3) * 10, 2, 14, "marca_livelletta");
        e_.linea(x, (base + 4) * 10, x, (base + 1.5) * 10, 15, "marca_livelletta");
    };
    for (int32_t g = 1; g <= livellette_; ++g) marca(PL(1, g));
    marca(xn_);
}

void ProfiloDisegnato::rettifiliECurve() {
    struct Curva {
        double da, a, y;
    };
    std::vector<Curva> curve;
    const int32_t numero =
        std::max<int32_t>(0, std::min({p_.NumeroCurve, p_.CurvaDa.upperBound(), p_.CurvaA.upperBound()}));
    for (int32_t c = 1; c <= numero; ++c) {
        const std::string verso = p_.CurvaVerso.get(c);
        double da = X(posizione(p_.CurvaDa[c])), a = X(posizione(p_.CurvaA[c]));
        if (a < da) std::swap(da, a);
        curve.push_back({da, a, verso == "d" ? -25.0 : verso == "s" ? -5.0 : -15.0});
    }
    std::sort(curve.begin(), curve.end(), [](const Curva& l, const Curva& r) { return l.da < r.da; });
    double corrente = x1_;
    for (const Curva& c : curve) {
        if (c.da < corrente) continue;  // overlapping curves: the first one drawn wins
        e_.linea(corrente, -15, c.da, -15, 15, "rettifili_curve");
        e_.linea(c.da, -15, c.da, c.y, 15, "rettifili_curve");
        e_.linea(c.da, c.y, c.a, c.y, 15, "rettifili_curve");
        e_.linea(c.a, c.y, c.a, -15, 15, "rettifili_curve");
        corrente = c.a;
    }
    e_.linea(corrente, -15, xn_, -15, 15, "rettifili_curve");
}

// Hectometres count from progressive 0 and alternate between the lower and upper half of
// the band.
void ProfiloDisegnato::ettometri() {
    if (!(xn_ > 0) || xn_ / 100 > kMaxEttometri) return;
    const int64_t H = static_cast<int64_t>(std::floor(xn_ / 100));
    auto scatola = [&](double da, double a, bool inferiore) {
        if (inferiore)
            e_.rettangolo(da, -38, a, -34.5, 15, true, "ettometro");
        else
            e_.rettangolo(da, -34.5, a, -31, 15, true, "ettometro");
    };
    for (int64_t h = 0; h < H; ++h) scatola(100.0 * h, 100.0 * (h + 1), h % 2 == 0);
    if (xn_ > 100.0 * H) scatola(100.0 * H, xn_, H % 2 == 0);
}

void ProfiloDisegnato::progetto() {
    for (int32_t g = 1; g <= livellette_; ++g) {
        const int32_t ng = puntiLivelletta(g);
        if (ng < 1) continue;
        e_.linea(PL(1, g), Y(p_.ProgettoLiv.get(1, g)), PL(ng, g), Y(p_.ProgettoLiv.get(ng, g)), 13, "progetto");
    }
}

// One set of band labels per section: the points of each grade line but its last (which
// starts the next one), then the last point of the last grade line.
void ProfiloDisegnato::etichette() {
    contatore_ = 0;
    int32_t ultima = 0;
    for (int32_t g = 1; g <= livellette_; ++g) {
        const int32_t ng = puntiLivelletta(g);
        for (int32_t j = 1; j < ng; ++j) etichettePunto(j, g, true);
        if (ng >= 1) ultima = g;
    }
    if (ultima > 0) etichettePunto(puntiLivelletta(ultima), ultima, false);
}

void ProfiloDisegnato::etichettePunto(int32_t j, int32_t g, bool parziale) {
    const double x = PL(j, g);
    const double h = 4.2;
    e_.testoSotto(x - 4, -124, std::to_string(++contatore_), h, 11, "numero_sezione");
    // Values read upwards, just right of the section's line.
    const double xv = x + 0.5 + h;
    e_.testo(xv, -66, etichetta(x), h, 11, true, "progressiva");
    e_.testo(xv, -94, etichetta(p_.TerrenoLiv.get(j, g)), h, 11, true, "quota_terreno");
    e_.testo(xv, -116, etichetta(p_.ProgettoLiv.get(j, g)), h, 11, true, "quota_progetto");
    if (parziale) e_.testoSotto(x + 2, -73, etichetta(PL(j + 1, g) - x), h, 11, "distanza_parziale");
    if (p_.MetodoLivellette != 0) {
        const double rossa = fin(p_.RosseLiv.get(j, g));
        const double yp = Y(p_.ProgettoLiv.get(j, g));
        const std::string t = etichetta(rossa);
        if (rossa > 0)
            e_.testo(x - 1.5, yp + 20, t, 5, 12, true, "quota_rossa");
        else  // under the line: the text ends 20 below the design point
            e_.testo(x - 1.5, yp - 20 - 0.6 * 5 * static_cast<double>(t.size()), t, 5, 14, true, "quota_rossa");
    }
}

void ProfiloDisegnato::didascalie() {
    const double y = (QM_ - QR_) * 10 + 35;
    for (int32_t g = 1; g <= livellette_; ++g) {
        const int32_t ng = puntiLivelletta(g);
        if (ng < 1) continue;
        const double lunghezza = PL(ng, g) - PL(1, g);
        const double dislivello = fin(p_.ProgettoLiv.get(1, g)) - fin(p_.ProgettoLiv.get(ng, g));
        // The slope in percent: two decimals of a rise per metre would show most road
        // grades as 0.
        const std::string t = "L=" + etichetta(lunghezza) + " , " + "Disl=" + etichetta(dislivello) + " , " +
                              "P=" + etichetta(fin(p_.Pendenze.get(g)) * 100) + "%";
        e_.testo(PL(1, g) + 5, y, t, 5, 11, false, "didascalia_livelletta");
    }
    const int32_t numero = std::max<int32_t>(0, std::min<int32_t>(p_.NumeroCurve, p_.CurvaDa.upperBound()));
    for (int32_t c = 1; c <= numero; ++c) {
        const double x = X(posizione(p_.CurvaDa[c])) + 2;
        e_.testoSotto(x, 18, "RA=" + etichetta(p_.CurvaRaggio.get(c)), 3, 11, "didascalia_curva");
        e_.testoSotto(x, 14, "SV=" + etichetta(p_.CurvaSviluppo.get(c)), 3, 11, "didascalia_curva");
        e_.testoSotto(x, 10, "AC=" + etichetta(p_.CurvaApertura.get(c)), 3, 11, "didascalia_curva");
        e_.testoSotto(x, 6, "TG=" + etichetta(p_.CurvaTangente.get(c)), 3, 11, "didascalia_curva");
    }
}

// ---- section ------------------------------------------------------------------------

class SezioneDisegnata {
public:
    explicit SezioneDisegnata(const Sezione& s) : s_(s), Z_(fin(s.QuotaProgetto)), h_(fin(s.Larghezza) / 2) {}

    Disegno costruisci();

private:
    double X(double d) const { return 256 + 10 * fin(d); }
    double Y(double z) const { return 200 + 10 * (fin(z) - Z_); }
    int32_t punti() const {
        return std::max<int32_t>(0, std::min({static_cast<int32_t>(s_.NumeroPunti), s_.DistanzeTerreno.upperBound(),
                                              s_.QuoteTerreno.upperBound()}));
    }
    double quotaProgetto(double d) const;
    // The retaining walls of the solve: a vertical step at an end of the ground line whose
    // top is the catch point.
    bool muroSinistro() const {
        const int32_t n = punti();
        return s_.Risolta && n >= 2 && s_.DistanzeTerreno[1] == s_.DistanzeTerreno[2] &&
               s_.DistanzeTerreno[1] == s_.XPiedeSinistro && s_.QuoteTerreno[1] == s_.ZPiedeSinistro;
    }
    bool muroDestro() const {
        const int32_t n = punti();
        return s_.Risolta && n >= 2 && s_.DistanzeTerreno[n] == s_.DistanzeTerreno[n - 1] &&
               s_.DistanzeTerreno[n] == s_.XPiedeDestro && s_.QuoteTerreno[n] == s_.ZPiedeDestro;
    }
    void incroci();
    void piattaforma();
    void testi(double alto);
    void tabella(double basso);

    const Sezione& s_;
    Elementi e_;
    double Z_, h_;
};

Disegno SezioneDisegnata::costruisci() {
    e_.linea(256, 198, 256, 202, 15, "asse");
    incroci();
    const int32_t n = punti();
    double alto = 202, basso = 198;
    for (int32_t i = 1; i <= n; ++i) {
        const double y = Y(s_.QuoteTerreno[i]);
        if (i < n) {
            const bool muro = (i == 1 && muroSinistro()) || (i == n - 1 && muroDestro());
            e_.linea(X(s_.DistanzeTerreno[i]), y, X(s_.DistanzeTerreno[i + 1]), Y(s_.QuoteTerreno[i + 1]),
                     muro ? 15 : 10, muro ? "muro" : "terreno");
        }
        alto = std::max(alto, y);
        basso = std::min(basso, y);
    }
    piattaforma();
    if (s_.Risolta) {
        e_.linea(X(-h_), 200, X(s_.XPiedeSinistro), Y(s_.ZPiedeSinistro), 15, "scarpata");
        e_.linea(X(h_), 200, X(s_.XPiedeDestro), Y(s_.ZPiedeDestro), 15, "scarpata");
        alto = std::max({alto, Y(s_.ZPiedeSinistro), Y(s_.ZPiedeDestro)});
        basso = std::min({basso, Y(s_.ZPiedeSinistro), Y(s_.ZPiedeDestro)});
    }
    if (s_.NumeroIntersezioni > 0) alto = std::max(alto, 252.0);
    testi(alto);
    tabella(basso);
    return e_.prendi();
}

void SezioneDisegnata::incroci() {
    const int32_t m = std::max<int32_t>(0, std::min<int32_t>(s_.NumeroIntersezioni, s_.Intersezioni.upperBound()));
    for (int32_t k = 1; k <= m; ++k) {
        const double c = fin(s_.Intersezioni[k]);
        const double xc = X(c);
        e_.linea(xc, 202, xc, 252, 14, "incrocio_sopra");
        e_.linea(xc, 198, xc, 148, 12, "incrocio_sotto");
        // From just off the axis to just past the crossing, on the crossing's side.
        const double d = c > 0 ? 0.15 : -0.15;
        e_.linea(256 + 10 * (c > 0 ? 0.2 - d : -0.2 - d), 152, 256 + 10 * (c + d), 152, 15, "quota_incrocio");
        const std::string t = etichetta(std::fabs(c));
        e_.testo((256 + xc) / 2 - 0.6 * 1.8 * static_cast<double>(t.size()) / 2, 153, t, 1.8, 15, false,
                 "distanza_incrocio");
    }
}

// The platform; an edge in cut gets a ditch over its last 0.7 m, 0.3 m deep.
void SezioneDisegnata::piattaforma() {
    const bool sterroS = s_.RossaCiglioSinistro < 0, sterroD = s_.RossaCiglioDestro < 0;
    const double da = sterroS ? -h_ + 0.7 : -h_, a = sterroD ? h_ - 0.7 : h_;
    e_.linea(X(da), 200, X(a), 200, 15, "piattaforma");
    if (sterroS) {
        e_.linea(X(-h_ + 0.7), 200, X(-h_ + 0.3), Y(Z_ - 0.3), 15, "cunetta");
        e_.linea(X(-h_ + 0.3), Y(Z_ - 0.3), X(-h_), 200, 15, "cunetta");
    }
    if (sterroD) {
        e_.linea(X(h_ - 0.7), 200, X(h_ - 0.3), Y(Z_ - 0.3), 15, "cunetta");
        e_.linea(X(h_ - 0.3), Y(Z_ - 0.3), X(h_), 200, 15, "cunetta");
    }
}

// Title above everything; at each edge the ground elevation and the red height, reading
// upwards from above the platform.
void SezioneDisegnata::testi(double alto) {
    const std::string titolo = "SEZIONE " + std::to_string(s_.Numero);
    const double altezzaTitolo = 4;
    e_.testo(256 - 0.6 * altezzaTitolo * static_cast<double>(titolo.size()) / 2, alto + 12, titolo, altezzaTitolo, 15,
             false, "titolo");
    if (!s_.Risolta) e_.testo(256 - 0.6 * 3 * 19 / 2, alto + 6, "SEZIONE NON RISOLTA", 3, 12, false, "non_risolta");
    const double altezza = 2.2;
    const double ySinistro = std::max(200.0, Y(Z_ - s_.RossaCiglioSinistro)) + 3;
    const double yDestro = std::max(200.0, Y(Z_ - s_.RossaCiglioDestro)) + 3;
    e_.testo(X(-h_) - 0.5, ySinistro, etichetta(Z_ - fin(s_.RossaCiglioSinistro)), altezza, 14, true, "quota_ciglio");
    e_.testo(X(-h_) + 0.5 + altezza, ySinistro, etichetta(std::fabs(fin(s_.RossaCiglioSinistro))), altezza,
             s_.RossaCiglioSinistro < 0 ? 14 : 12, true, "rossa_ciglio");
    e_.testo(X(h_) + 0.5 + altezza, yDestro, etichetta(Z_ - fin(s_.RossaCiglioDestro)), altezza, 14, true,
             "quota_ciglio");
    e_.testo(X(h_) - 0.5, yDestro, etichetta(std::fabs(fin(s_.RossaCiglioDestro))), altezza,
             s_.RossaCiglioDestro < 0 ? 14 : 12, true, "rossa_ciglio");
}

// Design elevation under the template: the platform, then the slopes down or up to the
// catch points. Outside the catch points there is no design.
double SezioneDisegnata::quotaProgetto(double d) const {
    if (d >= -h_ && d <= h_) return Z_;
    const double xs = fin(s_.XPiedeSinistro), xd = fin(s_.XPiedeDestro);
    if (d < -h_ && xs < -h_) return Z_ + (fin(s_.ZPiedeSinistro) - Z_) * (d + h_) / (xs + h_);
    if (d > h_ && xd > h_) return Z_ + (fin(s_.ZPiedeDestro) - Z_) * (d - h_) / (xd - h_);
    return Z_;
}

// The table under the section: rules at y = 40, 10, -20 and -30, lowered together when the
// section reaches down into them.
void SezioneDisegnata::tabella(double basso) {
    const double spostamento = std::min(0.0, basso - 10 - 40);
    const double r1 = 40 + spostamento, r2 = 10 + spostamento, r3 = -20 + spostamento, r4 = -30 + spostamento;
    const int32_t n = punti();

    struct Colonna {
        double d;
        double terreno;
        bool progetto;
    };
    // Columns closer than 0.4 m to one already written would overwrite it: the edges and the
    // axis come first, then the catch points, then the ground points.
    std::vector<Colonna> colonne;
    auto aggiungi = [&](double d, double terreno, bool progetto) {
        for (const Colonna& c : colonne)
            if (std::fabs(c.d - d) < 0.4) return;
        colonne.push_back({d, terreno, progetto});
    };
    if (s_.Risolta) {
        // At a wall the ground is the foot of the wall; its top is design.
        const double terrenoS = muroSinistro() ? s_.QuoteTerreno[2] : s_.ZPiedeSinistro;
        const double terrenoD = muroDestro() ? s_.QuoteTerreno[n - 1] : s_.ZPiedeDestro;
        aggiungi(-h_, Z_ - fin(s_.RossaCiglioSinistro), true);
        aggiungi(0, Z_ - fin(s_.RossaAsse), true);
        aggiungi(h_, Z_ - fin(s_.RossaCiglioDestro), true);
        aggiungi(fin(s_.XPiedeSinistro), fin(terrenoS), true);
        aggiungi(fin(s_.XPiedeDestro), fin(terrenoD), true);
    }
    const double xs = s_.Risolta ? fin(s_.XPiedeSinistro) : -h_, xd = s_.Risolta ? fin(s_.XPiedeDestro) : h_;
    for (int32_t i = 1; i <= n; ++i) {
        const double d = fin(s_.DistanzeTerreno[i]);
        aggiungi(d, fin(s_.QuoteTerreno[i]), s_.Risolta && d >= xs && d <= xd);
    }
    std::sort(colonne.begin(), colonne.end(), [](const Colonna& a, const Colonna& b) { return a.d < b.d; });

    double sinistra = X(xs), destra = X(xd);
    if (n >= 1) {
        sinistra = std::min(sinistra, X(s_.DistanzeTerreno[1]));
        destra = std::max(destra, X(s_.DistanzeTerreno[n]));
    }
    sinistra -= 40;
    destra += 5;
    for (double y : {r1, r2, r3, r4}) e_.linea(sinistra, y, destra, y, 15, "tabella");
    e_.linea(sinistra, r1, sinistra, r4, 15, "tabella");
    e_.linea(destra, r1, destra, r4, 15, "tabella");

    const double hc = 2.5;
    e_.testo(sinistra + 2, r1 - 12, "QUOTA", hc, 11, false, "didascalia_tabella");
    e_.testo(sinistra + 2, r1 - 12 - 2 * hc, "TERR.", hc, 11, false, "didascalia_tabella");
    e_.testo(sinistra + 2, r2 - 12, "QUOTA", hc, 11, false, "didascalia_tabella");
    e_.testo(sinistra + 2, r2 - 12 - 2 * hc, "PROG.", hc, 11, false, "didascalia_tabella");
    e_.testo(sinistra + 2, r4 + (r3 - r4 - hc) / 2, "D.PROG.", hc, 11, false, "didascalia_tabella");

    const double hv = 2.2;
    for (const Colonna& c : colonne) {
        const double x = X(c.d) + hv / 2;  // the letters stand left of the start: centred on the point
        e_.testo(x, r2 + 1.5, etichetta(c.terreno), hv, 10, true, "valore_terreno");
        if (c.progetto) e_.testo(x, r3 + 1.5, etichetta(quotaProgetto(c.d)), hv, 15, true, "valore_progetto");
        e_.testo(x, r4 + 1, etichetta(c.d), hv, 14, true, "valore_distanza");
    }
}

}  // namespace

Disegno disegnoProfilo(const Profilo& profilo) { return ProfiloDisegnato(profilo).costruisci(); }

Disegno disegnoSezione(const Sezione& sezione) { return SezioneDisegnata(sezione).costruisci(); }

void aggiungiAreeSezione(Disegno& d, const Sezione& s) {
    double sinistra = 1e300, basso = 1e300;
    for (const ElementoDisegno& e : d)
        if (e.ruolo == "tabella") sinistra = std::min({sinistra, e.x1, e.x2}), basso = std::min({basso, e.y1, e.y2});
    if (sinistra > 1e299) return;
    auto due = [](double v) { return formatta(fin(v), "0.00"); };
    ElementoDisegno t;
    t.tipo = ElementoDisegno::Testo;
    t.altezza = 2.5;
    t.colore = 15;
    t.ruolo = "aree";
    t.x1 = sinistra + 2;
    t.y1 = basso - 7;
    t.testo = "Progr. " + due(s.Progressiva) + "   Sterro " + due(std::fabs(fin(s.AreaSterro))) + " m²   Riporto " +
              due(std::fabs(fin(s.AreaRiporto))) + " m²";
    d.push_back(std::move(t));
}

void disegnaProfilo(Workspace& ws, Canvas& canvas, Host& host) {
    Disegno disegno = disegnoProfilo(ws.Profilo);
    if (disegno.empty()) return;
    ws.TipoDocumento = kDocProfilo;
    riavviaEstensione(ws.vista);
    host.cursoreAttesa(true);
    canvas.clear();
    rendiDisegno(ws.vista, canvas, senzaTestiSovrapposti(disegno));
    host.cursoreAttesa(false);
}

void disegnaSezione(Workspace& ws, Canvas& canvas, Host& host, const Sezione& sezione) {
    ws.TipoDocumento = kDocSezione;
    riavviaEstensione(ws.vista);
    host.cursoreAttesa(true);
    canvas.clear();
    Disegno disegno = disegnoSezione(sezione);
    aggiungiAreeSezione(disegno, sezione);
    rendiDisegno(ws.vista, canvas, senzaTestiSovrapposti(disegno));
    host.cursoreAttesa(false);
}

}  // namespace carvela
