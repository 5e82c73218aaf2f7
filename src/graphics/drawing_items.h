#pragma once
// A drawing as a list of elements in drawing units, before it meets a surface. The profile
// and section drawings are built this way so the screen and the DXF export draw the same
// thing: the canvas renders them through the view and the stroke font, the exporter writes
// them as entities.
//
// Texts: (x1, y1) is where the text starts, the bottom-left corner of its first character.
// Horizontal text runs to the right. Vertical text reads from bottom to top, its letters
// standing to the left of x1 (a text turned a quarter turn counter-clockwise about its
// start, as a DXF TEXT rotated by 90 degrees).
//
// Roles (`ruolo`) of the profile drawing (disegnoProfilo), x = progressive, y = ten times the
// height above the datum:
//   "verticale_sezione"  the line at each section from the bottom of the bands up to the ground
//   "tacca"              the tick of each section in the partial-distance band
//   "banda"              the horizontal lines of the bands
//   "chiusura"           the closing lines of the band table and the ground at the last section
//   "terreno"            the ground line, one line per pair of sections
//   "punto_terreno"      the small circle at each ground point
//   "marca_livelletta"   the circle and the line marking the start of each grade line (and the end)
//   "linea_marche"       the horizontal line through the grade-line marks
//   "rettifili_curve"    the straights-and-curves band line with its steps over the curves
//   "ettometro"          the boxes of the hectometre band (filled)
//   "progetto"           the design line of each grade line
//   "intestazione"       the band headings
//   "numero_sezione", "progressiva", "quota_terreno", "quota_progetto", "distanza_parziale"
//                        the per-point labels of the bands
//   "quota_rossa"        the red heights over or under the design line
//   "didascalia_livelletta"  length, fall and slope of each grade line
//   "didascalia_curva"   radius, development, opening and tangent of each horizontal curve
// Roles of the section drawing (disegnoSezione), x = 256 + 10 * distance from the axis,
// y = 200 + 10 * (elevation - axis design elevation):
//   "asse"               the tick on the axis
//   "incrocio_sopra", "incrocio_sotto"  the marks where the ground crosses the platform level
//   "quota_incrocio"     the dimension line from the axis to a crossing
//   "distanza_incrocio"  the distance of the crossing from the axis
//   "terreno"            the ground line
//   "muro"               a retaining wall the solve placed at an end of the ground line
//   "piattaforma"        the platform; "cunetta" the ditch lines at an edge in cut
//   "scarpata"           the side slopes from the edges to the catch points
//   "titolo"             "SEZIONE n"
//   "quota_ciglio", "rossa_ciglio"  ground elevation and red height at each platform edge
//   "non_risolta"        the note on a section whose solve failed
//   "tabella"            the rules of the table under the section
//   "didascalia_tabella" the row captions of the table
//   "valore_terreno", "valore_progetto", "valore_distanza"  the values of the table
#include <string>
#include <vector>

namespace carvela {
struct Vista;
class Canvas;

struct ElementoDisegno {
    enum Tipo { Linea, Cerchio, Testo, Rettangolo } tipo = Linea;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends, circle centre (x1, y1), box corners, text start
    double raggio = 0;                      // circle radius, drawing units
    int colore = 15;                        // palette index 0..15
    std::string testo;                      // text
    double altezza = 0;                     // text height, drawing units
    bool verticale = false;                 // text reading bottom to top
    std::string ruolo;                      // what the element is, for exporters ("terreno", ...)
    bool pieno = false;                     // a filled box
};

using Disegno = std::vector<ElementoDisegno>;

// Draws the elements through the view transform (texts with the stroke font). Every
// point drawn widens the drawing extent.
void rendiDisegno(Vista& vista, Canvas& canvas, const Disegno& disegno);

// The drawing without the texts that would overwrite one kept before them in the same band
// or row (texts of one role): the screen and paper drawings stay legible where stations
// are centimetres apart, while the element lists themselves (and so the DXF export) keep
// every label. Positions are compared at kx, ky per unit and text sizes at kt per unit
// of height, the scales of the surface drawn on (paper draws texts larger than the lines).
Disegno senzaTestiSovrapposti(const Disegno& disegno, double kx = 1, double ky = 1, double kt = 1);

// Canvas length from the start of a vertical text to the reference point the stroke font
// takes (the font lays vertical text downwards from its last character).
double avanzamentoVerticale(const std::string& testo, double altezzaCanvas);

}  // namespace carvela
