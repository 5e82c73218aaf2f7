#pragma once
// "&Esporta TXT" of the data pages: the page's grids as a column-aligned text file, each
// cell right-aligned in a field of 20 characters, an empty line after each grid.
#include <functional>
#include <string>
#include <vector>

#include "project/griglia.h"

namespace carvela {
class Host;

inline constexpr int kLarghezzaCampoTesto = 20;

// The text of the export (UTF-8, "\n" line breaks). A cell longer than the field is
// written whole.
std::string testoEsportazione(const std::vector<const Griglia*>& griglie);

// The whole command: save dialog ("Esporta file di testo"), progress window, the file in
// Windows-1252. `mostraChiamante(false)` hides the calling page while the file is written
// and `mostraChiamante(true)` shows it again. Cancelling writes nothing; a file that cannot
// be created is reported and the old file, if any, stays as it was.
void esportaTesto(Host& host, const std::vector<const Griglia*>& griglie,
                  const std::function<void(bool visibile)>& mostraChiamante = {});

}  // namespace carvela
