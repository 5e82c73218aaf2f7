#include "graphics/view3d.h"

#include <algorithm>
#include <cmath>

#include "graphics/plan_drawing.h"
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
