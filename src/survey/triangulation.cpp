#include "survey/triangulation.h"

#include <cmath>
#include <vector>

#include "state/host.h"
#include "survey/record_checks.h"
#include "survey/survey_messages.h"
#include "survey/survey_units.h"

namespace carvela {
namespace {

float f32(double v) { return static_cast<float>(v); }

// Resizes to 0..ultimo and clears, keeping element 0 (the chain's reference input).
void azzeraTenendoZero(VbArray<float>& a, int32_t ultimo) {
    const float zero = a.get(0);
    a.redim(ultimo);
    a[0] = zero;
}

// An azimuth brought into 0..2U.
double riduci(double azimut, double U) {
    if (azimut > 2 * U) azimut -= 2 * U;
    if (azimut < 0) azimut += 2 * U;
    if (azimut < 0 || azimut > 2 * U) {
        azimut = std::fmod(azimut, 2 * U);
        if (azimut < 0) azimut += 2 * U;
    }
    return azimut;
}

}  // namespace

void preparaTriangolazione(TriangulationChain& c) {
    const int32_t n = c.NumeroTriangoli;
    for (auto* a : {&c.Angolo1, &c.Angolo2, &c.Angolo3}) cresci(*a, n);
    c.Errore.redim(n);
    for (auto* a : {&c.Azimut, &c.Distanza}) azzeraTenendoZero(*a, n + 2);
    for (auto* a : {&c.X, &c.Y}) azzeraTenendoZero(*a, n + 1);
}

bool calcolaTriangolazione(TriangulationChain& record, float angoloPiatto, Host& host) {
    if (!angoloPiattoValido(angoloPiatto)) {
        host.messaggio(kMsgUnitaAngolare);
        return false;
    }
    // The mean error divides by the number of triangles.
    if (record.NumeroTriangoli < 1) {
        host.messaggio(kMsgTriangolazioneVuota);
        return false;
    }
    TriangulationChain c = record;
    const int32_t n = c.NumeroTriangoli;
    for (auto* a : {&c.Angolo1, &c.Angolo2, &c.Angolo3, &c.Errore}) cresci(*a, n);
    for (auto* a : {&c.Azimut, &c.Distanza}) cresci(*a, n + 2);
    for (auto* a : {&c.X, &c.Y}) cresci(*a, n + 1);

    const double U = angoloPiatto;
    const double k = fattoreAngolare(angoloPiatto);
    std::vector<const char*> avvisi;

    for (int32_t t = 1; t <= n; ++t)
        c.Errore[t] = f32(static_cast<double>(c.Angolo1[t]) + c.Angolo2[t] + c.Angolo3[t] - U);
    double sommaErrori = 0;
    for (int32_t t = 1; t <= n; ++t) {
        if (std::fabs(c.Errore[t]) > kTolleranzaTriangolo) avvisi.push_back(kMsgTolleranzaTriangolo);
        sommaErrori += std::fabs(c.Errore[t]);
    }
    if (sommaErrori / n > kTolleranzaMedia) avvisi.push_back(kMsgTolleranzaTriangolo);

    // Each angle takes a third of its triangle's error; the error stays as measured.
    for (int32_t t = 1; t <= n; ++t) {
        const double terzo = static_cast<double>(c.Errore[t]) / 3;
        c.Angolo1[t] = f32(c.Angolo1[t] - terzo);
        c.Angolo2[t] = f32(c.Angolo2[t] - terzo);
        c.Angolo3[t] = f32(c.Angolo3[t] - terzo);
    }

    // The path zig-zags: at an odd vertex the forward side lies clockwise of the backward
    // one by the triangle's first angle, at an even vertex anticlockwise.
    for (int32_t t = 1; t <= n; ++t) {
        if (t % 2 == 1) {
            const double s = static_cast<double>(c.Azimut[t - 1]) + c.Angolo1[t];
            c.Azimut[t] = f32(s <= U ? s + U : s - U);
        } else {
            c.Azimut[t] = f32(riduci(static_cast<double>(c.Azimut[t - 1]) - c.Angolo1[t] + U, U));
        }
    }
    for (int32_t t = 1; t <= n; ++t)
        c.Distanza[t] = f32(c.Distanza[t - 1] * std::sin(k * c.Angolo2[t]) / std::sin(k * c.Angolo3[t]));
    for (int32_t v = 1; v <= n + 1; ++v) {
        const double azimut = k * c.Azimut[v - 1];
        c.X[v] = f32(c.X[v - 1] + c.Distanza[v - 1] * std::sin(azimut));
        c.Y[v] = f32(c.Y[v - 1] + c.Distanza[v - 1] * std::cos(azimut));
    }

    // A third angle of zero leaves the next side without a length.
    if (!finitiTra({&c.Angolo1, &c.Angolo2, &c.Angolo3, &c.Errore}, 1, n) ||
        !finitiTra({&c.Azimut, &c.Distanza}, 0, n) || !finitiTra({&c.X, &c.Y}, 0, n + 1)) {
        host.messaggio(kMsgTriangolazioneNonCalcolabile);
        return false;
    }
    for (const char* avviso : avvisi) host.messaggio(avviso);
    record = std::move(c);
    return true;
}

}  // namespace carvela
