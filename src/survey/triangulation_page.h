#pragma once
// The logic of the page "Triangolazioni" (InsertPoligoTriangolaz) on plain grids and box texts.
#include <array>
#include <functional>
#include <string>

#include "project/griglia.h"
#include "project/records.h"

namespace carvela {
struct Workspace;
struct Impostazioni;
class Host;

class ModelloTriangolazione {
public:
    static constexpr const char* kTitolo = "Triangolazioni";
    static constexpr int kCaselle = 4;
    static const std::array<const char*, kCaselle> kEtichette;
    // Only the three angle columns are typed into; the error column is the computation's.
    static constexpr int kUltimaColonnaDigitabile = 3;

    Griglia Grid1;  // the angles of each triangle and its error
    Griglia Grid2;  // the vertices: azimuth and length of their side, coordinates
    std::array<std::string, kCaselle> Text1;
    // The box a "Tipo di dati non corretto!" of the last Read refers to, -1 for none (noted
    // by the const Read, hence mutable).
    mutable int casellaErrata = -1;

    void carica(const TriangulationChain& c, const Impostazioni& impostazioni);
    // The angles and boxes read into `c` (false, message shown, when they cannot be read).
    bool Read(TriangulationChain& c, Host& host) const;
    void Show(const TriangulationChain& c);
    bool applica(Workspace& ws, Host& host);
    void esporta(Host& host, const std::function<void(bool)>& mostraPagina = {}) const;
};

}  // namespace carvela
