#pragma once
// The logic of the two traverse pages, "Poligonale aperta" (InsertPoligoAperta) and
// "Poligonale chiusa" (InsertPoligoChiusa), on plain grids and box texts; their windows only
// show these and forward the buttons.
#include <array>
#include <functional>
#include <string>

#include "project/griglia.h"
#include "project/records.h"

namespace carvela {
struct Workspace;
struct Impostazioni;
class Host;

class ModelloPoligonaleAperta {
public:
    static constexpr const char* kTitolo = "Poligonale aperta";
    static constexpr int kCaselle = 4;
    // Labels of the boxes Text1(0..3).
    static const std::array<const char*, kCaselle> kEtichette;

    Griglia Grid1;  // readings, one row per leg ("1-2", "2-3", ...)
    Griglia Grid2;  // results, one row per station
    std::array<std::string, kCaselle> Text1;
    // The box a "Tipo di dati non corretto!" of the last Read refers to, -1 for none (noted
    // by the const Read, hence mutable).
    mutable int casellaErrata = -1;

    // The page opening: grids sized, headed and labelled, then the record shown.
    void carica(const OpenTraverse& p, const Impostazioni& impostazioni);
    // The grids and boxes read into `p` (a station count, the readings, the reference vertex
    // and the stadia constant; computed arrays sized and cleared). False, with the message
    // shown, when a box or a cell cannot be read; `p` may then be partly written.
    bool Read(OpenTraverse& p, Host& host) const;
    void Show(const OpenTraverse& p);
    // "&Applica": unit reminder, Read, Compute and Show; the window then draws. The record and
    // the page change only when the traverse was computed (true).
    bool applica(Workspace& ws, Host& host);
    // "&Esporta TXT".
    void esporta(Host& host, const std::function<void(bool)>& mostraPagina = {}) const;
};

class ModelloPoligonaleChiusa {
public:
    static constexpr const char* kTitolo = "Poligonale chiusa";
    static constexpr int kCaselle = 6;
    static const std::array<const char*, kCaselle> kEtichette;

    Griglia Grid1;  // readings, one row per station
    Griglia Grid2;  // results
    std::array<std::string, kCaselle> Text1;
    // The box a "Tipo di dati non corretto!" of the last Read refers to, -1 for none (noted
    // by the const Read, hence mutable).
    mutable int casellaErrata = -1;
    std::string erroreAngolare;  // the label beside "Errore di chiusura angolare:"
    std::string erroreLineare;   // the label beside "Errore di chiusura lineare:"

    void carica(const ClosedTraverse& p, const Impostazioni& impostazioni);
    bool Read(ClosedTraverse& p, Host& host) const;
    void Show(const ClosedTraverse& p);
    bool applica(Workspace& ws, Host& host);
    void esporta(Host& host, const std::function<void(bool)>& mostraPagina = {}) const;
};

}  // namespace carvela
