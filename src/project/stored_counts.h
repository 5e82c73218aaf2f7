#pragma once
// The counts a project file stores beside its lists (points, stations, grade lines, curves,
// ground points...) sized the pages and loops that read those lists. A count below zero or
// beyond the items actually stored cannot come from a saved project: it marks a damaged file.
#include <string>

#include "project/records.h"

namespace carvela {

// Why the record's counts cannot be trusted, in Italian words for a message ("il numero di
// punti del piano (250) supera quelli memorizzati (10)"); empty when every count agrees with
// its lists. Lists longer than their count are fine: the program grows them ahead of it.
std::string conteggiErrati(const Planimetria& r);
std::string conteggiErrati(const Profilo& r);
std::string conteggiErrati(const TabellaPaleggi& r);
std::string conteggiErrati(const Sezione& r);
std::string conteggiErrati(const FileSezioni& r);
std::string conteggiErrati(const OpenTraverse& r);
std::string conteggiErrati(const ClosedTraverse& r);
std::string conteggiErrati(const TriangulationChain& r);

}  // namespace carvela
