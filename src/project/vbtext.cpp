#include "project/vbtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace carvela {
namespace {

// Seven significant digits in the "%.7G" form: the exponent form exactly where the classic
// conversion uses it (exponent below -4 or from 7 on), with its sign and at least two
// digits, and no trailing zeros. std::to_chars with a precision is defined as printf's %g and
// is several times faster. Returns the end of the text written in `buf` (at least 32 bytes).
char* sevenDigits(float v, char* buf) {
    if (std::isnan(v)) return std::copy_n("NaN", 3, buf);
    if (std::isinf(v)) return v > 0 ? std::copy_n("Inf", 3, buf) : std::copy_n("-Inf", 4, buf);
    char* fine = std::to_chars(buf, buf + 32, static_cast<double>(v), std::chars_format::general, 7).ptr;
    for (char* p = buf; p < fine; ++p)
        if (*p == 'e') *p = 'E';
    if (fine - buf == 2 && buf[0] == '-' && buf[1] == '0') {  // "-0"
        buf[0] = '0';
        return buf + 1;
    }
    return fine;
}

}  // namespace

void aggiungiStr(std::string& dest, float v) {
    char buf[40];
    char* corpo = buf + 1;
    char* fine = sevenDigits(v, corpo);
    const bool negativo = *corpo == '-';
    if (negativo) ++corpo;
    if (fine - corpo > 1 && corpo[0] == '0' && corpo[1] == '.') ++corpo;  // " .5"
    *--corpo = negativo ? '-' : ' ';
    dest.append(corpo, fine);
}

void aggiungiStr(std::string& dest, int64_t v) {
    char buf[24];
    char* inizio = buf + 1;
    char* fine = std::to_chars(inizio, buf + sizeof buf, v).ptr;
    if (v >= 0) *--inizio = ' ';
    dest.append(inizio, static_cast<std::size_t>(fine - inizio));
}

std::string vbStr(float v) {
    std::string s;
    aggiungiStr(s, v);
    return s;
}

std::string vbStr(int64_t v) {
    std::string s;
    aggiungiStr(s, v);
    return s;
}

std::string testoNumero(float v, char decimale) {
    char buf[40];
    std::string s(buf, sevenDigits(v, buf));
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
