#include <iostream>

#include "cli_commands.h"

namespace carvela::cli {

int info(const Argomenti&) {
    std::cerr << "info: non ancora disponibile\n";
    return 1;
}

}  // namespace carvela::cli
