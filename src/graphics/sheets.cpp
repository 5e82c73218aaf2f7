#include "graphics/sheets.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <cmath>

#include "graphics/drawing_items.h"
#include "graphics/road_drawings.h"
#include "project/records.h"
#include "project/vbtext.h"

namespace carvela {
namespace {

double fin(double v) { return std::isfinite(v) ? v : 0.0; }
std::string due(double v) { return formatta(fin(v), "0.00"); }

// Past this many sheets the request is refused: a corrupt progressive, or a scale far too large.
constexpr int kMaxFogli = 500;
// Scales outside 1:1 .. 1:100000 are not drawings at scale.
constexpr int32_t kScalaMassima = 100000;

bool leggiPositivo(std::string_view t, int32_t& v) {
    if (t.empty() || t.size() > 9) return false;
    const auto [fine, errore] = std::from_chars(t.data(), t.data() + t.size(), v);
    return errore == std::errc() && fine == t.data() + t.size() && v >= 1 && v <= kScalaMassima;
}

// Paper colours for the screen palette: white lines become black, pale ones darker.
struct Rgb {
    uint8_t r, g, b;
};
Rgb coloreCarta(int indice) {
    static constexpr Rgb kCarta[16] = {{0, 0, 0},       {0, 0, 150},   {0, 120, 0},   {0, 100, 130},
                                       {160, 0, 0},     {130, 0, 130}, {140, 90, 0},  {90, 90, 90},
                                       {120, 120, 120}, {0, 0, 220},   {0, 150, 0},   {0, 110, 170},
                                       {200, 0, 0},     {190, 0, 190}, {190, 110, 0}, {0, 0, 0}};
    return kCarta[std::clamp(indice, 0, 15)];
}

double spessoreRuolo(const std::string& ruolo) {
    if (ruolo == "terreno") return 0.35;
    if (ruolo == "progetto" || ruolo == "piattaforma" || ruolo == "scarpata" || ruolo == "cunetta" || ruolo == "muro")
        return 0.45;
    if (ruolo == "banda" || ruolo == "tabella" || ruolo == "chiusura") return 0.25;
    return 0.18;
}

struct Riquadro {
    double x1, y1, x2, y2;
    bool contiene(double x, double y) const {
        return x >= x1 - 1e-9 && x <= x2 + 1e-9 && y >= y1 - 1e-9 && y <= y2 + 1e-9;
    }
};

// Liang-Barsky: the part of a segment inside the box, false when none is.
bool ritaglia(const Riquadro& r, double& x1, double& y1, double& x2, double& y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - r.x1, r.x2 - x1, y1 - r.y1, r.y2 - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < -1e-9) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx, y2 = y1 + t1 * dy;
    x1 = ax, y1 = ay;
    return true;
}

// Drawing units to paper: mm = origine + scala * (unit - base), texts scaled by `testi`.
struct Trasforma {
    double ox = 0, oy = 0, bx = 0, by = 0, kx = 1, ky = 1, testi = 1;
    double X(double u) const { return ox + kx * (u - bx); }
    double Y(double u) const { return oy + ky * (u - by); }
};

class Penna {
public:
    explicit Penna(SuperficieMm& s) : s_(s) {}
    void pagina(double l, double a) {
        s_.nuovaPagina(l, a);
        colore_ = -1, spessore_ = -1;
    }
    void usa(int colore, double spessore) {
        if (colore != colore_) {
            const Rgb c = coloreCarta(colore);
            s_.colore(c.r, c.g, c.b);
            colore_ = colore;
        }
        if (spessore != spessore_) {
            s_.spessore(spessore);
            spessore_ = spessore;
        }
    }
    SuperficieMm& s() { return s_; }

private:
    SuperficieMm& s_;
    int colore_ = -1;
    double spessore_ = -1;
};

// Width and height on paper of a text of the drawing, its start at the origin.
void ingombroTesto(const ElementoDisegno& e, double altezza, double& x1, double& y1, double& x2, double& y2) {
    const double l = larghezzaTesto(e.testo, altezza);
    if (e.verticale)
        x1 = -altezza, y1 = 0, x2 = 0, y2 = l;
    else
        x1 = 0, y1 = 0, x2 = l, y2 = altezza;
}

// The elements on paper inside `ritaglio`; a text is kept when its start is inside (or,
// with `accetta`, when it says so) and kept from running out to the right.
template <class Accetta>
void disegnaElementi(Penna& penna, const Disegno& d, const Trasforma& t, const Riquadro& ritaglio, Accetta accetta) {
    for (const ElementoDisegno& e : d) {
        const double sp = spessoreRuolo(e.ruolo);
        switch (e.tipo) {
        case ElementoDisegno::Linea: {
            double x1 = t.X(e.x1), y1 = t.Y(e.y1), x2 = t.X(e.x2), y2 = t.Y(e.y2);
            const bool punto = x1 == x2 && y1 == y2;
            if (!ritaglia(ritaglio, x1, y1, x2, y2)) break;
            // A line that only touches the edge is the next sheet's.
            if (!punto && std::hypot(x2 - x1, y2 - y1) < 1e-6) break;
            penna.usa(e.colore, sp);
            penna.s().linea(x1, y1, x2, y2);
            break;
        }
        case ElementoDisegno::Cerchio: {
            const double x = t.X(e.x1), y = t.Y(e.y1);
            if (!ritaglio.contiene(x, y)) break;
            penna.usa(e.colore, sp);
            penna.s().cerchio(x, y, std::fabs(e.raggio) * t.kx);
            break;
        }
        case ElementoDisegno::Rettangolo: {
            double x1 = std::max(std::min(t.X(e.x1), t.X(e.x2)), ritaglio.x1);
            double x2 = std::min(std::max(t.X(e.x1), t.X(e.x2)), ritaglio.x2);
            double y1 = std::max(std::min(t.Y(e.y1), t.Y(e.y2)), ritaglio.y1);
            double y2 = std::min(std::max(t.Y(e.y1), t.Y(e.y2)), ritaglio.y2);
            if (x2 <= x1 || y2 <= y1) break;
            penna.usa(e.colore, sp);
            if (e.pieno) {
                penna.s().rettangoloPieno(x1, y1, x2, y2);
            } else {
                penna.s().polilinea({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, true);
            }
            break;
        }
        case ElementoDisegno::Testo: {
            double x = t.X(e.x1);
            const double y = t.Y(e.y1), h = e.altezza * t.testi;
            if (!accetta(e, ritaglio.contiene(x, y))) break;
            if (!e.verticale) x = std::max(ritaglio.x1, std::min(x, ritaglio.x2 - larghezzaTesto(e.testo, h)));
            penna.usa(e.colore, 0.18);
            penna.s().testo(x, y, e.testo, h, e.verticale ? 90 : 0);
            break;
        }
        }
    }
}

// ---- frame, title block, scale bar -------------------------------------------------

struct Cartiglio {
    std::string contenuto, scala;
    int foglio = 0, fogli = 0;
    bool barra = false;  // a scale bar beside the contents
};

void cornice(Penna& penna, const GeometriaFoglio& g, const OpzioniTavole& o, const Cartiglio& c) {
    SuperficieMm& s = penna.s();
    const double m = g.margine, L = g.larghezza, A = g.altezza;
    penna.usa(0, 0.5);
    s.polilinea({{m, m}, {L - m, m}, {L - m, A - m}, {m, A - m}}, true);
    const double x0 = L - m - g.cartiglioL, y1 = m + g.cartiglioH;
    s.polilinea({{x0, m}, {L - m, m}, {L - m, y1}, {x0, y1}}, true);
    penna.usa(0, 0.25);
    s.linea(x0, m + 24, L - m, m + 24);
    s.linea(x0, m + 12, L - m, m + 12);
    s.linea(x0 + 80, m, x0 + 80, m + 12);
    // Long names get smaller letters rather than run out of the box.
    auto scrivi = [&](double x, double y, const std::string& t, double h, double spazio) {
        const double l = larghezzaTesto(t, 1);
        s.testo(x, y, t, l > 0 ? std::min(h, spazio / l) : h, 0);
    };
    scrivi(x0 + 3, m + 28.5, o.progetto.empty() ? "Progetto senza nome" : o.progetto, 3.2, g.cartiglioL - 6);
    scrivi(x0 + 3, m + 16.5, c.contenuto, 3.2, c.barra ? 58 : g.cartiglioL - 6);
    scrivi(x0 + 3, m + 4.5, c.scala, 2.5, 74);
    s.testo(x0 + 83, m + 7, "Foglio " + std::to_string(c.foglio) + " di " + std::to_string(c.fogli), 2.2, 0);
    if (!o.data.empty()) s.testo(x0 + 83, m + 2.5, o.data, 2.2, 0);
}

// The first round length (1, 2 or 5 times a power of ten metres) at least `minimo` mm long
// on paper at 1:scala, in metres.
double lunghezzaBarra(int32_t scala, double minimo) {
    const double metriPerMm = scala / 1000.0;
    for (double base = 0.01;; base *= 10)
        for (double f : {1.0, 2.0, 5.0})
            if (base * f / metriPerMm >= minimo) return base * f;
}

// A bar of alternate black and white fifths, its length in metres written at the end.
void barraScala(Penna& penna, double x, double y, int32_t scala, bool verticale) {
    const double metri = lunghezzaBarra(scala, verticale ? 14 : 25), mm = metri * 1000.0 / scala, quinto = mm / 5;
    SuperficieMm& s = penna.s();
    penna.usa(0, 0.18);
    for (int i = 0; i < 5; ++i) {
        if (verticale) {
            if (i % 2 == 0)
                s.rettangoloPieno(x, y + i * quinto, x + 1.5, y + (i + 1) * quinto);
            else
                s.polilinea({{x, y + i * quinto},
                             {x + 1.5, y + i * quinto},
                             {x + 1.5, y + (i + 1) * quinto},
                             {x, y + (i + 1) * quinto}},
                            true);
        } else {
            if (i % 2 == 0)
                s.rettangoloPieno(x + i * quinto, y, x + (i + 1) * quinto, y + 1.5);
            else
                s.polilinea({{x + i * quinto, y},
                             {x + (i + 1) * quinto, y},
                             {x + (i + 1) * quinto, y + 1.5},
                             {x + i * quinto, y + 1.5}},
                            true);
        }
    }
    const std::string t = formatta(metri, "0.##") + " m";
    if (verticale) {
        s.testo(x - 0.8, y, "0", 2, 90);
        s.testo(x - 0.8, y + mm - larghezzaTesto(t, 2), t, 2, 90);
    } else {
        s.testo(x, y + 2.5, "0", 2, 0);
        s.testo(x + mm - larghezzaTesto(t, 2), y + 2.5, t, 2, 0);
    }
}

std::string scalaTesto(int32_t n) { return "1:" + std::to_string(n); }

// ---- sections ------------------------------------------------------------------------

struct SezionePosta {
    Disegno disegno;
    double minX, minY, larghezza, altezza;  // drawing units, size in mm
    double x = 0, y = 0;                    // paper, bottom-left
    int numero = 0;
    bool fuori = false;
};

// The drawing extent in units: lines, circles, texts at their paper size turned back into units.
void estensione(const Disegno& d, double k, double testi, double& x1, double& y1, double& x2, double& y2) {
    x1 = y1 = 1e300, x2 = y2 = -1e300;
    auto punto = [&](double x, double y) {
        x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x), y2 = std::max(y2, y);
    };
    for (const ElementoDisegno& e : d) {
        if (e.tipo == ElementoDisegno::Testo) {
            double a, b, c, f;
            ingombroTesto(e, e.altezza * testi, a, b, c, f);
            punto(e.x1 + a / k, e.y1 + b / k);
            punto(e.x1 + c / k, e.y1 + f / k);
        } else {
            punto(e.x1, e.y1);
            if (e.tipo != ElementoDisegno::Cerchio) punto(e.x2, e.y2);
        }
    }
}

bool diTabella(const std::string& r) {
    return r == "tabella" || r == "didascalia_tabella" || r == "valore_terreno" || r == "valore_progetto" ||
           r == "valore_distanza";
}

// The screen keeps the table 16 m under the platform; on paper it comes up to 6 mm under
// the lowest point of the section.
void alzaTabella(Disegno& d, double k) {
    double basso = 1e300, cima = -1e300;
    for (const ElementoDisegno& e : d) {
        if (e.ruolo == "tabella")
            cima = std::max({cima, e.y1, e.y2});
        else if (e.tipo != ElementoDisegno::Testo && !diTabella(e.ruolo))
            basso = std::min({basso, e.y1, e.y2});
    }
    if (cima < -1e299 || basso > 1e299) return;
    const double sposta = basso - 6 / k - cima;
    if (sposta <= 0) return;
    for (ElementoDisegno& e : d)
        if (diTabella(e.ruolo)) e.y1 += sposta, e.y2 += sposta;
}

double testiSezione(double k) { return std::max(k, 0.6); }

struct PianoSezioni {
    std::vector<std::vector<SezionePosta>> fogli;
};

PianoSezioni impaginaSezioni(const VbArray<Sezione>& sezioni, int32_t scala, const GeometriaFoglio& g,
                             std::vector<std::string>& avvisi) {
    PianoSezioni piano;
    const double k = 100.0 / scala;  // mm per drawing unit (10 units a metre)
    const double gap = 4;
    const double X0 = g.margine + gap, X1 = g.larghezza - g.margine - gap;
    const double Y0 = g.margine + gap, Y1 = g.altezza - g.margine - gap;
    const double xCartiglio = g.larghezza - g.margine - g.cartiglioL - gap, yCartiglio = g.margine + g.cartiglioH + gap;
    std::vector<SezionePosta> foglio;
    double x = X0, cima = Y1, riga = 0;  // current row: its top and height
    auto chiudiFoglio = [&] {
        if (!foglio.empty()) piano.fogli.push_back(std::move(foglio));
        foglio.clear();
        x = X0, cima = Y1, riga = 0;
    };
    for (int32_t j = 1; j <= sezioni.upperBound(); ++j) {
        const Sezione& s = sezioni[j];
        if (s.NumeroPunti < 2) continue;
        SezionePosta p;
        p.numero = s.Numero;
        p.disegno = disegnoSezione(s);
        alzaTabella(p.disegno, k);
        aggiungiAreeSezione(p.disegno, s);
        p.disegno = senzaTestiSovrapposti(p.disegno, k, k, testiSezione(k));
        double x1, y1, x2, y2;
        estensione(p.disegno, k, testiSezione(k), x1, y1, x2, y2);
        p.minX = x1, p.minY = y1;
        p.larghezza = (x2 - x1) * k, p.altezza = (y2 - y1) * k;
        if (p.larghezza > X1 - X0 || p.altezza > Y1 - Y0) {
            // Alone on a sheet, cut at the frame.
            chiudiFoglio();
            p.fuori = true;
            p.x = X0, p.y = Y1 - p.altezza;
            foglio.push_back(std::move(p));
            chiudiFoglio();
            avvisi.push_back("La sezione " + std::to_string(s.Numero) + " non entra nel foglio in scala " +
                             scalaTesto(scala) + ": è tagliata alla cornice.");
            continue;
        }
        for (;;) {
            const double altezzaRiga = std::max(riga, p.altezza);
            const double fondo = cima - altezzaRiga;
            const double limite = fondo < yCartiglio ? xCartiglio : X1;
            if (x + p.larghezza <= limite && fondo >= Y0) {
                // Rows hang from their top.
                p.x = x, p.y = cima - p.altezza;
                x += p.larghezza + gap;
                riga = altezzaRiga;
                foglio.push_back(std::move(p));
                break;
            }
            if (x > X0) {  // a new row
                cima -= riga + gap;
                x = X0, riga = 0;
                continue;
            }
            chiudiFoglio();  // not even alone in a row: a new sheet
        }
    }
    chiudiFoglio();
    return piano;
}

void disegnaSezioniFoglio(Penna& penna, const std::vector<SezionePosta>& foglio, int32_t scala,
                          const GeometriaFoglio& g) {
    const double k = 100.0 / scala;
    for (const SezionePosta& p : foglio) {
        Trasforma t;
        t.ox = p.x, t.oy = p.y, t.bx = p.minX, t.by = p.minY, t.kx = t.ky = k, t.testi = testiSezione(k);
        const Riquadro r = p.fuori ? Riquadro{g.margine, g.margine, g.larghezza - g.margine, g.altezza - g.margine}
                                   : Riquadro{p.x - 1, p.y - 1, p.x + p.larghezza + 1, p.y + p.altezza + 1};
        disegnaElementi(penna, p.disegno, t, r, [](const ElementoDisegno&, bool dentro) { return dentro; });
    }
}

// ---- profile -------------------------------------------------------------------------

constexpr double kColonnaIntestazioni = 125;  // units left of the first section
constexpr double kFondoBande = 130;           // units under the datum line
constexpr double kSopraQuote = 42;            // units over the highest point: marks and captions

// Where a label belongs along the profile: the progressive of the section (or of the start of
// the stretch) it describes.
double appartiene(const ElementoDisegno& e, double& fineEsclusa) {
    fineEsclusa = 0;
    const std::string& r = e.ruolo;
    if (r == "numero_sezione") return e.x1 + 4;
    if (r == "progressiva" || r == "quota_terreno" || r == "quota_progetto") return e.x1 - 0.5 - e.altezza;
    if (r == "quota_rossa") return e.x1 + 1.5;
    if (r == "distanza_parziale") return fineEsclusa = 1, e.x1 - 2;
    if (r == "didascalia_livelletta") return fineEsclusa = 1, e.x1 - 5;
    if (r == "didascalia_curva") return fineEsclusa = 1, e.x1 - 2;
    return e.x1;
}

struct FinestraProfilo {
    double a, b;         // progressives
    double riferimento;  // datum of this sheet
    double massima;
    bool alta = false;  // taller than the sheet: cut at the top
};

double interpola(const Profilo& p, const VbArray<float>& z, int32_t n, double x) {
    if (x <= p.Progressive.get(1)) return fin(z.get(1));
    for (int32_t i = 1; i < n; ++i) {
        const double x1 = fin(p.Progressive.get(i)), x2 = fin(p.Progressive.get(i + 1));
        if (x >= x1 && x <= x2) {
            if (x2 - x1 < 1e-9) return fin(z.get(i));
            return fin(z.get(i)) + (fin(z.get(i + 1)) - fin(z.get(i))) * (x - x1) / (x2 - x1);
        }
    }
    return fin(z.get(n));
}

void quoteFinestra(const Profilo& p, int32_t n, double a, double b, double& minima, double& massima) {
    minima = 1e300, massima = -1e300;
    const bool progetto = p.MetodoLivellette != 0 && p.QuoteProgetto.upperBound() >= n;
    auto prendi = [&](double z) { minima = std::min(minima, z), massima = std::max(massima, z); };
    for (double x : {a, b}) {
        prendi(interpola(p, p.QuoteTerreno, n, x));
        if (progetto) prendi(interpola(p, p.QuoteProgetto, n, x));
    }
    for (int32_t i = 1; i <= n; ++i) {
        const double x = fin(p.Progressive.get(i));
        if (x < a || x > b) continue;
        prendi(fin(p.QuoteTerreno.get(i)));
        if (progetto) prendi(fin(p.QuoteProgetto.get(i)));
    }
}

struct PianoProfilo {
    std::vector<FinestraProfilo> fogli;
    double kx, ky;
    double L, B, cimaMm;  // paper: left of the heading column, bottom of the bands, top of the drawing
};

// The profile's sheets: each as long as fits, its breaks at sections (the section repeated at
// the start of the next sheet), shortened when its heights would not fit under the frame.
std::string impaginaProfilo(const Profilo& p, const OpzioniTavole& o, const GeometriaFoglio& g, PianoProfilo& piano,
                            std::vector<std::string>& avvisi) {
    const int32_t n =
        std::min<int32_t>(p.NumeroSezioni, std::min(p.Progressive.upperBound(), p.QuoteTerreno.upperBound()));
    piano.kx = 1000.0 / o.scalaOrizzontale;  // mm per unit: a unit is a metre along
    piano.ky = 100.0 / o.scalaVerticale;     // and a tenth of a metre up
    piano.L = g.margine + 4;
    piano.B = g.margine + g.cartiglioH + 6;
    piano.cimaMm = g.altezza - g.margine - 4;
    const double larghezzaMm = g.larghezza - g.margine - 10 - piano.L - kColonnaIntestazioni * piano.kx;
    const double altezzaUnita = (piano.cimaMm - piano.B) / piano.ky - kFondoBande;
    const double metri = larghezzaMm / piano.kx;
    if (metri < 1 || altezzaUnita < kSopraQuote + 20)
        return "Il profilo in scala " + scalaTesto(o.scalaOrizzontale) + " / " + scalaTesto(o.scalaVerticale) +
               " non entra nel foglio: scegliere un foglio più grande o una scala minore.";
    const double inizio = fin(p.Progressive.get(1)), fine = fin(p.Progressive.get(n));
    if (!(fine > inizio)) return "Il profilo non ha lunghezza: nessuna tavola del profilo.";
    if ((fine - inizio) / metri > kMaxFogli)
        return "Il profilo in scala " + scalaTesto(o.scalaOrizzontale) + " richiede più di " +
               std::to_string(kMaxFogli) + " fogli: scegliere una scala minore.";
    // A stretch fits with its datum a whole metre under its lowest point and room over its
    // highest for the grade-line marks and captions; or, tightly, with the datum half a metre
    // under and those marks left out at the frame.
    auto entra = [&](double a, double b, bool stretto, FinestraProfilo& f) {
        double minima;
        quoteFinestra(p, n, a, b, minima, f.massima);
        f.riferimento = stretto ? std::floor(minima * 2 - 1) / 2 : std::floor(minima) - 1;
        return (f.massima - f.riferimento) * 10 + (stretto ? 5 : kSopraQuote) <= altezzaUnita;
    };
    double a = inizio;
    bool avvisoAlto = false, avvisoStretto = false;
    while (a < fine - 1e-6 && static_cast<int>(piano.fogli.size()) < kMaxFogli) {
        FinestraProfilo f{a, 0, 0, 0};
        // The farthest section within reach whose stretch fits.
        for (bool stretto : {false, true}) {
            for (int32_t i = n; i >= 1 && f.b == 0; --i) {
                const double x = fin(p.Progressive.get(i));
                if (x > a + 1e-6 && x <= a + metri + 1e-6 && entra(a, x, stretto, f)) f.b = x;
            }
            if (f.b != 0) {
                if (stretto && !avvisoStretto)
                    avvisi.push_back(
                        "Sui fogli del profilo più alti del foglio i segni e le didascalie delle livellette "
                        "sono tagliati alla cornice.");
                avvisoStretto = avvisoStretto || stretto;
                break;
            }
        }
        if (f.b == 0) {
            // The next section is out of reach or its stretch is too tall: up to it, or a sheet's length.
            double b = std::min(fine, a + metri);
            for (int32_t i = 1; i <= n; ++i) {
                const double x = fin(p.Progressive.get(i));
                if (x > a + 1e-6) {
                    b = std::min(b, x);
                    break;
                }
            }
            f.b = b;
            if (!entra(a, b, true, f)) {
                f.alta = true;
                if (!avvisoAlto)
                    avvisi.push_back("Il profilo in scala " + scalaTesto(o.scalaVerticale) +
                                     " per le altezze supera l'altezza del foglio: è tagliato alla cornice.");
                avvisoAlto = true;
            }
        }
        piano.fogli.push_back(f);
        a = f.b;
    }
    return {};
}

void disegnaProfiloFoglio(Penna& penna, const Profilo& profilo, const FinestraProfilo& f, const PianoProfilo& piano,
                          const OpzioniTavole& o, const GeometriaFoglio& g) {
    Profilo copia = profilo;
    copia.QuotaRiferimento = static_cast<float>(f.riferimento);
    copia.QuotaMassima = static_cast<float>(f.massima);
    const double testi = std::max(piano.ky, 0.7) * 0.7;
    const Disegno d = senzaTestiSovrapposti(disegnoProfilo(copia), piano.kx, piano.ky, testi);
    const double x1 = fin(profilo.Progressive.get(1));
    Trasforma t;
    t.kx = piano.kx, t.ky = piano.ky, t.testi = testi;
    t.oy = piano.B, t.by = -kFondoBande;
    const double colonna = kColonnaIntestazioni * piano.kx;
    const double xCorpo = piano.L + colonna;
    const double fineCorpo = xCorpo + (f.b - f.a) * piano.kx;

    // The band headings on every sheet, left of its first section.
    t.ox = xCorpo, t.bx = x1;
    const Riquadro intestazioni{piano.L, piano.B, xCorpo - 1e-6, piano.cimaMm};
    disegnaElementi(penna, d, t, intestazioni,
                    [](const ElementoDisegno& e, bool dentro) { return dentro && e.ruolo == "intestazione"; });

    // The stretch of this sheet; labels go with the section they describe.
    t.ox = xCorpo, t.bx = f.a;
    const Riquadro corpo{xCorpo, piano.B, fineCorpo, piano.cimaMm};
    const Riquadro testi2{xCorpo, piano.B, fineCorpo + 8, piano.cimaMm};
    const double a = f.a, b = f.b;
    disegnaElementi(penna, d, t, corpo, [&](const ElementoDisegno& e, bool) {
        if (e.ruolo == "intestazione") return false;
        double esclusa = 0;
        const double x = appartiene(e, esclusa);
        const double y = t.Y(e.y1);
        if (y < testi2.y1 || y > testi2.y2) return false;
        return x >= a - 1e-6 && (esclusa ? x < b - 1e-6 : x <= b + 1e-6);
    });

    SuperficieMm& s = penna.s();
    penna.usa(0, 0.18);
    // Under the bands, left of the title block: the datum and the two scale bars.
    s.testo(piano.L + 2, g.margine + 28, "Quota di riferimento " + due(f.riferimento) + " m", 2.5, 0);
    s.testo(piano.L + 2, g.margine + 19, "Lunghezze", 2, 0);
    barraScala(penna, piano.L + 2, g.margine + 12, o.scalaOrizzontale, false);
    s.testo(piano.L + 80, g.margine + 28, "Altezze", 2, 0);
    barraScala(penna, piano.L + 100, g.margine + 3, o.scalaVerticale, true);
}

}  // namespace

bool leggiScalaSezioni(std::string_view testo, int32_t& scala) {
    if (testo.rfind("1:", 0) == 0) testo.remove_prefix(2);
    int32_t v = 0;
    if (!leggiPositivo(testo, v)) return false;
    scala = v;
    return true;
}

bool leggiScaleProfilo(std::string_view testo, int32_t& orizzontale, int32_t& verticale) {
    const auto due = testo.find(':');
    if (due == std::string_view::npos) return false;
    int32_t h = 0, v = 0;
    if (!leggiPositivo(testo.substr(0, due), h) || !leggiPositivo(testo.substr(due + 1), v) || v > h) return false;
    orizzontale = h, verticale = v;
    return true;
}

GeometriaFoglio geometriaFoglio(bool a3) {
    GeometriaFoglio g{};
    g.larghezza = a3 ? kA3Altezza : kA4Altezza;
    g.altezza = a3 ? kA3Larghezza : kA4Larghezza;
    return g;
}

EsitoTavole disegnaTavole(SuperficieMm& superficie, const VbArray<Sezione>& sezioni, const Profilo& profilo,
                          const OpzioniTavole& o) {
    EsitoTavole esito;
    const GeometriaFoglio g = geometriaFoglio(o.formatoA3);
    PianoSezioni ps;
    if (o.scalaSezioni > 0) ps = impaginaSezioni(sezioni, o.scalaSezioni, g, esito.avvisi);
    PianoProfilo pp{};
    const int32_t nProfilo = std::min<int32_t>(
        profilo.NumeroSezioni, std::min(profilo.Progressive.upperBound(), profilo.QuoteTerreno.upperBound()));
    if (o.scalaOrizzontale > 0 && nProfilo >= 2) {
        if (o.scalaVerticale <= 0) {
            esito.errore = "Scala delle altezze del profilo non valida.";
            return esito;
        }
        esito.errore = impaginaProfilo(profilo, o, g, pp, esito.avvisi);
        if (!esito.errore.empty()) return esito;
    }
    if (static_cast<int>(ps.fogli.size()) > kMaxFogli) {
        esito.errore = "Le sezioni richiedono più di " + std::to_string(kMaxFogli) + " fogli.";
        return esito;
    }
    esito.fogliSezioni = static_cast<int>(ps.fogli.size());
    esito.fogliProfilo = static_cast<int>(pp.fogli.size());
    const int totale = esito.fogliSezioni + esito.fogliProfilo;
    if (totale == 0) {
        esito.errore = "Nessuna sezione e nessun profilo da stampare.";
        return esito;
    }
    Penna penna(superficie);
    int numero = 0;
    for (const auto& foglio : ps.fogli) {
        penna.pagina(g.larghezza, g.altezza);
        disegnaSezioniFoglio(penna, foglio, o.scalaSezioni, g);
        cornice(penna, g, o, {"SEZIONI TRASVERSALI", "Scala " + scalaTesto(o.scalaSezioni), ++numero, totale, true});
        barraScala(penna, g.larghezza - g.margine - g.cartiglioL + 65, g.margine + 15, o.scalaSezioni, false);
    }
    for (const FinestraProfilo& f : pp.fogli) {
        penna.pagina(g.larghezza, g.altezza);
        disegnaProfiloFoglio(penna, profilo, f, pp, o, g);
        cornice(penna, g, o,
                {"PROFILO LONGITUDINALE da " + due(f.a) + " a " + due(f.b),
                 "Scala lunghezze " + scalaTesto(o.scalaOrizzontale) + ", altezze " + scalaTesto(o.scalaVerticale),
                 ++numero, totale, false});
    }
    return esito;
}

std::string dataOdierna() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm giorno{};
    localtime_r(&t, &giorno);
    char buf[16];
    std::strftime(buf, sizeof buf, "%d/%m/%Y", &giorno);
    return buf;
}

}  // namespace carvela
