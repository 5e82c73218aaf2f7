#pragma once
// True coordinates at the boundaries of the program: records hold single-precision values
// relative to the project origin, files and grids show the sum. The text of a true coordinate
// has the fewest decimals that read back to the very same record, so a value written and read
// again (with the same origin) gives the same records.
#include <string>
#include <string_view>

namespace carvela {

// The record of a true coordinate.
inline float coordinataRecord(double vera, double origine) { return static_cast<float>(vera - origine); }

// The text of the true coordinate of `record`: at least `minimoDecimali` decimals, `decimale`
// as separator, no exponent.
std::string testoCoordinata(float record, double origine, char decimale = '.', int minimoDecimali = 0);
// The same text appended to `dest`, for writers that make large files.
void aggiungiCoordinata(std::string& dest, float record, double origine, char decimale = '.', int minimoDecimali = 0);

// A coordinate in a grid cell, where a person reads and types it: near 0 the program's usual
// number text, otherwise the true coordinate with the decimal comma.
std::string testoCoordinataGriglia(float record, double origine);
// The record of a typed true coordinate; false when the text is not a number.
bool leggiCoordinataGriglia(std::string_view testo, double origine, float& record);

}  // namespace carvela
