#pragma once
// The DXF files of the profile and of the sections, written from the same element lists the
// screen draws (graphics/road_drawings.h), so they sit with the drawings.
#include <string>

#include "project/records.h"

namespace carvela {
struct Impostazioni;
class Host;
class FileAtomico;

std::string esportaProfilo(const Profilo& profilo);
// All sections 1..last as sheets in columns; with a host, the progress window runs.
std::string esportaSezioni(const VbArray<Sezione>& sezioni, const Impostazioni& imp, Host* host = nullptr,
                           FileAtomico* file = nullptr);

}  // namespace carvela
