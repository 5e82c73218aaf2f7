#pragma once
// Texts are UTF-8 in memory and Windows-1252 in project files and DXF drawings.
#include <string>
#include <string_view>

namespace carvela {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters with no Windows-1252 code become '?'.
std::string utf8ToCp1252(std::string_view text);

}  // namespace carvela
