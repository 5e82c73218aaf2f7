#pragma once
// Texts at the boundary of a drawing-exchange file. Older files carry Windows-1252, newer
// ones UTF-8; in memory every text is UTF-8.
#include <string>
#include <string_view>

#include "project/testo_condiviso.h"

namespace carvela {

// A layer name or text value as read: kept when it is plain ASCII or valid UTF-8, converted
// from Windows-1252 otherwise.
std::string testoDaDxf(std::string_view valore);
// The same into an existing string (no temporary for the usual ASCII value).
void assegnaTestoDxf(std::string& destinazione, std::string_view valore);
void assegnaTestoDxf(TestoCondiviso& destinazione, std::string_view valore);

// A text as written: Windows-1252, with line breaks turned into blanks so a value can never
// split into two lines of the file.
std::string testoPerDxf(std::string_view testo);

}  // namespace carvela
