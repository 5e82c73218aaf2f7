#pragma once
// The cross-section solve: platform, slopes, catch points, walls, cut and fill areas.

namespace carvela {
struct Sezione;
struct Impostazioni;

void risolviSezione(Sezione& sezione, const Impostazioni& impostazioni);

}  // namespace carvela
