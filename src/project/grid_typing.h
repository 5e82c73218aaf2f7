#pragma once
// The keystroke filter of the numeric grid cells: Backspace removes the last character,
// Delete empties the cell; a digit, '-' or ',' (the decimal separator) is appended, and a '.'
// is taken as the ','; any other key changes nothing.
#include <string>

namespace carvela {

inline constexpr int kTastoBackspace = 8;
inline constexpr int kTastoCanc = 127;

std::string filtraTasto(int codice, const std::string& testo);

}  // namespace carvela
