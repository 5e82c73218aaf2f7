#include "project/coordinate.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "project/vbtext.h"

namespace carvela {

std::string testoCoordinata(float record, double origine, char decimale, int minimoDecimali) {
    const double vera = double{record} + origine;
    if (!std::isfinite(vera)) return "0";
    char buf[400];
    std::string s;
    for (int d = std::max(0, minimoDecimali); d <= 12; ++d) {
        const auto r = std::to_chars(buf, buf + sizeof buf, vera, std::chars_format::fixed, d);
        s.assign(buf, r.ptr);
        double letta = 0;
        std::from_chars(s.data(), s.data() + s.size(), letta);
        if (coordinataRecord(letta, origine) == record) break;
    }
    if (s.find_first_not_of("-0.") == std::string::npos && !s.empty() && s[0] == '-') s.erase(0, 1);  // no "-0"
    if (decimale != '.')
        for (char& c : s)
            if (c == '.') c = decimale;
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
