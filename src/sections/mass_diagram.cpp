#include "sections/mass_diagram.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/stroke_font.h"
#include "project/vbtext.h"
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

struct Estremi {
    double x1 = 0, x2 = 0, v1 = 0, v2 = 0;  // progressive and volume ranges (volumes include 0)
};

Estremi estremi(const TabellaPaleggi& t) {
    Estremi e;
    bool primo = true;
    for (int32_t p = 1; p <= t.NumeroPunti; ++p) {
        const double x = sicuro(t.ProgressivePunti.get(p)), v = sicuro(t.Ordinate.get(p));
        e.x1 = primo ? x : std::min(e.x1, x);
        e.x2 = primo ? x : std::max(e.x2, x);
        e.v1 = std::min(e.v1, v);
        e.v2 = std::max(e.v2, v);
        primo = false;
    }
    return e;
}

// A round step (1, 2 or 5 times a power of ten) giving about `quanti` intervals over `ampiezza`.
double passoTondo(double ampiezza, double quanti) {
    if (!(ampiezza > 0) || !std::isfinite(ampiezza)) return 0;
    const double grezzo = ampiezza / quanti;
    const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
    for (double m : {1.0, 2.0, 5.0})
        if (grezzo <= m * decade) return m * decade;
    return 10 * decade;
}

}  // namespace

double scalaVerticaleDiagramma(const TabellaPaleggi& t) {
    const Estremi e = estremi(t);
    const double lunghezza = e.x2 - e.x1, volumi = e.v2 - e.v1;
    if (lunghezza > 0 && volumi > 0 && std::isfinite(lunghezza / volumi)) return 0.5 * lunghezza / volumi;
    // A table with no usable scale (an empty record) is drawn at one cubic metre per unit.
    const double scala = std::isfinite(t.ScalaVolumi) && t.ScalaVolumi > 0 ? t.ScalaVolumi : 1.0;
    return 1.0 / scala;
}

void disegnaDiagramma(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocDiagramma;
    Vista& v = ws.vista;
    riavviaEstensione(v);
    host.cursoreAttesa(true);
    canvas.clear();

    const TabellaPaleggi& t = ws.Paleggi;
    const double k = scalaVerticaleDiagramma(t);
    const Estremi est = estremi(t);
    const double lunghezza = est.x2 - est.x1;
    // Texts a hundredth of the length high: legible at extent on any road.
    const double h = lunghezza > 0 ? lunghezza / 100 : 5.0;
    const int32_t punti = t.NumeroPunti;
    auto X = [&](int32_t p) { return sicuro(t.ProgressivePunti.get(p)); };
    auto V = [&](int32_t p) { return sicuro(t.Ordinate.get(p)); };

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

    host.cursoreAttesa(false);
}

}  // namespace carvela
