#include "sections/volumes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "project/vbtext.h"

namespace carvela {
namespace {

// Diagram points are counted in 16 bits; a longer road keeps the sections that fit.
constexpr int32_t kMaxPunti = 32767;

bool cambioSegno(double a1, double a2) { return (a1 < 0 && a2 > 0) || (a1 > 0 && a2 < 0); }

// Cut and fill of a section as the table takes them: zero for a section that could not
// be solved, so its stale or missing values never reach the volumes.
void areeSezione(const Sezione& s, float& sterro, float& riporto) {
    if (!s.Risolta || !std::isfinite(s.AreaSterro) || !std::isfinite(s.AreaRiporto)) {
        sterro = riporto = 0;
        return;
    }
    sterro = s.AreaSterro;
    riporto = s.AreaRiporto;
}

std::string numero(double v) { return formatta(v, "###0.0000"); }

}  // namespace

void costruisciPaleggi(const VbArray<Sezione>& sezioni, int32_t numeroSezioni, float scalaVolumi, TabellaPaleggi& t) {
    int32_t n = std::clamp<int32_t>(numeroSezioni, 0, std::max<int32_t>(sezioni.upperBound(), 0));
    n = std::min(n, (kMaxPunti + 1) / 2);  // at most two points per section

    t.Versione = 1;
    t.Segmenti.redim(std::max(n - 1, 0));
    t.AreeSterro.redim(n);
    t.AreeRiporto.redim(n);
    t.ProgressiveSezioni.redim(std::max(n - 1, 0));
    t.Ordinate.redim(std::max(2 * n - 1, 0));
    t.ProgressivePunti.redim(std::max(2 * n - 1, 0));
    t.ScalaVolumi = scalaVolumi;

    int32_t punti = 0;
    if (n >= 1) {
        const Sezione& prima = sezioni[1];
        areeSezione(prima, t.AreeSterro[1], t.AreeRiporto[1]);
        punti = 1;
        t.Ordinate[1] = 0;
        t.ProgressivePunti[1] = prima.Progressiva;
        t.ProgressiveSezioni[0] = prima.Progressiva;
    }
    double V = 0;
    for (int32_t k = 2; k <= n; ++k) {
        const Sezione& a = sezioni[k - 1];
        const Sezione& b = sezioni[k];
        t.Segmenti[k - 1] = RigaPaleggio{a.Numero, a.Progressiva, b.Numero, b.Progressiva};
        areeSezione(a, t.AreeSterro[k - 1], t.AreeRiporto[k - 1]);
        areeSezione(b, t.AreeSterro[k], t.AreeRiporto[k]);
        t.ProgressiveSezioni[k - 1] = b.Progressiva;

        const double d = static_cast<double>(b.Progressiva) - a.Progressiva;
        const double A1 = static_cast<double>(t.AreeSterro[k - 1]) + t.AreeRiporto[k - 1];
        const double A2 = static_cast<double>(t.AreeSterro[k]) + t.AreeRiporto[k];
        if (cambioSegno(A1, A2)) {
            const double somma = std::fabs(A1) + std::fabs(A2);
            const double x1 = d * std::fabs(A1) / somma, x2 = d * std::fabs(A2) / somma;
            V += A1 * x1 / 2;
            ++punti;
            t.Ordinate[punti] = static_cast<float>(V);
            t.ProgressivePunti[punti] = static_cast<float>(a.Progressiva + x1);
            V += A2 * x2 / 2;
        } else {
            V += (A1 + A2) / 2 * d;
        }
        ++punti;
        t.Ordinate[punti] = static_cast<float>(V);
        t.ProgressivePunti[punti] = b.Progressiva;
    }
    t.Ordinate.redimPreserve(punti);
    t.ProgressivePunti.redimPreserve(punti);
    t.NumeroPunti = static_cast<int16_t>(punti);
}

Griglia grigliaPaleggi(const TabellaPaleggi& t) {
    const int righe = std::max<int>(t.NumeroPunti, 0);
    Griglia g(righe + 1, 7);
    const char* intestazioni[] = {"Sez. n°",         "Dist. Parziale",     "Dist. Progressiva", "Area di Sterro",
                                  "Area di Riporto", "Volume del Terreno", "Eccedenza Totale"};
    for (int c = 0; c < 7; ++c) g.imposta(0, c, intestazioni[c]);
    g.larghezzeColonne = {700, 1320, 1320, 1320, 1320, 1320, 1320};
    g.altezzaIntestazione = 500;
    g.altezzaRiga = 300;

    auto riga = [&](int r, std::string sezione, double parziale, double progressiva, double sterro, double riporto,
                    double volume) {
        g.imposta(r, 0, std::move(sezione));
        g.imposta(r, 1, numero(parziale));
        g.imposta(r, 2, numero(progressiva));
        g.imposta(r, 3, numero(sterro));
        g.imposta(r, 4, numero(riporto));
        g.imposta(r, 5, numero(volume));
        g.imposta(r, 6, numero(t.Ordinate.get(r)));
    };

    int r = 1;
    for (int32_t k = 1; r <= righe; ++k) {
        const RigaPaleggio s = t.Segmenti.get(k - 1);
        const double C2 = t.AreeSterro.get(k), F2 = t.AreeRiporto.get(k);
        const double A1 = static_cast<double>(t.AreeSterro.get(k - 1)) + t.AreeRiporto.get(k - 1);
        const double A2 = C2 + F2;
        const double d = static_cast<double>(s.AProgressiva) - s.DaProgressiva;
        if (k > 1 && cambioSegno(A1, A2)) {
            const double somma = std::fabs(A1) + std::fabs(A2);
            const double x1 = d * std::fabs(A1) / somma, x2 = d * std::fabs(A2) / somma;
            riga(r++, "*", x1, s.DaProgressiva + x1, C2, F2, A1 * x1 / 2);
            if (r <= righe)
                riga(r++, testoNumero(static_cast<int64_t>(s.ASezione)), x2, s.AProgressiva, C2, F2, A2 * x2 / 2);
        } else {
            // The first row is the first section itself: no stretch before it.
            double progressiva = k == 1 ? t.ProgressivePunti.get(1) : s.AProgressiva;
            riga(r++, testoNumero(static_cast<int64_t>(k)), d, progressiva, C2, F2, (A1 + A2) / 2 * d);
        }
    }
    return g;
}

TotaliPaleggi totaliPaleggi(const TabellaPaleggi& t) {
    TotaliPaleggi r;
    const int32_t n = std::min(t.AreeSterro.upperBound(), t.AreeRiporto.upperBound());
    for (int32_t k = 2; k <= n; ++k) {
        const RigaPaleggio s = t.Segmenti.get(k - 1);
        const double d = static_cast<double>(s.AProgressiva) - s.DaProgressiva;
        const double c = (static_cast<double>(t.AreeSterro.get(k - 1)) + t.AreeSterro.get(k)) / 2 * d;
        const double f = -(static_cast<double>(t.AreeRiporto.get(k - 1)) + t.AreeRiporto.get(k)) / 2 * d;
        if (std::isfinite(c)) r.sterro += c;
        if (std::isfinite(f)) r.riporto += f;
    }
    const double v = t.Ordinate.get(t.NumeroPunti);
    r.ordinataFinale = std::isfinite(v) ? v : 0;
    return r;
}

Griglia grigliaTotaliPaleggi(const TabellaPaleggi& t) {
    const TotaliPaleggi totali = totaliPaleggi(t);
    // No table, no totals row: nothing to print or export under empty headings.
    Griglia g(t.NumeroPunti > 0 ? 2 : 1, 3);
    const char* intestazioni[] = {"Sterro Totale", "Riporto Totale", "Eccedenza Finale"};
    const double valori[] = {totali.sterro, totali.riporto, totali.ordinataFinale};
    for (int c = 0; c < 3; ++c) {
        g.imposta(0, c, intestazioni[c]);
        if (g.righe() > 1) g.imposta(1, c, numero(valori[c]));
    }
    g.larghezzeColonne = {1600, 1600, 1600};
    g.altezzaRiga = 300;
    return g;
}

}  // namespace carvela
