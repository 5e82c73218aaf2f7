#pragma once
// "&Esporta TXT" as a command: the text of project/text_export.h written where the user says.
#include <functional>
#include <vector>

#include "project/griglia.h"

namespace carvela {
class Host;

// The whole command: save dialog ("Esporta file di testo"), progress window, the file in
// Windows-1252. `mostraChiamante(false)` hides the calling page while the file is written
// and `mostraChiamante(true)` shows it again. Cancelling writes nothing; a file that cannot
// be created is reported and the old file, if any, stays as it was.
void esportaTesto(Host& host, const std::vector<const Griglia*>& griglie,
                  const std::function<void(bool visibile)>& mostraChiamante = {});

}  // namespace carvela
