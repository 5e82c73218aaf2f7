#pragma once
// The plain-text longitudinal profile: export and import.
#include <string>

namespace carvela {
struct Profilo;
class Host;

// Writes the profile; false (with a message through the host) when the file cannot be written.
bool esportaProfiloAscii(const std::string& path, const Profilo& profilo, Host& host);
// Reads the profile; on a malformed file shows a message and leaves `profilo` unchanged.
bool importaProfiloAscii(const std::string& path, Profilo& profilo, Host& host);

}  // namespace carvela
