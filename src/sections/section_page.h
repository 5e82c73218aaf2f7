#pragma once
// The logic of the section window "Caratteristiche della sezione": the list of sections,
// the four boxes, the grid of ground points, choosing a section and "&Applica".
#include <cstdint>
#include <string>
#include <vector>

#include "project/griglia.h"

namespace carvela {
struct Workspace;
struct Sezione;
class Canvas;
class Host;

class PaginaSezione {
public:
    PaginaSezione(Workspace& ws, Canvas& canvas, Host& host) : ws_(ws), canvas_(canvas), host_(host) {}

    struct Voce {
        std::string testo;  // "sezione " + number
        int32_t posizione;  // position of the section in Sezioni
    };

    // Opening the window: the list, and the boxes and grid of the current section.
    void apri();
    // Choosing item `voce` (0-based) of the list.
    void scegli(int voce);
    // "&Applica": true when the section was stored and solved.
    bool applica();

    std::vector<Voce> elenco;
    std::string numero, progressiva, quota, larghezza;  // the four text boxes
    Griglia griglia;                                    // "Punto n°", "Distanza dall'asse", "Quote del Terreno"
    std::string stato;                                  // a note on a section whose solve failed, else empty

private:
    void riempiElenco();
    void mostra(const Sezione& sezione);
    void dimensiona(int punti);

    Workspace& ws_;
    Canvas& canvas_;
    Host& host_;
};

}  // namespace carvela
