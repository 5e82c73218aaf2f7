#pragma once
// Tabled cases in tests/cases/: one case a line, fields split at '|', blank lines and lines
// starting with '#' left out.
#include <string>
#include <vector>

namespace carvela::test {

struct Caso {
    int riga = 0;                                              // line in the file, for the failure messages
    std::string testo;                                         // the whole line
    std::vector<std::string> campi;                            // fields with their outer blanks taken off
    std::vector<double> numeri(std::size_t campo) const;       // the numbers of a field
    std::vector<std::string> parole(std::size_t campo) const;  // its blank-separated words
    std::vector<std::string> lista(std::size_t campo) const;   // its items separated by ';'
    std::string nome() const { return campi.empty() ? "" : campi[0]; }
};

// Every case of the file; a missing or empty file is a failure of the calling test.
std::vector<Caso> leggiCasi(const std::string& file);

}  // namespace carvela::test
