// The whole road computation on terrains whose sections have closed-form areas: contour
// lines of an inclined plane and of a symmetric V valley, a straight axis along them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "state/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

namespace {

// The axis starts at A and runs 200 m on a bearing of 30 degrees; u is the distance along
// it, v the distance to its right. The ground is z = 100 + 0.02 u + f(v), with contour
// lines every 0.5 m, so every 25 m of axis meets one and the ends lie on contour lines.
constexpr double kAx = 1000, kAy = 2000, kRilevamento = 0.5235987755982988, kLunghezza = 200;
constexpr double kQuota0 = 100, kPendenza = 0.02, kEquidistanza = 0.5;

void puntoPiano(double u, double v, float& x, float& y) {
    const double dx = std::sin(kRilevamento), dy = std::cos(kRilevamento);
    x = static_cast<float>(kAx + u * dx + v * dy);
    y = static_cast<float>(kAy + u * dy - v * dx);
}

// Contour lines of the terrain: each level as a polyline through the given v stations.
Workspace terreno(const std::function<double(double)>& f, const std::vector<double>& stazioniV) {
    Workspace ws;
    Planimetria& p = ws.Piano;
    int32_t n = 0;
    for (double L = kQuota0 - 4; L <= kQuota0 + 8 + 1e-9; L += kEquidistanza) {
        ++n;
        p.CurveLivello.redimPreserve(n);
        VbArray<ContourSegment>& pezzi = p.CurveLivello[n];
        pezzi.redim(static_cast<int32_t>(stazioniV.size()) - 1);
        for (std::size_t k = 0; k + 1 < stazioniV.size(); ++k) {
            ContourSegment& s = pezzi[static_cast<int32_t>(k + 1)];
            const double v1 = stazioniV[k], v2 = stazioniV[k + 1];
            puntoPiano((L - kQuota0 - f(v1)) / kPendenza, v1, s.x1, s.y1);
            puntoPiano((L - kQuota0 - f(v2)) / kPendenza, v2, s.x2, s.y2);
            s.z1 = s.z2 = static_cast<float>(L);
        }
    }
    p.NumeroCurveLivello = n;
    p.VerticiAsse.redim(2);
    puntoPiano(0, 0, p.VerticiAsse[1].x, p.VerticiAsse[1].y);
    puntoPiano(kLunghezza, 0, p.VerticiAsse[2].x, p.VerticiAsse[2].y);
    p.NumeroPuntiAsse = 2;
    return ws;
}

// Slopes as the program holds them: cut rising K, fill falling F metres per metre outwards.
double pendenzaSterro() {
    const Impostazioni imp;
    return -std::cos(2 * 3.1415929794311523 / 3 + imp.InclinazioneScarpataSterro);
}
double pendenzaRiporto() {
    const Impostazioni imp;
    return std::cos(3.1415929794311523 - imp.InclinazioneScarpataRiporto);
}

void calcola(Workspace& ws) {
    RecordingCanvas canvas;
    FakeHost host;
    calcolaTracciato(ws, canvas, host);
    EXPECT_TRUE(host.messaggi.empty()) << (host.messaggi.empty() ? "" : host.messaggi[0].testo);
}

void verifica(const Workspace& ws, double sterro, double riporto) {
    const int32_t n = ws.Piano.NumeroIntersezioni;
    ASSERT_EQ(n, 9);  // every 25 m over 200 m
    ASSERT_EQ(ws.Sezioni.upperBound(), n);
    for (int32_t j = 1; j <= n; ++j) {
        const Sezione& s = ws.Sezioni[j];
        SCOPED_TRACE("section " + std::to_string(j));
        EXPECT_TRUE(s.Risolta);
        EXPECT_NEAR(s.Progressiva, 25.0 * (j - 1), 1e-2);
        EXPECT_NEAR(s.AreaSterro, sterro, 1e-3 * std::fabs(sterro) + 1e-6);
        EXPECT_NEAR(s.AreaRiporto, riporto, 1e-3 * std::fabs(riporto) + 1e-6);
    }
    const TabellaPaleggi& t = ws.Paleggi;
    ASSERT_EQ(t.NumeroPunti, n);  // the net area never changes sign
    const double volume = (sterro + riporto) * kLunghezza;
    EXPECT_NEAR(t.Ordinate[t.NumeroPunti], volume, 1e-3 * std::fabs(volume));
    EXPECT_NEAR(t.ProgressivePunti[t.NumeroPunti], kLunghezza, 1e-2);
}

}  // namespace

TEST(TracciatoCompleto, PianoInclinatoTrasversalmente) {
    // Ground rising 0.1 m per metre to the right: the design follows the ground along the
    // axis, so the platform crosses it at the axis, fill on the left, cut on the right.
    const double c = 0.1;
    Workspace ws = terreno([c](double v) { return c * v; }, {-40, -20, 0, 20, 40});
    calcola(ws);
    const double K = pendenzaSterro(), F = pendenzaRiporto(), h = 5;
    const double xr = h * K / (K - c);  // right catch point: the cut slope meets c*v
    const double xl = h * F / (F - c);  // left catch point, to the left: the fill slope meets it
    const double sterro = 0.5 * h * c * xr;
    const double riporto = -0.5 * h * c * xl;
    verifica(ws, sterro, riporto);
    EXPECT_NEAR(ws.Sezioni[4].XPiedeDestro, xr, 1e-3);
    EXPECT_NEAR(ws.Sezioni[4].XPiedeSinistro, -xl, 1e-3);
}

TEST(TracciatoCompleto, ValleSimmetricaAV) {
    // Ground rising 0.2 m per metre on both sides of the axis: cut only, the same each side.
    const double k = 0.2;
    Workspace ws = terreno([k](double v) { return k * std::fabs(v); }, {-40, -20, 0, 20, 40});
    calcola(ws);
    const double K = pendenzaSterro(), h = 5;
    const double xc = h * K / (K - k);  // catch point: the cut slope meets k*v
    const double lato = k * h * h / 2 + (k * (xc * xc - h * h) / 2 - K * (xc - h) * (xc - h) / 2);
    verifica(ws, 2 * lato, 0);
    EXPECT_NEAR(ws.Sezioni[5].XPiedeDestro, xc, 1e-3);
    EXPECT_EQ(ws.Sezioni[5].PresenteRiporto, 0);
}
