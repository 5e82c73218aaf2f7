#pragma once
// "&Esporta TXT" of the data pages: the page's grids as a column-aligned text file, each
// cell right-aligned in a field of 20 characters, an empty line after each grid.
#include <string>
#include <vector>

#include "project/griglia.h"

namespace carvela {

inline constexpr int kLarghezzaCampoTesto = 20;

// The text of the export (UTF-8, "\n" line breaks). A cell longer than the field is
// written whole.
std::string testoEsportazione(const std::vector<const Griglia*>& griglie);

// One row of a grid as a line of that text, added to `out`.
void aggiungiRigaTesto(std::string& out, const Griglia& g, int r);

}  // namespace carvela
