#include "project/coordinate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "project/vbtext.h"

namespace carvela {

namespace {

// Whether the text of `vera` with d decimals reads back to `record`, decided without
// reading it where the arithmetic leaves no doubt: the text is the whole number nearest
// vera * 10^d, and the record comes back when its error keeps the value within half a float
// step of the record. Near either edge, and for values too large for the estimate, the text
// is read.
class Rilettura {
public:
    Rilettura(float record, double origine, double vera) : vera_(vera) {
        const double r = record;
        constexpr float kInf = std::numeric_limits<float>::infinity();
        sotto_ = (r - std::nextafter(record, -kInf)) / 2;
        sopra_ = (std::nextafter(record, kInf) - r) / 2;
        // The rounding of t, of vera itself, of the reading and of the subtraction of the
        // origin: all below a few units in the last place of vera.
        margine_ = (std::fabs(vera) + std::fabs(origine) + std::fabs(r)) * 1e-15 + 1e-300;
        valida_ = std::isfinite(sotto_) && std::isfinite(sopra_);
    }

    enum Esito { No, Si, Leggi };
    // With Si, `cifre` is the text's whole number: vera * 10^d rounded, without its sign.
    Esito prova(int d, double& cifre) const {
        static constexpr double kPotenze[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
        const double p = kPotenze[d];
        const double t = vera_ * p;
        if (!valida_ || !(std::fabs(t) < 0x1p50)) return Leggi;
        const double n = std::nearbyint(t);
        const double f = t - n;  // exact
        // Near a half the rounding of t may have crossed it: the text decides.
        if (std::fabs(std::fabs(f) - 0.5) < std::fabs(t) * 1e-15 + 1e-9) return Leggi;
        const double errore = -f / p;
        cifre = std::fabs(n);
        if (errore > -sotto_ + margine_ && errore < sopra_ - margine_) return Si;
        if (errore < -sotto_ - margine_ || errore > sopra_ + margine_) return No;
        return Leggi;
    }

private:
    double vera_, sotto_ = 0, sopra_ = 0, margine_ = 0;
    bool valida_ = false;
};

// The fixed text of d decimals of a whole number of 10^-d units, as std::to_chars writes it.
char* testoFisso(char* buf, bool negativo, double cifre, int d) {
    char numero[24];
    char* fineNumero = std::to_chars(numero, numero + sizeof numero, static_cast<int64_t>(cifre)).ptr;
    int n = static_cast<int>(fineNumero - numero);
    char* p = buf;
    if (negativo) *p++ = '-';
    if (n <= d) {  // "0.0012"
        *p++ = '0', *p++ = '.';
        p = std::fill_n(p, d - n, '0');
        return std::copy(numero, fineNumero, p);
    }
    p = std::copy(numero, fineNumero - d, p);
    if (d == 0) return p;
    *p++ = '.';
    return std::copy(fineNumero - d, fineNumero, p);
}

}  // namespace

void aggiungiCoordinata(std::string& dest, float record, double origine, char decimale, int minimoDecimali) {
    const double vera = double{record} + origine;
    if (!std::isfinite(vera)) {
        dest += '0';
        return;
    }
    const Rilettura rilettura(record, origine, vera);
    char buf[400];
    char* fine = buf;
    for (int d = std::max(0, minimoDecimali); d <= 12; ++d) {
        double cifre = 0;
        const Rilettura::Esito esito = rilettura.prova(d, cifre);
        if (esito == Rilettura::Si) {
            fine = testoFisso(buf, std::signbit(vera), cifre, d);
            break;
        }
        if (esito == Rilettura::No && d < 12) continue;
        fine = std::to_chars(buf, buf + sizeof buf, vera, std::chars_format::fixed, d).ptr;
        if (esito == Rilettura::No) break;
        double letta = 0;
        std::from_chars(buf, fine, letta);
        if (coordinataRecord(letta, origine) == record) break;
    }
    const char* inizio = buf;
    if (fine > buf && buf[0] == '-' && std::all_of(buf, fine, [](char c) { return c == '-' || c == '0' || c == '.'; }))
        ++inizio;  // no "-0"
    if (decimale != '.')
        for (char* c = buf; c < fine; ++c)
            if (*c == '.') *c = decimale;
    dest.append(inizio, static_cast<std::size_t>(fine - inizio));
}

std::string testoCoordinata(float record, double origine, char decimale, int minimoDecimali) {
    std::string s;
    aggiungiCoordinata(s, record, origine, decimale, minimoDecimali);
    return s;
}

std::string testoCoordinataGriglia(float record, double origine) {
    return origine == 0 ? testoNumero(record) : testoCoordinata(record, origine, ',');
}

bool leggiCoordinataGriglia(std::string_view testo, double origine, float& record) {
    if (origine == 0) return leggiFloat(testo, record);
    double v = 0;
    if (!leggiNumero(testo, v) || !(std::fabs(v - origine) <= std::numeric_limits<float>::max())) return false;
    record = coordinataRecord(v, origine);
    return true;
}

}  // namespace carvela
