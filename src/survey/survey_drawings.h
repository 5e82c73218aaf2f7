#pragma once
// Drawings of the open and closed traverses (kinds 5 and 6) and the triangulation chain (7).
#include <string>

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void disegnaPoligonaleAperta(Workspace& ws, Canvas& canvas, Host& host);
void disegnaPoligonaleChiusa(Workspace& ws, Canvas& canvas, Host& host);
void disegnaTriangolazione(Workspace& ws, Canvas& canvas, Host& host);

// Label of traverse station i: "P" & Str(i) & "(x,y,q)" with "#.00" numbers, e.g. "P 1(12,50,3,40,100,00)".
std::string etichettaStazione(int i, double x, double y, float q);
// Label of chain vertex v: "P" & Format(v + 1, "#.00") & " (x,y)", e.g. "P1,00 (12,50,3,40)".
std::string etichettaVertice(int v, double x, double y);

}  // namespace carvela
