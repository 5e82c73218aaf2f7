#include <iostream>

#include "cli_commands.h"

namespace carvela::cli {

int compute(const Argomenti&) {
    std::cerr << "compute: non ancora disponibile\n";
    return 1;
}

int intersect(const Argomenti&) {
    std::cerr << "intersect: non ancora disponibile\n";
    return 1;
}

}  // namespace carvela::cli
