#include "graphics/view3d.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/plan_drawing.h"
#include "graphics/view_ops.h"
#include "project/records.h"
#include "project/vbtext.h"
#include "state/canvas.h"
#include "state/view.h"

namespace carvela {

void centroTerreno(const Planimetria& piano, StatoVista3D& stato) {
    bool primo = true;
    double minX = 0, maxX = 0, minY = 0, maxY = 0, minZ = 0, maxZ = 0;
    for (int32_t i = 1; i <= piano.NumeroCurveLivello && piano.CurveLivello.has(i); ++i) {
        const auto& pezzi = piano.CurveLivello[i];
        for (int32_t j = 1; j <= pezzi.upperBound(); ++j) {
            const ContourSegment& s = pezzi[j];
            if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.z1)) continue;
            if (primo) {
                minX = maxX = s.x1;
                minY = maxY = s.y1;
                minZ = maxZ = s.z1;
                primo = false;
                continue;
            }
            minX = std::min(minX, double{s.x1}), maxX = std::max(maxX, double{s.x1});
            minY = std::min(minY, double{s.y1}), maxY = std::max(maxY, double{s.y1});
            minZ = std::min(minZ, double{s.z1}), maxZ = std::max(maxZ, double{s.z1});
        }
    }
    stato.centroX = static_cast<float>((minX + maxX) / 2);
    stato.centroY = static_cast<float>((minY + maxY) / 2);
    stato.centroZ = static_cast<float>((minZ + maxZ) / 2);
}

PuntoProiettato proiettaPunto(const StatoVista3D& stato, double x, double y, double z) {
    x -= stato.centroX;
    y -= stato.centroY;
    z -= stato.centroZ;
    const double sinT = std::sin(double{stato.azimut}), cosT = std::cos(double{stato.azimut});
    const double sinF = std::sin(double{stato.elevazione}), cosF = std::cos(double{stato.elevazione});
    const double d = stato.distanza;
    const double e = -x * sinF * cosT - y * sinF * sinT - z * cosF + d;
    if (e == 0) return {};
    return {(-x * sinT + y * cosT) * d / e, (-x * cosF * cosT - y * cosF * sinT + z * sinF) * d / e};
}

namespace {

// The road at each station: axis point and edges at the design elevation of its section.
struct StazioneVista3D {
    double x, y, z, xs, ys, xd, yd;
    bool cigli;  // the edges are known (the road computation made them)
};

std::vector<StazioneVista3D> stazioni3D(const Planimetria& piano) {
    std::vector<StazioneVista3D> out;
    const int32_t n = std::min(piano.NumeroIntersezioni, piano.Intersezioni.upperBound());
    for (int32_t j = 1; j <= n; ++j) {
        const IntersezioneAsse& q = piano.Intersezioni[j];
        double z = q.z;
        if (piano.SezioniApplicate.has(j)) {
            const float progetto = piano.SezioniApplicate[j].QuotaProgetto;
            if (std::isfinite(progetto) && progetto != 0) z = progetto;
        }
        const ContourSegment c = piano.Cigli.get(j);
        const bool cigli = piano.Cigli.has(j);
        StazioneVista3D st{q.x,  q.y, z, cigli ? c.x1 : q.x, cigli ? c.y1 : q.y, cigli ? c.x2 : q.x, cigli ? c.y2 : q.y,
                           cigli};
        if (std::isfinite(st.x + st.y + st.z + st.xs + st.ys + st.xd + st.yd)) out.push_back(st);
    }
    return out;
}

}  // namespace

void disegnaVista3D(Vista& vista, Canvas& canvas, const Planimetria& piano, int32_t passo, const StatoVista3D& stato) {
    canvas.clear();
    riavviaEstensione(vista);
    // Each piece projected into the plane of the view; the plan's contour rule then draws it
    // through the view transform.
    VbArray<ContourSegment> proiettati;
    for (int32_t i = 1; i <= piano.NumeroCurveLivello && piano.CurveLivello.has(i); ++i) {
        const auto& pezzi = piano.CurveLivello[i];
        const int32_t n = pezzi.upperBound();
        if (n < 1) continue;
        proiettati.redim(n);
        for (int32_t j = 1; j <= n; ++j) {
            const ContourSegment& s = pezzi[j];
            const PuntoProiettato a = proiettaPunto(stato, s.x1, s.y1, s.z1);
            const PuntoProiettato b = proiettaPunto(stato, s.x2, s.y2, s.z2);
            ContourSegment& q = proiettati[j];
            q.x1 = static_cast<float>(a.x), q.y1 = static_cast<float>(a.y), q.z1 = s.z1;
            q.x2 = static_cast<float>(b.x), q.y2 = static_cast<float>(b.y), q.z2 = s.z2;
        }
        disegnaCurvaLivello(vista, canvas, proiettati, passo);
    }
    const std::vector<StazioneVista3D> strada = stazioni3D(piano);
    auto tratto = [&](double x1, double y1, double x2, double y2, double z1, double z2) {
        const PuntoProiettato a = proiettaPunto(stato, x1, y1, z1), b = proiettaPunto(stato, x2, y2, z2);
        puntoEstensione(vista, canvas, vista.canvasX(a.x), vista.canvasY(a.y));
        canvas.lineTo(pixel(vista.canvasX(b.x)), pixel(vista.canvasY(b.y)));
    };
    for (std::size_t j = 1; j < strada.size(); ++j) {
        const StazioneVista3D &a = strada[j - 1], &b = strada[j];
        if (a.cigli && b.cigli) {
            canvas.setForeColor(14);
            tratto(a.xs, a.ys, b.xs, b.ys, a.z, b.z);
            tratto(a.xd, a.yd, b.xd, b.yd, a.z, b.z);
        }
        canvas.setForeColor(15);
        tratto(a.x, a.y, b.x, b.y, a.z, b.z);
    }
}

bool adattaVista3D(Vista& vista, int larghezza, int altezza, const Planimetria& piano, const StatoVista3D& stato) {
    double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
    auto prendi = [&](double x, double y, double z) {
        const PuntoProiettato p = proiettaPunto(stato, x, y, z);
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    };
    for (int32_t i = 1; i <= piano.NumeroCurveLivello && piano.CurveLivello.has(i); ++i) {
        const auto& pezzi = piano.CurveLivello[i];
        for (int32_t j = 1; j <= pezzi.upperBound(); ++j) {
            const ContourSegment& s = pezzi[j];
            prendi(s.x1, s.y1, s.z1);
            prendi(s.x2, s.y2, s.z2);
        }
    }
    for (const StazioneVista3D& st : stazioni3D(piano)) {
        prendi(st.xs, st.ys, st.z);
        prendi(st.xd, st.yd, st.z);
    }
    if (!(minX <= maxX)) return false;
    // The extent as the unit view draws it, then the fit of "Zoom estensione".
    Vista prova;
    prova.estMinX = static_cast<float>(prova.canvasX(minX)), prova.estMaxX = static_cast<float>(prova.canvasX(maxX));
    prova.estMaxY = static_cast<float>(prova.canvasY(minY)), prova.estMinY = static_cast<float>(prova.canvasY(maxY));
    prova.riavvioEstensione = 0;
    if (!adattaVista(prova, larghezza, altezza)) return false;
    vista.scala = prova.scala, vista.offsetX = prova.offsetX, vista.offsetY = prova.offsetY;
    return true;
}

ModelloVista3D::ModelloVista3D(const Planimetria& piano) {
    centroTerreno(piano, stato_);
    for (int i = 0; i < 3; ++i) {
        valori_[i] = kCursoriVista3D[i].iniziale;
        imposta(i, valori_[i]);
    }
}

void ModelloVista3D::imposta(int cursore, int valore) {
    if (cursore < 0 || cursore > 2) return;
    valore = std::clamp(valore, kCursoriVista3D[cursore].minimo, kCursoriVista3D[cursore].massimo);
    valori_[cursore] = valore;
    switch (cursore) {
    case 0: stato_.elevazione = static_cast<float>(valore / 10.0); break;
    case 1: stato_.azimut = static_cast<float>(valore / 10.0); break;
    default: stato_.distanza = static_cast<float>(valore); break;
    }
}

int ModelloVista3D::valore(int cursore) const { return cursore >= 0 && cursore <= 2 ? valori_[cursore] : 0; }

std::string ModelloVista3D::etichetta(int cursore) const { return testoNumero(static_cast<int64_t>(valore(cursore))); }

}  // namespace carvela
