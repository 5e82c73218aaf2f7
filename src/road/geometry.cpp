#include "road/geometry.h"

#include "shell/workspace.h"

namespace carvela {

double rilevamento(double, double) { return 0; }
bool intersezioneSegmenti(double, double, double, double, double, double, double, double, double&, double&) {
    return false;
}
float quotaTerreno(const Planimetria&, double, double) { return 0; }
void direzioniSezione(const Workspace&, int32_t, double& l, double& r) { l = r = 0; }

}  // namespace carvela
