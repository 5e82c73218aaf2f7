// carvela-cli: the batch front end of Carvela.
#include <iostream>
#include <string>
#include <vector>

#include "cli_commands.h"

namespace {

void uso() {
    std::cerr << "Uso: carvela-cli --version\n"
                 "     carvela-cli info FILE [--json]\n"
                 "     carvela-cli render FILE OUT.png [--doc plan|profile|section|diagram] [--section N]\n"
                 "                 [--width W] [--height H]\n"
                 "     carvela-cli road CONTOURS.dxf AXIS.txt OUTDIR [--set KEY=VALUE]... [--entities POLYLINE|LINE]\n"
                 "                 [--layer NAME]\n"
                 "     carvela-cli road CONTOURS.dxf --axis-landxml AXIS.xml OUTDIR ...\n"
                 "     carvela-cli landxml PROJECT.pln OUT.xml [--set KEY=VALUE]...\n"
                 "     carvela-cli sheets PROJECT.pln OUT.pdf [--sections 200] [--profile 1000:100] [--paper A3|A4]\n"
                 "     carvela-cli compute IN OUT\n"
                 "     carvela-cli intersect forward|pothenot|hansen VALORI... [--set AngoloPiatto=200]\n"
                 "     carvela-cli earthwork TABELLA.txt [--free-haul M] [--economic-haul M] [--cost-ratio M]\n"
                 "                 [--swell F] [--shrink F] [--zero-points] [--json]\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        uso();
        return 2;
    }
    const std::string cmd = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (cmd == "--version" || cmd == "version") {
        std::cout << "carvela-cli " << CARVELA_VERSION << '\n';
        return 0;
    }
    if (cmd == "info") return carvela::cli::info(rest);
    if (cmd == "render") return carvela::cli::render(rest);
    if (cmd == "road") return carvela::cli::road(rest);
    if (cmd == "landxml") return carvela::cli::landxml(rest);
    if (cmd == "sheets") return carvela::cli::sheets(rest);
    if (cmd == "compute") return carvela::cli::compute(rest);
    if (cmd == "intersect") return carvela::cli::intersect(rest);
    if (cmd == "earthwork") return carvela::cli::earthwork(rest);
    if (cmd == "--help" || cmd == "-h") {
        uso();
        return 0;
    }
    std::cerr << "Comando sconosciuto: " << cmd << '\n';
    uso();
    return 2;
}
