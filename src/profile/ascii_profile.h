#pragma once
// The plain-text longitudinal profile: one value per line, numbers with the decimal point.
//
// Layout: the point count P and the grade-line count L; P pairs (progressive, ground
// elevation) listed grade line by grade line, so the section shared by two consecutive
// grade lines appears twice; the L point counts; the curve count C and C groups (side "s" or
// "d", radius, first section, last section); the first section number; the grade-line method;
// the design elevations of the two ends of every grade line.
//
// Writing the points per grade line makes an export followed by an import give back the
// same profile (the reader turns P back into P + 1 - L sections).
#include <string>

namespace carvela {
struct Profilo;
class Host;

// Writes the profile; false (with a message through the host) when the profile is not
// consistent or the file cannot be written. The file is replaced only once fully written.
bool esportaProfiloAscii(const std::string& path, const Profilo& profilo, Host& host);
// Reads the profile, rebuilds the grade-line layout and, when a method is set, solves it.
// On a missing, truncated or inconsistent file shows a message and leaves `profilo` unchanged.
bool importaProfiloAscii(const std::string& path, Profilo& profilo, Host& host);

}  // namespace carvela
