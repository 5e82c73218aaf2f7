#include "profile/profile_solve.h"

#include "project/records.h"

namespace carvela {

void risolviProfilo(Profilo&, std::vector<int>*) {}

}  // namespace carvela
