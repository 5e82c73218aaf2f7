#include "project/origine.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace carvela {

namespace {

bool leggiValore(const std::string& t, char chiave, double& v) {
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if ((t[i] == chiave || t[i] == chiave + ('a' - 'A')) && t[i + 1] == '=' &&
            (i == 0 || t[i - 1] == ' ')) {
            const char* b = t.data() + i + 2;
            const char* e = t.data() + t.size();
            auto r = std::from_chars(b, e, v);
            return r.ec == std::errc() && std::isfinite(v);
        }
    }
    return false;
}

std::string numero(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    std::string s(buf);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

}  // namespace

OrigineProgetto leggiOrigine(const std::string& testo) {
    OrigineProgetto o;
    double e = 0, n = 0;
    if (leggiValore(testo, 'E', e) && leggiValore(testo, 'N', n)) {
        o.est = e;
        o.nord = n;
    }
    return o;
}

std::string testoOrigine(const OrigineProgetto& o) {
    if (o.nulla()) return {};
    return "E=" + numero(o.est) + " N=" + numero(o.nord);
}

OrigineProgetto scegliOrigine(double minE, double minN, double maxE, double maxN) {
    OrigineProgetto o;
    if (!(std::isfinite(minE) && std::isfinite(minN) && std::isfinite(maxE) && std::isfinite(maxN)))
        return o;
    auto dentro = [](double lo, double hi) {
        return std::fabs(lo) <= kRaggioMillimetro && std::fabs(hi) <= kRaggioMillimetro;
    };
    if (dentro(minE, maxE) && dentro(minN, maxN)) return o;
    o.est = std::round((minE + maxE) / 2000.0) * 1000.0;
    o.nord = std::round((minN + maxN) / 2000.0) * 1000.0;
    if (o.est == 0) o.est = 0;  // no negative zero in the stored text
    if (o.nord == 0) o.nord = 0;
    return o;
}

}  // namespace carvela
