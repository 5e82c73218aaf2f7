#pragma once
// The grade-line layout of the longitudinal profile: the per-section lists (each section
// once) and the per-grade-line tables (each grade line's points in full, so the section
// shared by two grade lines appears in both).

#include <cstdint>

namespace carvela {
struct Profilo;
template <class T>
class VbArray2;

// Grows a grade-line table to hold (punti, livellette), keeping what it holds. Extents beyond
// those are kept as stored (the profile is written back as it was read), unless keeping them
// while the other dimension grows would more than double the table: a stale first dimension
// times many grade lines would otherwise take the square of the file's size. Such a grow keeps
// only the rows, then the columns, that the grade lines use.
void allargaTabellaLivellette(VbArray2<float>& tabella, int32_t punti, int32_t livellette);

// The grade-line rebuild. Expects PuntiLivelletta set and Progressive / QuoteTerreno holding,
// grade line after grade line, every point of every grade line (each shared end section
// twice in a row). Lays those points out in ProgressiveLiv / TerrenoLiv, then flattens the
// lists (each section once) and derives QuotaMassima (never below 0), QuotaMinima,
// QuotaRiferimento (QuotaMinima - 20) and the ground area under every grade line. Tables
// too small for the layout are grown; missing points read as 0.
void ricostruisciTabelleLivellette(Profilo& profilo);

// The per-section lists from the tables: points 1 .. n-1 of every grade line, then the last
// point of the last grade line at position NumeroSezioni (progressive, ground, design and
// red height alike).
void appiattisciLivellette(Profilo& profilo);

}  // namespace carvela
