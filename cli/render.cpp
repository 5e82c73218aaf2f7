#include <iostream>

#include "cli_commands.h"

namespace carvela::cli {

int render(const Argomenti&) {
    std::cerr << "render: non ancora disponibile\n";
    return 1;
}

}  // namespace carvela::cli
