// The number texts of the files: the tabled forms, and the fast conversions against the
// printf and read-back forms they replaced, on a million random values.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>

#include "project/coordinate.h"
#include "project/vbtext.h"
#include "support/cases.h"

namespace carvela {
namespace {

std::string traVirgolette(const std::string& campo) {
    return campo.size() >= 2 && campo.front() == '"' && campo.back() == '"' ? campo.substr(1, campo.size() - 2) : campo;
}

// The forms as they were first written: printf's %.7G, and every decimal count read back.
std::string strDiRiferimento(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(v));
    std::string s = std::isnan(v) ? "NaN" : std::isinf(v) ? (v > 0 ? "Inf" : "-Inf") : buf;
    if (s == "-0") s = "0";
    const bool negativo = s[0] == '-';
    std::string corpo = negativo ? s.substr(1) : s;
    if (corpo.size() > 1 && corpo[0] == '0' && corpo[1] == '.') corpo.erase(0, 1);
    return (negativo ? "-" : " ") + corpo;
}

std::string coordinataDiRiferimento(float record, double origine, char decimale, int minimo) {
    const double vera = double{record} + origine;
    if (!std::isfinite(vera)) return "0";
    char buf[400];
    std::string s;
    for (int d = std::max(0, minimo); d <= 12; ++d) {
        s.assign(buf, std::to_chars(buf, buf + sizeof buf, vera, std::chars_format::fixed, d).ptr);
        double letta = 0;
        std::from_chars(s.data(), s.data() + s.size(), letta);
        if (coordinataRecord(letta, origine) == record) break;
    }
    if (s.find_first_not_of("-0.") == std::string::npos && !s.empty() && s[0] == '-') s.erase(0, 1);
    for (char& c : s)
        if (c == '.') c = decimale;
    return s;
}

TEST(TestiNumeri, CasiTabellati) {
    for (const test::Caso& c : test::leggiCasi("number_texts.txt")) {
        ASSERT_EQ(c.campi.size(), 3u) << c.testo;
        SCOPED_TRACE(c.testo);
        const std::vector<double> a = c.numeri(1);
        const std::string atteso = traVirgolette(c.campi[2]);
        if (c.nome() == "str") {
            EXPECT_EQ(vbStr(static_cast<float>(a[0])), atteso);
        } else if (c.nome() == "numero") {
            EXPECT_EQ(testoNumero(static_cast<float>(a[0])), atteso);
        } else {
            const float record = c.nome() == "record" ? static_cast<float>(a[0]) : coordinataRecord(a[0], a[1]);
            EXPECT_EQ(testoCoordinata(record, a[1], '.', static_cast<int>(a[2])), atteso);
        }
    }
    EXPECT_EQ(vbStr(int64_t{12}), " 12");
    EXPECT_EQ(vbStr(int64_t{-3}), "-3");
    EXPECT_EQ(vbStr(std::numeric_limits<float>::quiet_NaN()), " NaN");
}

TEST(TestiNumeri, ComeIRiferimenti) {
    std::mt19937_64 caso(13);
    std::uniform_int_distribution<uint32_t> bit;
    std::uniform_real_distribution<double> ampio(-9000, 9000);
    std::uniform_int_distribution<int> decimali(0, 4), scelta(0, 9);
    const double origini[] = {0, 1511000, 5034000, -412000, 2405000, 4632000.5, 1e8};
    int diversi = 0;
    for (int i = 0; i < 1000000 && diversi < 10; ++i) {
        // Any bit pattern, then values of the drawings: metres with a few decimals.
        const float v = i % 2 ? std::bit_cast<float>(bit(caso))
                              : static_cast<float>(std::round(ampio(caso) * std::pow(10, decimali(caso))) /
                                                   std::pow(10, decimali(caso)));
        std::string s;
        aggiungiStr(s, v);
        if (s != strDiRiferimento(v)) ADD_FAILURE() << ++diversi << ": " << s << " / " << strDiRiferimento(v);
        if (i % 3) continue;
        const double origine = origini[static_cast<std::size_t>(i / 3) % std::size(origini)];
        const int minimo = scelta(caso) == 0 ? decimali(caso) : 0;
        const char decimale = scelta(caso) == 0 ? ',' : '.';
        const std::string c = testoCoordinata(v, origine, decimale, minimo);
        const std::string r = coordinataDiRiferimento(v, origine, decimale, minimo);
        if (c != r) ADD_FAILURE() << ++diversi << ": " << c << " / " << r << " (" << v << ", " << origine << ")";
    }
}

}  // namespace
}  // namespace carvela
