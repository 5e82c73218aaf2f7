#include "survey/intersections.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "state/settings.h"
#include "survey/survey_messages.h"
#include "survey/survey_units.h"

namespace carvela {
namespace {

constexpr double kPi = kPiGreco;
constexpr double kDuePi = 6.283186f;  // the full angle as the program holds it
constexpr double kTrePiMezzi = 1.5 * kPi;

// Below this the sine of an angle is taken as zero: the single-precision pi leaves about
// 1e-7 where the exact sine would vanish, and no real figure comes near it.
constexpr double kSenoNullo = 1e-6;

// The forward intersection angle at P below which the two sights count as parallel.
constexpr double kSenoParallele = 1e-5;

// How close to the dangerous circle a resection may come: the distance of the auxiliary
// points D and E relative to the figure. Closer than this, P moves by metres for a second
// of arc.
constexpr double kVicinanzaCerchio = 1e-4;

EsitoIntersezione fallito(const char* messaggio) {
    EsitoIntersezione e;
    e.errore = messaggio;
    return e;
}

bool ingressiFiniti(std::initializer_list<double> valori) {
    return std::all_of(valori.begin(), valori.end(), [](double v) { return std::isfinite(v); });
}

// A figure that gives no finite point is no result.
EsitoIntersezione risultato(double xp, double yp, double xq = 0, double yq = 0, const char* errore = nullptr) {
    if (!ingressiFiniti({xp, yp, xq, yq})) return fallito(errore);
    EsitoIntersezione e;
    e.Xp = xp;
    e.Yp = yp;
    e.Xq = xq;
    e.Yq = yq;
    return e;
}

}  // namespace

double azimutDirezione(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    if (dy != 0) {
        double a = std::atan(std::fabs(dx / dy));
        if (dx >= 0 && dy < 0) a = kPi - a;
        if (dx < 0 && dy < 0) a = a + kPi;
        if (dx <= 0 && dy > 0) a = kDuePi - a;
        return a;
    }
    if (dx > 0) return kPi / 2;
    if (dx == 0) return 0;
    return kTrePiMezzi;
}

EsitoIntersezione intersezioneAvanti(double Xa, double Ya, double Xb, double Yb, double alfa, double beta,
                                     float angoloPiatto) {
    if (!angoloPiattoValido(angoloPiatto)) return fallito(kMsgUnitaAngolare);
    if (!ingressiFiniti({Xa, Ya, Xb, Yb, alfa, beta})) return fallito(kMsgTipoDatiNonCorretto);
    if (Xa == Xb && Ya == Yb) return fallito(kMsgPuntiCoincidenti);
    const double k = fattoreAngolare(angoloPiatto);
    const double ka = k * alfa, kb = k * beta;

    const double thetaAB = azimutDirezione(Xa, Ya, Xb, Yb);
    double theta1 = thetaAB - ka;
    if (thetaAB < ka) theta1 += kDuePi;
    const double thetaBA = azimutDirezione(Xb, Yb, Xa, Ya);
    double theta2 = thetaBA + kb;
    if (theta2 > kDuePi) theta2 -= kDuePi;

    // P = A + s (sin t1, cos t1) = B + r (sin t2, cos t2). The same lines as the tangent
    // form, without its poles when a sight runs east or west.
    const double s1 = std::sin(theta1), c1 = std::cos(theta1);
    const double s2 = std::sin(theta2), c2 = std::cos(theta2);
    const double seno = s1 * c2 - c1 * s2;  // sin(t1 - t2)
    if (std::fabs(seno) < kSenoParallele) return fallito(kMsgDirezioniParallele);
    const double s = ((Xb - Xa) * c2 - (Yb - Ya) * s2) / seno;
    return risultato(Xa + s * s1, Ya + s * c1, 0, 0, kMsgDirezioniParallele);
}

EsitoIntersezione intersezionePotheno(double Xa, double Ya, double Xb, double Yb, double Xc, double Yc, double alfa,
                                      double beta, float angoloPiatto) {
    if (!angoloPiattoValido(angoloPiatto)) return fallito(kMsgUnitaAngolare);
    if (!ingressiFiniti({Xa, Ya, Xb, Yb, Xc, Yc, alfa, beta})) return fallito(kMsgTipoDatiNonCorretto);
    if ((Xa == Xb && Ya == Yb) || (Xb == Xc && Yb == Yc)) return fallito(kMsgPuntiCoincidenti);
    const double k = fattoreAngolare(angoloPiatto);
    const double ka = k * alfa, kb = k * beta;
    if (std::fabs(std::sin(ka)) < kSenoNullo || std::fabs(std::sin(kb)) < kSenoNullo) return fallito(kMsgAngoliNulli);
    const double ca = 1 / std::tan(ka), cb = 1 / std::tan(kb);

    // Cassini's auxiliary points, held in single precision.
    const float Xd = static_cast<float>(Xa + (Yb - Ya) * ca);
    const float Yd = static_cast<float>(Ya - (Xb - Xa) * ca);
    const float Xe = static_cast<float>(Xc - (Yb - Yc) * cb);
    const float Ye = static_cast<float>(Yc + (Xb - Xc) * cb);
    if (!ingressiFiniti({Xd, Yd, Xe, Ye})) return fallito(kMsgAngoliNulli);

    const double u = Xb - Xd;
    const double dY = double{Ye} - Yd, dX = double{Xe} - Xd;
    // On the dangerous circle D and E coincide and the line D-E has no direction; near it
    // the two points differ by little more than their rounding.
    const double distanzaDE = std::hypot(dX, dY);
    const double figura = std::max(std::hypot(Xb - Xd, Yb - Yd), std::hypot(Xb - Xe, Yb - Ye));
    const double arrotondamento =
        16 * FLT_EPSILON * std::max({std::fabs(Xd), std::fabs(Yd), std::fabs(Xe), std::fabs(Ye)});
    if (distanzaDE <= kVicinanzaCerchio * figura + arrotondamento) return fallito(kMsgCerchioPericoloso);

    const double t = (u * dY + dX * (double{Yd} - Yb)) / (dY * dY + dX * dX);
    return risultato(Xb - dY * t, Yb + dX * t, 0, 0, kMsgCerchioPericoloso);
}

EsitoIntersezione intersezioneHansen(double Xa, double Ya, double Xb, double Yb, double alfa, double alfa1, double beta,
                                     double beta1, float angoloPiatto) {
    if (!angoloPiattoValido(angoloPiatto)) return fallito(kMsgUnitaAngolare);
    if (!ingressiFiniti({Xa, Ya, Xb, Yb, alfa, alfa1, beta, beta1})) return fallito(kMsgTipoDatiNonCorretto);
    if (Xa == Xb && Ya == Yb) return fallito(kMsgPuntiCoincidenti);
    const double k = fattoreAngolare(angoloPiatto);
    const double ka = k * alfa, ka1 = k * alfa1, kb = k * beta, kb1 = k * beta1;

    const double thetaAB = azimutDirezione(Xa, Ya, Xb, Yb);
    // The true length of AB. Dividing the abscissa difference by the sine of an azimuth built
    // on the single-precision pi loses the length when AB runs close to north or south (and
    // gives nothing when A and B share the abscissa).
    const double dAB = std::hypot(Xb - Xa, Yb - Ya);

    // The auxiliary figure on PQ = 300.
    const double senoA = std::sin(ka + kb), senoB = std::sin(ka1 + kb1);
    if (std::fabs(senoA) < kSenoNullo || std::fabs(senoB) < kSenoNullo) return fallito(kMsgHansenIndeterminato);
    const float APaux = static_cast<float>(300 * std::sin(kb) / senoA);
    const float AQaux = static_cast<float>(300 * std::sin(ka) / senoA);
    const float BPaux = static_cast<float>(300 * std::sin(kb1) / senoB);
    const double quadrato = static_cast<double>(APaux) * APaux + static_cast<double>(BPaux) * BPaux -
                            2.0 * APaux * BPaux * std::cos(ka - ka1);
    const double scalaMinima = kSenoNullo * (std::fabs(APaux) + std::fabs(BPaux));
    if (!(quadrato > scalaMinima * scalaMinima)) return fallito(kMsgHansenIndeterminato);
    const double ABaux = std::sqrt(quadrato);

    // Back to the true figure.
    const float AP = static_cast<float>(APaux * dAB / ABaux);
    const double BP = BPaux * dAB / ABaux;
    const double AQ = AQaux * dAB / ABaux;
    if (!(std::fabs(AP) > 0) || !std::isfinite(AP)) return fallito(kMsgHansenIndeterminato);

    // Cosine of the angle at A in the triangle A-B-P; a value beyond 1 means the angles do
    // not fit the known points (a hair beyond is rounding on a figure with P on AB).
    double c = (dAB * dAB + static_cast<double>(AP) * AP - BP * BP) / (2 * dAB * AP);
    if (!(std::fabs(c) <= 1 + kSenoNullo)) return fallito(kMsgHansenIndeterminato);
    c = std::clamp(c, -1.0, 1.0);
    const double thetaAP = thetaAB + kPi / 2 - std::atan2(c, std::sqrt(1 - c * c));

    const double xp = Xa + AP * std::sin(thetaAP), yp = Ya + AP * std::cos(thetaAP);
    const double thetaAQ = thetaAP - (kPi - (ka + kb));
    const double xq = Xa + AQ * std::sin(thetaAQ), yq = Ya + AQ * std::cos(thetaAQ);
    return risultato(xp, yp, xq, yq, kMsgHansenIndeterminato);
}

}  // namespace carvela
