#pragma once
// The host of the batch tool: messages go to standard error, dialogs answer "cancelled",
// the progress window is silent.
#include <string>
#include <vector>

#include "state/silent_host.h"

namespace carvela::cli {

class ConsoleHost : public HostMuto {
public:
    std::vector<std::string> messaggi;  // every message shown, in order
    bool stampa = true;                 // echo messages to standard error

    Risposta messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
};

}  // namespace carvela::cli
