#include "console_host.h"

#include <iostream>

namespace carvela::cli {

Risposta ConsoleHost::messaggio(const std::string& testo, Pulsanti pulsanti, Icona, const std::string&) {
    messaggi.push_back(testo);
    if (stampa) std::cerr << testo << '\n';
    return pulsanti == Pulsanti::SiNo ? Risposta::Si : Risposta::Ok;
}

}  // namespace carvela::cli
