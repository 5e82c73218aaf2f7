#include "support/cases.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace carvela::test {

namespace {
std::string senzaBordi(const std::string& s) {
    const auto a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}
}  // namespace

std::vector<double> Caso::numeri(std::size_t campo) const {
    std::vector<double> out;
    std::istringstream s(campo < campi.size() ? campi[campo] : "");
    for (double v; s >> v;) out.push_back(v);
    return out;
}

std::vector<std::string> Caso::parole(std::size_t campo) const {
    std::vector<std::string> out;
    std::istringstream s(campo < campi.size() ? campi[campo] : "");
    for (std::string v; s >> v;) out.push_back(v);
    return out;
}

std::vector<std::string> Caso::lista(std::size_t campo) const {
    std::vector<std::string> out;
    const std::string t = campo < campi.size() ? campi[campo] : "";
    std::size_t da = 0;
    for (std::size_t a; !t.empty(); da = a + 1) {
        a = t.find(';', da);
        out.push_back(senzaBordi(t.substr(da, a == std::string::npos ? a : a - da)));
        if (a == std::string::npos) break;
    }
    return out;
}

std::vector<Caso> leggiCasi(const std::string& file) {
    std::ifstream in(std::string(CARVELA_TEST_CASES) + "/" + file);
    std::vector<Caso> out;
    int n = 0;
    for (std::string riga; std::getline(in, riga);) {
        ++n;
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        if (senzaBordi(riga).empty() || riga[0] == '#') continue;
        Caso c{n, riga, {}};
        std::size_t da = 0;
        for (std::size_t a; (a = riga.find('|', da)) != std::string::npos; da = a + 1)
            c.campi.push_back(senzaBordi(riga.substr(da, a - da)));
        c.campi.push_back(senzaBordi(riga.substr(da)));
        out.push_back(std::move(c));
    }
    if (out.empty()) ADD_FAILURE() << "no cases in tests/cases/" << file;
    return out;
}

}  // namespace carvela::test
