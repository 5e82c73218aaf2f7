#pragma once
// The logic of the section window "Caratteristiche della sezione": the list of sections,
// the four boxes, the grid of ground points, choosing a section and "&Applica".
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "project/griglia.h"

namespace carvela {
struct Workspace;
struct Sezione;
class Host;

class PaginaSezione {
public:
    // `disegna` draws a section on the canvas (the window gives the section drawing): after
    // a choice and after an apply, before any message that follows.
    PaginaSezione(Workspace& ws, Host& host, std::function<void(const Sezione&)> disegna)
        : ws_(ws), host_(host), disegna_(std::move(disegna)) {}

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
    Host& host_;
    std::function<void(const Sezione&)> disegna_;
};

}  // namespace carvela
