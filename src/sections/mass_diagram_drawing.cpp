#include "sections/mass_diagram_drawing.h"

#include <cmath>
#include <string>

#include "graphics/stroke_font.h"
#include "project/vbtext.h"
#include "sections/mass_diagram.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

void linea(Vista& v, Canvas& c, double x1, double y1, double x2, double y2, int colore) {
    c.setForeColor(colore);
    puntoEstensione(v, c, v.canvasX(x1), v.canvasY(y1));
    c.lineTo(pixel(v.canvasX(x2)), pixel(v.canvasY(y2)));
    puntoEstensione(v, c, v.canvasX(x2), v.canvasY(y2));
}

void testo(Vista& v, Canvas& c, double x, double y, bool verticale, float altezza, int colore, const std::string& t) {
    scriviTesto(v, c, v.scala, v.canvasX(x), v.canvasY(y), verticale ? 1 : 0, altezza, colore, t);
}

// Values that cannot be drawn (a corrupt table) are drawn as zero.
double sicuro(double v) { return std::isfinite(v) ? v : 0.0; }

// A round step (1, 2 or 5 times a power of ten) giving about `quanti` intervals over `ampiezza`.
double passoTondo(double ampiezza, double quanti) {
    if (!(ampiezza > 0) || !std::isfinite(ampiezza)) return 0;
    const double grezzo = ampiezza / quanti;
    const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
    for (double m : {1.0, 2.0, 5.0})
        if (grezzo <= m * decade) return m * decade;
    return 10 * decade;
}

// A short text of a number with the decimal comma and no trailing zeros ("1,25", "300").
std::string breve(double v) {
    std::string s = formatta(v, "###0.00");
    while (!s.empty() && s.back() == '0' && s.find(',') != std::string::npos) s.pop_back();
    if (!s.empty() && s.back() == ',') s.pop_back();
    return s;
}

// What the haul adds to the diagram: the balance points on the balance line, the free-haul
// and economic-haul chords between the branches of each loop, each labelled with its length
// where the label fits over it.
void disegnaCompenso(Vista& v, Canvas& c, const Movimento& m, double k, double h) {
    for (double x : m.puntiEquilibrio) {
        const double r = 0.45 * h;
        linea(v, c, x - r, 0, x, r, 13);
        linea(v, c, x, r, x + r, 0, 13);
        linea(v, c, x + r, 0, x, -r, 13);
        linea(v, c, x, -r, x - r, 0, 13);
    }
    for (const CordaDiagramma& corda : m.corde) {
        const int colore = corda.economica ? 9 : 11;
        const double y = sicuro(corda.ordinata) * k, x1 = sicuro(corda.da), x2 = sicuro(corda.a);
        linea(v, c, x1, y, x2, y, colore);
        for (double x : {x1, x2}) linea(v, c, x, y - 0.3 * h, x, y + 0.3 * h, colore);
        const double lunghezza = x2 - x1;
        const std::string etichetta = (corda.economica ? "econ. " : "franco ") + breve(lunghezza) + " m";
        const double altezza = 0.7 * h, largo = 0.6 * altezza * static_cast<double>(etichetta.size());
        if (largo > lunghezza) continue;
        // Above the chord of a hump, below the chord of a dip: inside the loop.
        const double yt = corda.ordinata >= 0 ? y + 0.4 * h + altezza : y - 0.4 * h;  // texts hang from y
        testo(v, c, (x1 + x2 - largo) / 2, yt, false, static_cast<float>(altezza), colore, etichetta);
    }
}

}  // namespace

void disegnaDiagramma(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocDiagramma;
    Vista& v = ws.vista;
    riavviaEstensione(v);
    host.cursoreAttesa(true);
    canvas.clear();

    const TabellaPaleggi& t = ws.Paleggi;
    // Corrected volumes keep the table's vertical scale, so the pointer reads them alike.
    const double k = scalaVerticaleDiagramma(t);
    const Movimento movimento = movimentoPaleggi(t, parametriStrada(ws));
    const std::vector<PuntoDiagramma> diagramma = puntiDiagramma(t, movimento);
    const EstremiDiagramma est = estremiDiagramma(diagramma);
    const double lunghezza = est.x2 - est.x1;
    // Texts a hundredth of the length high: legible at extent on any road.
    const double h = lunghezza > 0 ? lunghezza / 100 : 5.0;
    const auto punti = static_cast<int32_t>(diagramma.size());
    auto X = [&](int32_t p) { return diagramma[static_cast<std::size_t>(p - 1)].x; };
    auto V = [&](int32_t p) { return diagramma[static_cast<std::size_t>(p - 1)].ordinata; };

    for (int32_t p = 1; p <= punti; ++p) linea(v, canvas, X(p), 0, X(p), V(p) * k, V(p) >= 0 ? 14 : 12);
    for (int32_t p = 1; p < punti; ++p) {
        linea(v, canvas, X(p), 0, X(p + 1), 0, 15);
        linea(v, canvas, X(p), V(p) * k, X(p + 1), V(p + 1) * k, 15);
    }
    const int32_t sezioni = t.ProgressiveSezioni.upperBound() + 1;
    for (int32_t j = 0; j < sezioni; ++j) {
        double xs = sicuro(t.ProgressiveSezioni[j]);
        canvas.circle(v.canvasX(xs), v.canvasY(0), v.scala * h / 5, 10, 1.0);
    }
    // The ordinates' values read upwards beside their lines; one that would overwrite the one
    // before it on its side of the zero line is left out.
    double ultimoSopra = -HUGE_VAL, ultimoSotto = -HUGE_VAL;
    for (int32_t p = 1; p <= punti; ++p) {
        const bool positivo = V(p) >= 0;
        const std::string valore = formatta(V(p), "#.00");
        const double x = X(p) + 0.08 * h;
        double& ultimo = positivo ? ultimoSopra : ultimoSotto;
        if (x - h < ultimo + 0.2 * h) continue;
        ultimo = x;
        const double lungo = 0.6 * h * static_cast<double>(valore.size());
        testo(v, canvas, x, positivo ? V(p) * k + h + lungo : V(p) * k - 2 * h, true, static_cast<float>(h),
              positivo ? 14 : 12, valore);
    }
    double ultimaSezione = -HUGE_VAL;
    for (int32_t j = 1; j <= sezioni; ++j) {
        const std::string numero = std::to_string(j);
        const double x = sicuro(t.ProgressiveSezioni[j - 1]) + 0.32 * h;
        if (x < ultimaSezione + 0.2 * h) continue;
        ultimaSezione = x + 0.6 * h * static_cast<double>(numero.size());
        testo(v, canvas, x, 0.2 * h + h, false, static_cast<float>(h), 10, numero);
    }

    // Volume axis at the left with its ticks, progressive axis under the diagram with its own.
    const double xAsse = est.x1 - 2 * h;
    const double fondo = est.v1 * k - 12 * h;
    const double passoV = passoTondo(est.v2 - est.v1, 8);
    if (passoV > 0) {
        linea(v, canvas, xAsse, est.v1 * k, xAsse, est.v2 * k, 7);
        for (double q = std::ceil(est.v1 / passoV) * passoV; q <= est.v2 + passoV * 1e-9; q += passoV) {
            linea(v, canvas, xAsse - 0.5 * h, q * k, xAsse, q * k, 7);
            const std::string etichetta = formatta(q, "###0");
            testo(v, canvas, xAsse - h - 0.6 * h * static_cast<double>(etichetta.size()), q * k + 0.4 * h, false,
                  static_cast<float>(0.8 * h), 7, etichetta);
        }
        testo(v, canvas, xAsse - 9 * h, est.v2 * k + 2 * h, false, static_cast<float>(h), 7, "m³");
    }
    const double passoX = passoTondo(lunghezza, 10);
    if (passoX > 0) {
        linea(v, canvas, est.x1, fondo, est.x2, fondo, 7);
        for (double q = std::ceil(est.x1 / passoX) * passoX; q <= est.x2 + passoX * 1e-9; q += passoX) {
            linea(v, canvas, q, fondo, q, fondo - 0.5 * h, 7);
            const std::string etichetta = formatta(q, "###0");
            testo(v, canvas, q - 0.3 * h * static_cast<double>(etichetta.size()), fondo - 1.2 * h, false,
                  static_cast<float>(0.8 * h), 7, etichetta);
        }
        testo(v, canvas, est.x2 + h, fondo, false, static_cast<float>(0.8 * h), 7, "m");
    }
    testo(v, canvas, xAsse - 10 * h, 8.55 * h, true, static_cast<float>(1.5 * h), 15, "RIPORTO       STERRO");
    const ParametriTerra& p = movimento.parametri;
    // Under the progressive scale, clear of the ordinates' labels; in words the stroke font has
    // letters for (it has no colon or slash).
    if (suVolumiCorretti(p))
        testo(
            v, canvas, est.x1, est.v1 * k - 15 * h, false, static_cast<float>(0.8 * h), 7,
            "Volumi corretti (sterro x " + breve(p.rigonfiamento) + ", riporto diviso " + breve(p.costipamento) + ")");
    disegnaCompenso(v, canvas, movimento, k, h);

    host.cursoreAttesa(false);
}

}  // namespace carvela
