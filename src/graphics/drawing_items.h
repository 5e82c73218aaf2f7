#pragma once
// A drawing as a list of elements in drawing units, before it meets a surface. The profile
// and section drawings are built this way so the screen and the DXF export draw the same
// thing: the canvas renders them through the view and the stroke font, the exporter writes
// them as entities.
#include <string>
#include <vector>

namespace carvela {
struct Vista;
class Canvas;

struct ElementoDisegno {
    enum Tipo { Linea, Cerchio, Testo, Rettangolo } tipo = Linea;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends, circle centre (x1, y1), box corners
    double raggio = 0;                      // circle radius, drawing units
    int colore = 15;                        // palette index 0..15
    std::string testo;                      // text
    double altezza = 0;                     // text height, drawing units
    bool verticale = false;                 // text reading bottom to top
    std::string ruolo;                      // what the element is, for exporters ("terreno", ...)
};

using Disegno = std::vector<ElementoDisegno>;

// Draws the elements through the view transform (texts with the stroke font).
void rendiDisegno(Vista& vista, Canvas& canvas, const Disegno& disegno);

}  // namespace carvela
