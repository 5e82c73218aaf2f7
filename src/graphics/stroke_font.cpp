#include "graphics/stroke_font.h"

#include "graphics/view.h"

namespace carvela {

void scriviTesto(Vista&, Canvas&, float, double, double, uint8_t, float, int, std::string_view) {}

}  // namespace carvela
