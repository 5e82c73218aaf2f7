#pragma once
// The keystroke filter of the numeric grid cells: Backspace removes the last character;
// a digit, '-' or ',' (the decimal separator) is appended; any other key changes nothing.
#include <string>

namespace carvela {

inline constexpr int kTastoBackspace = 8;

std::string filtraTasto(int codice, const std::string& testo);

}  // namespace carvela
