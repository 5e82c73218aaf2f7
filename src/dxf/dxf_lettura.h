#pragma once
// The report of what the DXF reader saw in a drawing (the records are in state/lettura_dxf.h).
#include <string>

#include "state/lettura_dxf.h"

namespace carvela {

// The report of a recognition, one line per item, in the program's words.
std::string testoRiconoscimento(const LetturaDxf& lettura, const RiconoscimentoDxf& r);

}  // namespace carvela
