#include "survey/traverse.h"

#include <cmath>
#include <string>
#include <vector>

#include "project/origine.h"
#include "state/host.h"
#include "survey/record_checks.h"
#include "survey/survey_messages.h"
#include "survey/survey_units.h"

namespace carvela {
namespace {

// Converts a double intermediate to the single precision the records hold.
float f32(double v) { return static_cast<float>(v); }

}  // namespace

void preparaPoligonaleAperta(OpenTraverse& p) {
    const int32_t n = p.NumeroStazioni;
    for (auto* a : {&p.LetturaAzimutale, &p.LetturaZenitale, &p.Riservato, &p.AltezzaStrumentale, &p.LetturaInferiore,
                    &p.LetturaMedia, &p.LetturaSuperiore})
        cresci(*a, n);
    for (auto* a : {&p.AscissaParziale, &p.OrdinataParziale, &p.Dislivello, &p.DistanzaOrizzontale}) a->redim(n);
    for (auto* a : {&p.Ascissa, &p.Ordinata, &p.Quota}) azzeraTenendoPrimo(*a, n);
}

void preparaPoligonaleChiusa(ClosedTraverse& p) {
    const int32_t n = p.NumeroStazioni;
    for (auto* a : {&p.LetturaIndietro, &p.LetturaAvanti, &p.Distanza, &p.AngoloZenitale, &p.AltezzaStrumentale,
                    &p.AltezzaPrisma})
        cresci(*a, n);
    for (auto* a : {&p.AngoloMisurato, &p.AngoloCompensato}) a->redim(n);
    for (auto* a : {&p.Azimut, &p.Quota}) azzeraTenendoPrimo(*a, n);
    for (auto* a : {&p.AscissaParziale, &p.OrdinataParziale}) a->redim(n + 1);
    for (auto* a : {&p.Ascissa, &p.Ordinata}) azzeraTenendoPrimo(*a, n + 1);
}

bool calcolaPoligonaleAperta(OpenTraverse& record, float angoloPiatto, Host& host) {
    if (!angoloPiattoValido(angoloPiatto)) {
        host.messaggio(kMsgUnitaAngolare);
        return false;
    }
    if (record.NumeroStazioni < 1) {
        host.messaggio(kMsgPoligonaleNonCalcolabile);
        return false;
    }
    OpenTraverse p = record;
    const int32_t n = p.NumeroStazioni;
    // Arrays shorter than the count (a file written elsewhere) are grown, never trusted.
    for (auto* a : {&p.LetturaAzimutale, &p.LetturaZenitale, &p.AltezzaStrumentale, &p.LetturaInferiore,
                    &p.LetturaMedia, &p.LetturaSuperiore, &p.AscissaParziale, &p.OrdinataParziale, &p.Dislivello,
                    &p.Ascissa, &p.Ordinata, &p.Quota, &p.DistanzaOrizzontale})
        cresci(*a, n);

    const double k = fattoreAngolare(angoloPiatto);
    const double K = p.CostanteDistanziometrica;

    p.LunghezzaTotale = 0;
    for (int32_t i = 1; i <= n - 1; ++i) {
        const double seno = std::sin(k * p.LetturaZenitale[i]);
        p.DistanzaOrizzontale[i] =
            f32(K * (static_cast<double>(p.LetturaInferiore[i]) - p.LetturaSuperiore[i]) * seno * seno);
        p.LunghezzaTotale = f32(static_cast<double>(p.LunghezzaTotale) + p.DistanzaOrizzontale[i]);
    }
    for (int32_t i = 2; i <= n; ++i) {
        const double d = p.DistanzaOrizzontale[i - 1];
        const double azimut = k * p.LetturaAzimutale[i - 1];
        p.AscissaParziale[i] = f32(std::sin(azimut) * d);
        p.OrdinataParziale[i] = f32(std::cos(azimut) * d);
        p.Dislivello[i] =
            f32(d / std::tan(k * p.LetturaZenitale[i - 1]) + p.AltezzaStrumentale[i - 1] - p.LetturaMedia[i - 1]);
    }
    for (int32_t i = 2; i <= n; ++i) {
        p.Ascissa[i] = f32(static_cast<double>(p.Ascissa[i - 1]) + p.AscissaParziale[i]);
        p.Ordinata[i] = f32(static_cast<double>(p.Ordinata[i - 1]) + p.OrdinataParziale[i]);
        p.Quota[i] = f32(static_cast<double>(p.Quota[i - 1]) + p.Dislivello[i]);
    }

    // A zenith reading of zero (a sight straight up) or a reading out of range gives no
    // number: nothing of it may reach the record.
    if (!tuttiFiniti({p.LunghezzaTotale}) ||
        !finitiTra({&p.DistanzaOrizzontale, &p.AscissaParziale, &p.OrdinataParziale, &p.Dislivello, &p.Ascissa,
                    &p.Ordinata, &p.Quota},
                   1, n)) {
        host.messaggio(kMsgPoligonaleNonCalcolabile);
        return false;
    }
    record = std::move(p);
    return true;
}

bool calcolaPoligonaleChiusa(ClosedTraverse& record, float angoloPiatto, Host& host) {
    if (!angoloPiattoValido(angoloPiatto)) {
        host.messaggio(kMsgUnitaAngolare);
        return false;
    }
    // The angular correction is shared among the vertices and a polygon needs three.
    if (record.NumeroStazioni < 3) {
        host.messaggio(kMsgPoligonaleChiusaCorta);
        return false;
    }
    ClosedTraverse p = record;
    const int32_t n = p.NumeroStazioni;
    for (auto* a : {&p.LetturaIndietro, &p.LetturaAvanti, &p.Distanza, &p.AngoloZenitale, &p.AltezzaStrumentale,
                    &p.AltezzaPrisma, &p.Quota, &p.AngoloMisurato, &p.AngoloCompensato, &p.Azimut})
        cresci(*a, n);
    for (auto* a : {&p.AscissaParziale, &p.OrdinataParziale, &p.Ascissa, &p.Ordinata}) cresci(*a, n + 1);

    const double U = angoloPiatto;
    const double k = fattoreAngolare(angoloPiatto);
    std::vector<const char*> avvisi;

    p.SommaAngoli = 0;
    p.Perimetro = 0;
    p.ErroreAscissa = 0;
    p.ErroreOrdinata = 0;
    p.ErroreAngolare = 0;
    p.ErroreLineare = 0;
    p.Correzione = 0;

    // Measured angle: forward reading minus backward reading, within the full angle.
    for (int32_t i = 1; i <= n; ++i) {
        double alfa = static_cast<double>(p.LetturaAvanti[i]) - p.LetturaIndietro[i];
        if (alfa < 0) alfa += 2 * U;
        p.AngoloMisurato[i] = f32(alfa);
        p.SommaAngoli = f32(static_cast<double>(p.SommaAngoli) + p.AngoloMisurato[i]);
        p.Perimetro = f32(static_cast<double>(p.Perimetro) + p.Distanza[i]);
    }
    for (int32_t i = 2; i <= n; ++i)
        p.Quota[i] = f32(p.Quota[i - 1] + p.Distanza[i - 1] / std::tan(k * p.AngoloZenitale[i - 1]) +
                         p.AltezzaStrumentale[i - 1] - p.AltezzaPrisma[i - 1]);

    p.ErroreAngolare = f32(p.SommaAngoli - (n - 2) * U);
    if (std::fabs(p.ErroreAngolare) > p.TolleranzaAngolare) avvisi.push_back(kMsgChiusuraAngolare);
    p.Correzione = f32(-static_cast<double>(p.ErroreAngolare) / n);
    p.Correzione = f32(std::floor(static_cast<double>(p.Correzione) * 10000 + 0.5) / 10000);

    // Azimuths carried with the measured angles.
    for (int32_t i = 2; i <= n; ++i) {
        const double s = static_cast<double>(p.Azimut[i - 1]) + p.AngoloMisurato[i];
        p.Azimut[i] = f32(s <= U ? s + U : s - U);
        if (p.Azimut[i] > 2 * U) p.Azimut[i] = f32(p.Azimut[i] - 2 * U);
    }
    // Partials of the n legs, the closing one included; their sums are the closure errors.
    for (int32_t i = 2; i <= n + 1; ++i) {
        const double azimut = k * p.Azimut[i - 1];
        const double d = p.Distanza[i - 1];
        p.AscissaParziale[i] = f32(std::sin(azimut) * d);
        p.OrdinataParziale[i] = f32(std::cos(azimut) * d);
        p.ErroreAscissa = f32(static_cast<double>(p.ErroreAscissa) + p.AscissaParziale[i]);
        p.ErroreOrdinata = f32(static_cast<double>(p.ErroreOrdinata) + p.OrdinataParziale[i]);
    }
    if (std::fabs(p.ErroreAscissa) < 0.00001) p.ErroreAscissa = 0;
    if (std::fabs(p.ErroreOrdinata) < 0.00001) p.ErroreOrdinata = 0;
    p.ErroreLineare = f32(std::sqrt(static_cast<double>(p.ErroreOrdinata) * p.ErroreOrdinata +
                                    static_cast<double>(p.ErroreAscissa) * p.ErroreAscissa));
    if (p.ErroreLineare > p.TolleranzaLineare) avvisi.push_back(kMsgTolleranzaLineare);

    // The linear error spread in proportion to the leg lengths. Legs of no length take no
    // share (and a traverse of no length has nothing to spread).
    const double fx = p.ErroreAscissa, fy = p.ErroreOrdinata, P = p.Perimetro;
    auto quota = [](double errore, double lunghezza) { return lunghezza != 0 ? errore / lunghezza : 0.0; };
    // Totals within a millimetre of 0 are set to 0: the true coordinate, the record's value
    // plus its origin.
    const OrigineProgetto o = leggiOrigine(p.Origine);
    auto aZero = [](float v, double origine) {
        if (origine == 0) return std::fabs(v) <= 0.001 ? 0.0f : v;
        return std::fabs(origine + v) <= 0.001 ? f32(-origine) : v;
    };
    if (static_cast<double>(p.Azimut[1]) == U / 2) {
        // First leg along the abscissa axis: its ordinate stays, the others take the error.
        const double perY = quota(fy, P - p.Distanza[1]);
        p.Ordinata[2] = f32(static_cast<double>(p.Ordinata[1]) + p.OrdinataParziale[2]);
        for (int32_t i = 3; i <= n; ++i) {
            p.OrdinataParziale[i] = f32(p.OrdinataParziale[i] - perY * p.Distanza[i - 1]);
            p.Ordinata[i] = aZero(f32(static_cast<double>(p.Ordinata[i - 1]) + p.OrdinataParziale[i]), o.nord);
        }
        const double perX = quota(fx, P);
        for (int32_t i = 2; i <= n; ++i) {
            p.AscissaParziale[i] = f32(p.AscissaParziale[i] - perX * p.Distanza[i - 1]);
            p.Ascissa[i] = f32(static_cast<double>(p.Ascissa[i - 1]) + p.AscissaParziale[i]);
        }
    } else {
        const double perX = quota(fx, P), perY = quota(fy, P);
        for (int32_t i = 2; i <= n; ++i) {
            p.AscissaParziale[i] = f32(p.AscissaParziale[i] - perX * p.Distanza[i - 1]);
            p.OrdinataParziale[i] = f32(p.OrdinataParziale[i] - perY * p.Distanza[i - 1]);
            p.Ascissa[i] = aZero(f32(static_cast<double>(p.Ascissa[i - 1]) + p.AscissaParziale[i]), o.est);
            p.Ordinata[i] = aZero(f32(static_cast<double>(p.Ordinata[i - 1]) + p.OrdinataParziale[i]), o.nord);
        }
    }
    p.Ascissa[n + 1] = p.Ascissa[1];
    p.Ordinata[n + 1] = p.Ordinata[1];

    // The correction goes to the vertices after the first; the first angle stays as measured.
    p.AngoloCompensato[1] = p.AngoloMisurato[1];
    for (int32_t i = 2; i <= n; ++i)
        p.AngoloCompensato[i] = f32(static_cast<double>(p.AngoloMisurato[i]) + p.Correzione);

    if (!tuttiFiniti({p.SommaAngoli, p.Perimetro, p.ErroreAscissa, p.ErroreOrdinata, p.ErroreAngolare, p.ErroreLineare,
                      p.Correzione}) ||
        !finitiTra({&p.Quota, &p.AngoloMisurato, &p.AngoloCompensato, &p.Azimut}, 1, n) ||
        !finitiTra({&p.AscissaParziale, &p.OrdinataParziale, &p.Ascissa, &p.Ordinata}, 1, n + 1)) {
        host.messaggio(kMsgPoligonaleNonCalcolabile);
        return false;
    }
    for (const char* avviso : avvisi) host.messaggio(avviso);
    record = std::move(p);
    return true;
}

}  // namespace carvela
