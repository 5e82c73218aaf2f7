#pragma once
// The sub-commands of carvela-cli, one file each.
#include <string>
#include <vector>

namespace carvela::cli {

using Argomenti = std::vector<std::string>;

int info(const Argomenti& args);       // info FILE
int render(const Argomenti& args);     // render FILE OUT.png [--doc ...] [--width W --height H] ...
int road(const Argomenti& args);       // road CONTOURS.dxf AXIS.txt OUTDIR ...
int landxml(const Argomenti& args);    // landxml PROJECT.pln OUT.xml [--set ...]
int sheets(const Argomenti& args);     // sheets PROJECT.pln OUT.pdf [--sections N] [--profile H:V] ...
int compute(const Argomenti& args);    // compute IN OUT
int intersect(const Argomenti& args);  // intersect forward|pothenot|hansen ...

}  // namespace carvela::cli
