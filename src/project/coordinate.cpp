#include "project/coordinate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "project/vbtext.h"

namespace carvela {

namespace {

// Whether the text of `vera` with `d` decimals reads back to `record`, decided without
// reading it where the arithmetic leaves no doubt: the text's error against `vera` is known
// from vera * 10^d, and the record comes back when that error keeps the value within half a
// float step of it. Near either edge, and for values too large for the estimate, the text
// is read. 1 yes, 0 no, -1 read it.
int rilettaCerta(float record, double origine, double vera, int d) {
    static constexpr double kPotenze[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    const double p = kPotenze[d];
    const double t = vera * p;
    if (!(std::fabs(t) < 0x1p50) || std::fabs(record) >= std::numeric_limits<float>::max()) return -1;
    const double f = t - std::nearbyint(t);  // exact
    // Near a half the rounding of t may have crossed it: the text decides.
    if (std::fabs(std::fabs(f) - 0.5) < std::fabs(t) * 1e-15 + 1e-9) return -1;
    // The text is vera - f / p, up to the rounding of t, of vera itself, of the reading and
    // of the subtraction of the origin: all below a few units in the last place of vera.
    const double errore = -f / p;
    const double margine = (std::fabs(vera) + std::fabs(origine) + std::fabs(record)) * 1e-15 + 1e-300;
    const double r = record;
    const double sotto = (r - std::nextafter(record, -std::numeric_limits<float>::infinity())) / 2;
    const double sopra = (std::nextafter(record, std::numeric_limits<float>::infinity()) - r) / 2;
    if (errore > -sotto + margine && errore < sopra - margine) return 1;
    if (errore < -sotto - margine || errore > sopra + margine) return 0;
    return -1;
}

}  // namespace

void aggiungiCoordinata(std::string& dest, float record, double origine, char decimale, int minimoDecimali) {
    const double vera = double{record} + origine;
    if (!std::isfinite(vera)) {
        dest += '0';
        return;
    }
    char buf[400];
    char* fine = buf;
    for (int d = std::max(0, minimoDecimali); d <= 12; ++d) {
        const int certa = rilettaCerta(record, origine, vera, d);
        if (certa == 0 && d < 12) continue;
        fine = std::to_chars(buf, buf + sizeof buf, vera, std::chars_format::fixed, d).ptr;
        if (certa == 1) break;
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
