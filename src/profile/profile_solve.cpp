#include "profile/profile_solve.h"

#include <algorithm>
#include <cmath>

#include "profile/grade_lines.h"
#include "project/records.h"

namespace carvela {
namespace {

bool finiti(std::initializer_list<double> valori) {
    for (double v : valori)
        if (!std::isfinite(v)) return false;
    return true;
}

// Values truncated downwards to the centimetre.
float alCentimetro(double v) { return static_cast<float>(std::floor(v * 100) / 100); }

void assicura(VbArray<float>& v, int32_t n) {
    if (!v.isDimensioned() || v.upperBound() < n) v.redimPreserve(n);
}

class Risolutore {
public:
    explicit Risolutore(Profilo& pr) : pr_(pr), livellette_(std::max(0, pr.NumeroLivellette)) {}

    // Points of grade line g, or 0 when its layout does not fit the tables.
    int32_t punti(int32_t g) const {
        const int32_t n = pr_.PuntiLivelletta.get(g);
        if (n < 2) return 0;
        for (const VbArray2<float>* t : {&pr_.ProgressiveLiv, &pr_.TerrenoLiv, &pr_.ProgettoLiv, &pr_.RosseLiv})
            if (!t->has(n, g)) return 0;
        return n;
    }
    double x(int32_t j, int32_t g) const { return pr_.ProgressiveLiv(j, g); }

    void pendenzeDaiEstremi() {
        for (int32_t g = 1; g < livellette_; ++g) {
            const int32_t n = punti(g);
            if (n == 0) continue;
            const double l = x(n, g) - x(1, g);
            const double s = (double{pr_.ProgettoLiv(n, g)} - pr_.ProgettoLiv(1, g)) / l;
            if (l != 0 && std::isfinite(s)) pr_.Pendenze[g] = static_cast<float>(s);
        }
    }

    // Ends and slope of grade line g by the method; false when it cannot be solved.
    bool estremi(int32_t g, int metodo) {
        const int32_t n = punti(g);
        if (n == 0) return false;
        const double l = x(n, g) - x(1, g);
        if (l == 0 || !std::isfinite(l)) return false;
        const double area = pr_.AreaTerreno.get(g);
        double z1 = pr_.ProgettoLiv(1, g), zn = pr_.ProgettoLiv(n, g), s = 0;
        switch (metodo) {
            case 5:
                if (g > 1 && punti(g - 1) > 0) z1 = pr_.ProgettoLiv(punti(g - 1), g - 1);
                [[fallthrough]];
            case 1:
                zn = 2 * area / l - z1;
                s = (zn - z1) / l;
                break;
            case 2:
                s = (zn - z1) / l;
                break;
            case 3: {
                const double d = pr_.DistanzaPassaggio.get(g), q = pr_.QuotaPassaggio.get(g);
                const double denominatore = d - l / 2;
                if (denominatore == 0) return false;
                s = (q - area / l) / denominatore;
                z1 = q - d * s;
                zn = (l - d) * s + q;
                break;
            }
            case 4:
                s = pr_.Pendenze.get(g);
                z1 = area / l - l * s / 2;
                zn = area / l + l * s / 2;
                break;
            default:
                return false;
        }
        if (!finiti({z1, zn, s}) || std::fabs(z1) > 3e38 || std::fabs(zn) > 3e38 || std::fabs(s) > 3e38)
            return false;
        pr_.ProgettoLiv(1, g) = static_cast<float>(z1);
        pr_.ProgettoLiv(n, g) = static_cast<float>(zn);
        pr_.Pendenze[g] = static_cast<float>(s);
        return true;
    }

    void continuita() {
        for (int32_t g = 2; g <= livellette_; ++g) {
            const int32_t n = punti(g - 1);
            if (n == 0 || punti(g) == 0) continue;
            pr_.ProgressiveLiv(1, g) = pr_.ProgressiveLiv(n, g - 1);
            pr_.TerrenoLiv(1, g) = pr_.TerrenoLiv(n, g - 1);
        }
    }

    void quoteERosse(int32_t g) {
        const int32_t n = punti(g);
        const double z1 = pr_.ProgettoLiv(1, g), s = pr_.Pendenze[g];
        pr_.RosseLiv(1, g) = static_cast<float>(z1 - pr_.TerrenoLiv(1, g));
        pr_.RosseLiv(n, g) = static_cast<float>(double{pr_.ProgettoLiv(n, g)} - pr_.TerrenoLiv(n, g));
        for (int32_t j = 2; j < n; ++j) {
            const float z = static_cast<float>((x(j, g) - x(1, g)) * s + z1);
            pr_.ProgettoLiv(j, g) = z;
            pr_.RosseLiv(j, g) = static_cast<float>(double{z} - pr_.TerrenoLiv(j, g));
        }
    }

    // Where the red-height line between two sections reaches zero, measured from the grade
    // line's first section; segments are numbered across all grade lines.
    void passaggi(const std::vector<bool>& risolta) {
        int32_t k = 0;
        for (int32_t g = 1; g <= livellette_; ++g) {
            const int32_t n = punti(g);
            const int32_t segmenti = n > 0 ? n - 1 : std::max(0, pr_.PuntiLivelletta.get(g) - 1);
            if (n == 0 || !risolta[static_cast<std::size_t>(g)]) {
                k += segmenti;
                continue;
            }
            const double z1 = pr_.ProgettoLiv(1, g), s = pr_.Pendenze[g];
            for (int32_t j = 1; j < n; ++j) {
                ++k;
                const double r1 = std::fabs(double{pr_.RosseLiv(j, g)}), r2 = std::fabs(double{pr_.RosseLiv(j + 1, g)});
                if (r1 == 0 || r2 == 0) continue;
                const float u = static_cast<float>(x(j, g) - x(1, g) + (x(j + 1, g) - x(j, g)) * r1 / (r1 + r2));
                assicura(pr_.AscissePassaggio, k);
                assicura(pr_.QuotePassaggio, k);
                pr_.AscissePassaggio[k] = alCentimetro(u);
                pr_.QuotePassaggio[k] = alCentimetro(u * s + z1);
            }
        }
    }

    void valoriCurve() {
        const int32_t curve = std::max(0, pr_.NumeroCurve);
        for (VbArray<float>* v : {&pr_.CurvaTangente, &pr_.CurvaSviluppo, &pr_.CurvaApertura}) assicura(*v, curve);
        for (int32_t i = 1; i <= curve; ++i) {
            const int64_t a = int64_t{pr_.CurvaDa.get(i)} - pr_.PrimaSezione;
            const int64_t b = int64_t{pr_.CurvaA.get(i)} - pr_.PrimaSezione;
            auto progressiva = [&](int64_t p) {
                return p >= 0 && p <= pr_.Progressive.upperBound() ? double{pr_.Progressive[static_cast<int32_t>(p)]}
                                                                   : 0.0;
            };
            const double sviluppo = std::fabs(progressiva(b) - progressiva(a));
            const double raggio = pr_.CurvaRaggio.get(i);
            double apertura = raggio > 0 ? sviluppo / raggio : 0;
            double tangente = raggio * std::tan(apertura / 2);
            if (!finiti({sviluppo, apertura, tangente}) || std::fabs(tangente) > 3e38) apertura = tangente = 0;
            pr_.CurvaSviluppo[i] = static_cast<float>(sviluppo);
            pr_.CurvaApertura[i] = static_cast<float>(apertura);
            pr_.CurvaTangente[i] = static_cast<float>(tangente);
        }
    }

    void risolvi(std::vector<int>* nonRisolte) {
        const int metodo = pr_.MetodoLivellette;
        if (pr_.NumeroSezioni < 2 || livellette_ < 1 || metodo < 1 || metodo > 5) return;
        assicura(pr_.Pendenze, livellette_);

        // The slope method takes its slopes as given; the others derive them anyway.
        if (metodo != 4) pendenzeDaiEstremi();

        std::vector<bool> risolta(static_cast<std::size_t>(livellette_) + 1, false);
        for (int32_t g = 1; g <= livellette_; ++g) {
            risolta[static_cast<std::size_t>(g)] = estremi(g, metodo);
            if (!risolta[static_cast<std::size_t>(g)] && nonRisolte) nonRisolte->push_back(g);
        }
        continuita();
        for (int32_t g = 1; g <= livellette_; ++g)
            if (risolta[static_cast<std::size_t>(g)]) quoteERosse(g);
        passaggi(risolta);

        appiattisciLivellette(pr_);
        for (int32_t i = 1; i <= pr_.NumeroSezioni; ++i)
            pr_.QuotaMassima = std::max(pr_.QuotaMassima, pr_.QuoteTerreno.get(i));
        valoriCurve();
    }

private:
    Profilo& pr_;
    int32_t livellette_;
};

}  // namespace

void risolviProfilo(Profilo& profilo, std::vector<int>* nonRisolte) {
    if (nonRisolte) nonRisolte->clear();
    Risolutore(profilo).risolvi(nonRisolte);
}

std::string messaggioLivelletteNonRisolte(const std::vector<int>& nonRisolte) {
    if (nonRisolte.empty()) return {};
    std::string elenco;
    for (int g : nonRisolte) elenco += (elenco.empty() ? "" : ", ") + std::to_string(g);
    return "Livellette non risolte (lunghezza nulla o dati incompatibili): " + elenco;
}

}  // namespace carvela
