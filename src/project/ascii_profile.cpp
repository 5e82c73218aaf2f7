#include "project/ascii_profile.h"

#include "project/records.h"
#include "shell/host.h"

namespace carvela {

bool esportaProfiloAscii(const std::string&, const Profilo&, Host&) { return false; }
bool importaProfiloAscii(const std::string&, Profilo&, Host&) { return false; }

}  // namespace carvela
