// carvela-cli landxml PROJECT.pln OUT.xml [--set KEY=VALUE]...: the LandXML document of a road
// project (axis, profile, cross-sections), in true coordinates.
#include "dxf/landxml.h"

#include <iostream>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "console_host.h"
#include "project/project_files.h"
#include "project/records.h"
#include "state/settings.h"

namespace carvela::cli {

int landxml(const Argomenti& args) {
    std::vector<std::string> posizionali;
    Impostazioni imp;  // the defaults, never the stored settings of a user
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--set" && i + 1 < args.size()) {
            const std::string& kv = args[++i];
            const auto uguale = kv.find('=');
            if (uguale == std::string::npos || !impostaChiave(imp, kv.substr(0, uguale), kv.substr(uguale + 1))) {
                std::cerr << "Impostazione non valida: " << kv << ".\n";
                return 2;
            }
        } else if (args[i].rfind("--", 0) == 0) {
            std::cerr << "Opzione sconosciuta: " << args[i] << ".\n";
            return 2;
        } else {
            posizionali.push_back(args[i]);
        }
    }
    if (posizionali.size() != 2) {
        std::cerr << "Uso: carvela-cli landxml PROGETTO.pln USCITA.xml [--set CHIAVE=VALORE]...\n";
        return 2;
    }
    Planimetria piano;
    VbArray<Sezione> sezioni;
    TabellaPaleggi paleggi;
    Profilo profilo;
    if (!leggiFilePiano(posizionali[0], piano, sezioni, paleggi, profilo)) {
        std::cerr << "Errore di apertura del file " << posizionali[0] << ".\n";
        return 1;
    }
    ConsoleHost host;
    return esportaLandXml(piano, imp, posizionali[1], host) ? 0 : 1;
}

}  // namespace carvela::cli
