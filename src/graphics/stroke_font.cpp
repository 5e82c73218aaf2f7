#include "graphics/stroke_font.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <span>
#include <vector>

#include "state/canvas.h"
#include "state/view.h"

namespace carvela {
namespace {

// One stroke instruction in glyph units (u right, v up, in character heights from the
// reference corner): pen move, line, arc (centre, radius, start, end, aspect) or ellipse.
struct Tratto {
    enum Tipo { Sposta, Linea, Arco, Ellisse } tipo;
    double a = 0, b = 0;                      // point, or centre
    double raggio = 0, inizio = 0, fine = 0;  // arcs and ellipses
    double aspetto = 1;
};

Tratto M(double u, double v) { return {Tratto::Sposta, u, v}; }
Tratto L(double u, double v) { return {Tratto::Linea, u, v}; }
Tratto A(double u, double v, double r, double inizio, double fine, double aspetto = 1) {
    return {Tratto::Arco, u, v, r, inizio, fine, aspetto};
}
Tratto E(double u, double v, double r, double aspetto = 1) { return {Tratto::Ellisse, u, v, r, 0, 0, aspetto}; }

struct Glifo {
    std::vector<Tratto> tratti;
    double avanzamento = 0.6;
};

// A polyline as a pen move followed by lines.
std::vector<Tratto> spezzata(std::initializer_list<std::pair<double, double>> punti) {
    std::vector<Tratto> t;
    bool primo = true;
    for (const auto& [u, v] : punti) {
        t.push_back(primo ? M(u, v) : L(u, v));
        primo = false;
    }
    return t;
}

std::vector<Tratto> unisci(std::initializer_list<std::vector<Tratto>> parti) {
    std::vector<Tratto> t;
    for (const auto& p : parti) t.insert(t.end(), p.begin(), p.end());
    return t;
}

// A digit made a superscript: half size in the upper half of the cell.
Glifo apice(const Glifo& cifra) {
    Glifo g;
    for (Tratto t : cifra.tratti) {
        t.a *= 0.5, t.b = 0.5 + 0.5 * t.b, t.raggio *= 0.5;
        g.tratti.push_back(t);
    }
    g.avanzamento = 0.35;
    return g;
}

// The 45 glyphs; the cell is one height high and half a height wide.
const Glifo* glifo(char32_t c) {
    static const struct Tabella {
        Glifo g[256];
        Tabella() {
            auto& t = g;
            t['1'].tratti = unisci({spezzata({{0.1, 0.8}, {0.25, 1}, {0.25, 0}}), spezzata({{0.1, 0}, {0.4, 0}})});
            t['2'].tratti = {M(0.5, 0), L(0, 0), L(0.5, 0.75), A(0.25, 0.75, 0.25, 0, 3.1)};
            t['3'].tratti =
                unisci({spezzata({{0, 1}, {0.5, 1}, {0.5, 0}, {0, 0}}), spezzata({{0.1, 0.5}, {0.5, 0.5}})});
            t['4'].tratti = spezzata({{0.35, 0}, {0.35, 1}, {0, 0.3}, {0.5, 0.3}});
            t['5'].tratti = spezzata({{0.5, 1}, {0, 1}, {0, 0.55}, {0.5, 0.55}, {0.5, 0}, {0, 0}});
            t['6'].tratti = spezzata({{0.5, 1}, {0, 1}, {0, 0}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}});
            t['7'].tratti = spezzata({{0, 1}, {0.5, 1}, {0.15, 0}});
            t['8'].tratti = {E(0.25, 0.75, 0.25), E(0.25, 0.25, 0.25)};
            t['9'].tratti = spezzata({{0.5, 0.5}, {0, 0.5}, {0, 1}, {0.5, 1}, {0.5, 0}, {0, 0}});
            t['0'].tratti = {E(0.25, 0.5, 0.5, 2)};
            t['.'].tratti = {E(0.125, 0.125, 0.03)};
            t['.'].avanzamento = 0.4;
            t['-'].tratti = spezzata({{0.05, 0.5}, {0.45, 0.5}});
            t['+'].tratti = unisci({spezzata({{0.05, 0.5}, {0.45, 0.5}}), spezzata({{0.25, 0.3}, {0.25, 0.7}})});
            t['='].tratti = unisci({spezzata({{0.05, 0.35}, {0.45, 0.35}}), spezzata({{0.05, 0.65}, {0.45, 0.65}})});
            t['('].tratti = {A(0.4, 0.5, 0.5, 1.57, 4.61, 1.7)};
            // The mirror image of "(" in a narrow cell.
            t[')'].tratti = {A(0.0, 0.5, 0.5, 4.815, 1.5716, 1.7)};
            t[')'].avanzamento = 0.4;
            t[','].tratti = spezzata({{0.15, 0.1}, {0.05, -0.15}});
            t['A'].tratti = unisci({spezzata({{0, 0}, {0.25, 1}, {0.5, 0}}), spezzata({{0.1, 0.4}, {0.4, 0.4}})});
            t['B'].tratti =
                unisci({spezzata({{0, 0}, {0, 1}, {0.35, 1}, {0.45, 0.9}, {0.45, 0.6}, {0.35, 0.5}, {0, 0.5}}),
                        spezzata({{0.35, 0.5}, {0.5, 0.4}, {0.5, 0.1}, {0.4, 0}, {0, 0}})});
            t['C'].tratti = spezzata({{0.5, 1}, {0, 1}, {0, 0}, {0.5, 0}});
            t['D'].tratti = spezzata({{0, 0}, {0, 1}, {0.3, 1}, {0.5, 0.8}, {0.5, 0.2}, {0.3, 0}, {0, 0}});
            t['E'].tratti = unisci({spezzata({{0.5, 1}, {0, 1}, {0, 0}, {0.5, 0}}), spezzata({{0, 0.5}, {0.35, 0.5}})});
            t['F'].tratti = unisci({spezzata({{0.5, 1}, {0, 1}, {0, 0}}), spezzata({{0, 0.5}, {0.35, 0.5}})});
            t['G'].tratti = spezzata({{0.5, 1}, {0, 1}, {0, 0}, {0.5, 0}, {0.5, 0.45}, {0.25, 0.45}});
            t['H'].tratti =
                unisci({spezzata({{0, 0}, {0, 1}}), spezzata({{0.5, 0}, {0.5, 1}}), spezzata({{0, 0.5}, {0.5, 0.5}})});
            t['I'].tratti = unisci(
                {spezzata({{0.25, 0}, {0.25, 1}}), spezzata({{0.1, 1}, {0.4, 1}}), spezzata({{0.1, 0}, {0.4, 0}})});
            t['L'].tratti = spezzata({{0, 1}, {0, 0}, {0.5, 0}});
            t['M'].tratti = spezzata({{0, 0}, {0, 1}, {0.25, 0.5}, {0.5, 1}, {0.5, 0}});
            t['N'].tratti = spezzata({{0, 0}, {0, 1}, {0.5, 0}, {0.5, 1}});
            t['O'].tratti = spezzata({{0, 0}, {0, 1}, {0.5, 1}, {0.5, 0}, {0, 0}});
            t['P'].tratti = spezzata({{0, 0}, {0, 1}, {0.5, 1}, {0.5, 0.5}, {0, 0.5}});
            t['Q'].tratti =
                unisci({spezzata({{0, 0}, {0, 1}, {0.5, 1}, {0.5, 0}, {0, 0}}), spezzata({{0.3, 0.2}, {0.55, -0.05}})});
            t['R'].tratti =
                unisci({spezzata({{0, 0}, {0, 1}, {0.5, 1}, {0.5, 0.5}, {0, 0.5}}), spezzata({{0.2, 0.5}, {0.5, 0}})});
            t['S'].tratti = spezzata({{0.5, 1}, {0, 1}, {0, 0.5}, {0.5, 0.5}, {0.5, 0}, {0, 0}});
            t['T'].tratti = unisci({spezzata({{0, 1}, {0.5, 1}}), spezzata({{0.25, 1}, {0.25, 0}})});
            t['U'].tratti = spezzata({{0, 1}, {0, 0}, {0.5, 0}, {0.5, 1}});
            t['V'].tratti = spezzata({{0, 1}, {0.25, 0}, {0.5, 1}});
            t['Z'].tratti = spezzata({{0, 1}, {0.5, 1}, {0, 0}, {0.5, 0}});
            t['X'].tratti = unisci({spezzata({{0, 0}, {0.5, 1}}), spezzata({{0, 1}, {0.5, 0}})});
            t['Y'].tratti = unisci({spezzata({{0, 1}, {0.25, 0.5}, {0.5, 1}}), spezzata({{0.25, 0.5}, {0.25, 0}})});
            t['K'].tratti = unisci(
                {spezzata({{0, 0}, {0, 1}}), spezzata({{0.5, 1}, {0, 0.45}}), spezzata({{0.15, 0.6}, {0.5, 0}})});
            t['W'].tratti = spezzata({{0, 1}, {0.1, 0}, {0.25, 0.5}, {0.4, 0}, {0.5, 1}});
            t['J'].tratti = spezzata({{0.5, 1}, {0.5, 0}, {0, 0}, {0, 0.3}});
            // Square and cubic metres.
            t[0xB2] = apice(t['2']);
            t[0xB3] = apice(t['3']);
        }
    } tabella;
    if (c >= 256) return nullptr;
    const Glifo& g = tabella.g[c];
    return g.tratti.empty() ? nullptr : &g;
}

// The next character of a UTF-8 text (a stray byte counts as one character).
char32_t prossimoCarattere(std::string_view t, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(t[i++]);
    if (c < 0x80) return c;
    int seguito = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> seguito);
    while (seguito-- > 0 && i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80)
        cp = (cp << 6) | (static_cast<unsigned char>(t[i++]) & 0x3F);
    return cp;
}

}  // namespace

bool haGlifo(char32_t carattere) {
    if (carattere >= 'a' && carattere <= 'z') carattere -= 'a' - 'A';
    return glifo(carattere) != nullptr;
}

void scriviTesto(Vista& vista, Canvas& canvas, float s, double x0, double y0, uint8_t verticale, float altezza,
                 int colore, std::string_view testo) {
    const double h = static_cast<double>(s) * static_cast<double>(altezza);
    if (!std::isfinite(h) || !std::isfinite(x0) || !std::isfinite(y0)) return;
    canvas.setForeColor(colore);

    // At most 255 characters, taken last first for vertical text.
    std::array<char32_t, 255> memoria;
    std::size_t quanti = 0;
    for (std::size_t i = 0; i < testo.size() && quanti < memoria.size();)
        memoria[quanti++] = prossimoCarattere(testo, i);
    const bool alto = verticale != 0;
    if (alto) std::reverse(memoria.begin(), memoria.begin() + static_cast<std::ptrdiff_t>(quanti));
    const std::span<const char32_t> caratteri(memoria.data(), quanti);

    constexpr double kQuartoGiro = 1.5707963267948966;
    double avanzamento = 0;
    for (char32_t c : caratteri) {
        const double passo = std::nearbyint(avanzamento);
        if (alto) {
            y0 += passo;
        } else {
            x0 += passo;
        }
        if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
        const Glifo* g = glifo(c);
        if (g == nullptr) continue;  // keeps the advance of the character before
        // Glyph point (u, v) on the canvas; vertical glyphs are turned a quarter turn anticlockwise.
        auto cx = [&](double u, double v) { return alto ? x0 - v * h : x0 + u * h; };
        auto cy = [&](double u, double v) { return alto ? y0 - u * h : y0 - v * h; };
        for (const Tratto& t : g->tratti) {
            const double x = cx(t.a, t.b), y = cy(t.a, t.b);
            const double rotazione = alto ? kQuartoGiro : 0;
            const double aspetto = alto ? 1.0 / t.aspetto : t.aspetto;
            switch (t.tipo) {
            case Tratto::Sposta: puntoEstensione(vista, canvas, x, y); break;
            case Tratto::Linea: canvas.lineTo(pixel(x), pixel(y)); break;
            case Tratto::Arco:
                canvas.arc(x, y, t.raggio * h, colore, t.inizio + rotazione, t.fine + rotazione, aspetto);
                break;
            case Tratto::Ellisse: canvas.circle(x, y, t.raggio * h, colore, aspetto); break;
            }
        }
        avanzamento = g->avanzamento * h;
    }
}

}  // namespace carvela
