#pragma once
// Project records filled with non-trivial data (every array kind, position 0 used, texts
// with accents), and a scratch folder, for the file and command tests.
#include <filesystem>
#include <string>

#include "project/records.h"

namespace carvela::campioni {

Sezione sezione(int numero);
Profilo profilo();
TabellaPaleggi paleggi();
// A plan with `stazioni` stations, each with its section in SezioniApplicate.
Planimetria piano(int stazioni = 3);
FileSezioni fileSezioni(int quante = 3);
OpenTraverse poligonaleAperta();
ClosedTraverse poligonaleChiusa();
TriangulationChain triangolazione();

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class CartellaTemporanea {
public:
    CartellaTemporanea();
    ~CartellaTemporanea();
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;
    std::string file(const std::string& nome) const { return (percorso / nome).string(); }
    std::filesystem::path percorso;
};

}  // namespace carvela::campioni
