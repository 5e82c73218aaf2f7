#pragma once
// The sub-commands of carvela-cli, one file each.
#include <string>
#include <vector>

#include "sections/earthwork.h"

#ifdef CARVELA_HAVE_JSON
#include <nlohmann/json.hpp>
#endif

namespace carvela::cli {

using Argomenti = std::vector<std::string>;

int info(const Argomenti& args);       // info FILE
int render(const Argomenti& args);     // render FILE OUT.png [--doc ...] [--width W --height H] ...
int road(const Argomenti& args);       // road CONTOURS.dxf AXIS.txt OUTDIR ...
int landxml(const Argomenti& args);    // landxml PROJECT.pln OUT.xml [--set ...]
int sheets(const Argomenti& args);     // sheets PROJECT.pln OUT.pdf [--sections N] [--profile H:V] ...
int compute(const Argomenti& args);    // compute IN OUT
int intersect(const Argomenti& args);  // intersect forward|pothenot|hansen ...
int earthwork(const Argomenti& args);  // earthwork TABLE.txt [--free-haul M] ...

#ifdef CARVELA_HAVE_JSON
// The earthwork report as JSON, shared by earthwork and road.
nlohmann::json jsonMovimento(const Movimento& m);
#endif

}  // namespace carvela::cli
