#pragma once
// The coordinate label of the main window: the pointer's position as the engineer reads the
// document shown. True coordinates on the plan and the imported drawing (the record's value
// plus the project origin; on the traverse and triangulation views the survey's origin),
// progressive and elevation on the profile, distance from the axis
// and elevation on a section, progressive and volume on the mass diagram.
#include <string>

namespace carvela {
struct Workspace;

std::string testoPuntatoreDocumento(Workspace& ws, double x, double y);

}  // namespace carvela
