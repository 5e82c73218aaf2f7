#include "project/vbtext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace carvela {
namespace {

// "%.7G" gives seven significant digits and switches to the exponent form exactly where
// the classic conversion does (exponent below -4 or from 7 on); the exponent then needs
// its sign and two digits, which printf already gives.
std::string sevenDigits(float v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(v));
    std::string s = buf;
    // %G keeps no trailing zeros in the mantissa unless '#' is given; nothing to strip.
    if (s == "-0") s = "0";
    return s;
}

}  // namespace

std::string vbStr(float v) {
    std::string s = sevenDigits(v);
    bool negative = !s.empty() && s[0] == '-';
    std::string body = negative ? s.substr(1) : s;
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
    return (negative ? "-" : " ") + body;
}

std::string vbStr(int64_t v) { return (v >= 0 ? " " : "") + std::to_string(v); }

std::string testoNumero(float v, char decimale) {
    std::string s = sevenDigits(v);
    for (char& c : s)
        if (c == '.') c = decimale;
    return s;
}

std::string testoNumero(int64_t v) { return std::to_string(v); }

std::string formatta(double v, std::string_view pattern, char decimale) {
    std::size_t dot = pattern.find('.');
    std::string_view intPart = pattern.substr(0, dot);
    std::string_view fracPart = dot == std::string_view::npos ? std::string_view{} : pattern.substr(dot + 1);
    int decimals = static_cast<int>(fracPart.size());
    int minInt = 0;
    for (char c : intPart)
        if (c == '0') ++minInt;

    if (std::isnan(v) || std::isinf(v)) return std::isnan(v) ? "NaN" : (v > 0 ? "Inf" : "-Inf");
    bool negative = std::signbit(v) && v != 0;
    double a = std::fabs(v);
    // The exact decimal expansion of the binary value, rounded half away from zero.
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", decimals + 25, a);
    std::string digits = buf;
    std::size_t p = digits.find('.');
    std::string ip = digits.substr(0, p);
    std::string fp = p == std::string::npos ? std::string() : digits.substr(p + 1);
    bool roundUp = fp.size() > static_cast<std::size_t>(decimals) && fp[decimals] >= '5';
    fp = fp.substr(0, decimals);
    if (roundUp) {
        std::string all = ip + fp;
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0) {
            if (all[i] == '9') {
                all[i] = '0';
                --i;
            } else {
                ++all[i];
                break;
            }
        }
        if (i < 0) all.insert(all.begin(), '1');
        ip = all.substr(0, all.size() - decimals);
        fp = all.substr(all.size() - decimals);
    }
    // Leading zeros of the integer part only as many as the pattern requires.
    std::size_t firstNonZero = ip.find_first_not_of('0');
    ip = firstNonZero == std::string::npos ? std::string() : ip.substr(firstNonZero);
    while (static_cast<int>(ip.size()) < minInt) ip.insert(ip.begin(), '0');
    std::string out = negative ? "-" : "";
    out += ip;
    if (dot != std::string_view::npos) {
        out += decimale;
        out += fp;
    }
    return out;
}

bool leggiNumero(std::string_view text, double& out) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    std::string_view t = text.substr(b, e - b);
    if (t.empty()) return false;
    bool hasComma = t.find(',') != std::string_view::npos;
    char sep = hasComma ? ',' : '.';

    std::string normal;
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-') normal += t[i++];
    int digits = 0;
    bool sawSep = false;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (c >= '0' && c <= '9') {
            normal += c;
            ++digits;
        } else if (c == sep && !sawSep) {
            normal += '.';
            sawSep = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < t.size()) {
        if (t[i] != 'e' && t[i] != 'E') return false;
        normal += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
        int expDigits = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            normal += t[i];
            ++expDigits;
        }
        if (expDigits == 0 || i != t.size()) return false;
    }
    char* end = nullptr;
    double v = std::strtod(normal.c_str(), &end);
    if (end == normal.c_str() || std::isinf(v) || std::isnan(v)) return false;
    out = v;
    return true;
}

bool leggiFloat(std::string_view text, float& out) {
    double v;
    if (!leggiNumero(text, v)) return false;
    if (std::fabs(v) > std::numeric_limits<float>::max()) return false;
    out = static_cast<float>(v);
    return true;
}

int64_t arrotondaPari(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

namespace {
template <class T>
bool leggiIntero(std::string_view text, T& out) {
    double v;
    if (!leggiNumero(text, v)) return false;
    if (std::fabs(v) > 9.0e18) return false;
    int64_t r = arrotondaPari(v);
    if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) return false;
    out = static_cast<T>(r);
    return true;
}
}  // namespace

bool leggiIntero16(std::string_view text, int16_t& out) { return leggiIntero(text, out); }
bool leggiIntero32(std::string_view text, int32_t& out) { return leggiIntero(text, out); }
bool leggiByte(std::string_view text, uint8_t& out) { return leggiIntero(text, out); }

}  // namespace carvela
