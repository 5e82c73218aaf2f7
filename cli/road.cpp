#include <iostream>

#include "cli_commands.h"

namespace carvela::cli {

int road(const Argomenti&) {
    std::cerr << "road: non ancora disponibile\n";
    return 1;
}

}  // namespace carvela::cli
