#pragma once
// Sheets at scale: the cross-sections at 1:100 or 1:200, as many to a sheet as fit, and the
// longitudinal profile at its length and height scales over as many sheets as it needs, each
// sheet framed and with its title block. They draw the same elements as the screen
// (graphics/road_drawings.h) on a `SuperficieMm`, so the batch tool's PDF and the desktop's
// printed copy are one layout.
//
// Sheets are landscape, A3 (420 x 297 mm) or A4 (297 x 210 mm), frame 10 mm from the edge,
// title block 120 x 36 mm in the bottom-right corner of the frame.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/pdf_writer.h"
#include "project/vbarray.h"

namespace carvela {
struct Sezione;
struct Profilo;

struct OpzioniTavole {
    int32_t scalaSezioni = 200;       // 1:N; 0 = no section sheets
    int32_t scalaOrizzontale = 1000;  // profile lengths 1:N; 0 = no profile sheets
    int32_t scalaVerticale = 100;     // profile heights 1:N
    bool formatoA3 = true;
    std::string progetto;  // for the title block
    std::string data;
};

// Today's date as the title block writes it (dd/mm/yyyy, local time).
std::string dataOdierna();

struct EsitoTavole {
    std::string errore;               // empty when the sheets were drawn
    std::vector<std::string> avvisi;  // what did not fit and was cut at the frame
    int fogliSezioni = 0, fogliProfilo = 0;
};

// "200" or "1:200".
bool leggiScalaSezioni(std::string_view testo, int32_t& scala);
// "1000:100" (lengths : heights), the heights no smaller in scale than the lengths.
bool leggiScaleProfilo(std::string_view testo, int32_t& orizzontale, int32_t& verticale);

// Page geometry, millimetres from the bottom-left corner.
struct GeometriaFoglio {
    double larghezza, altezza;
    double margine = 10;                       // frame
    double cartiglioL = 120, cartiglioH = 36;  // title block
};
GeometriaFoglio geometriaFoglio(bool a3);

EsitoTavole disegnaTavole(SuperficieMm& superficie, const VbArray<Sezione>& sezioni, const Profilo& profilo,
                          const OpzioniTavole& opzioni);

}  // namespace carvela
