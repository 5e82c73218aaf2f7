#pragma once
// The grade-line layout of the longitudinal profile: the per-section lists (each section
// once) and the per-grade-line tables (each grade line's points in full, so the section
// shared by two grade lines appears in both).

namespace carvela {
struct Profilo;

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
