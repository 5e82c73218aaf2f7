#pragma once
// The DXF reader: the group-code pairs of an ASCII drawing-exchange file (releases 12 to 2018)
// into a flat list of DxfEntity records. It follows the sections, so header variables, tables,
// classes, objects and block definitions never become drawing entities. Flat polylines
// (LWPOLYLINE, 2D POLYLINE) become the records of a 3D polyline at their elevation, so every
// user of the list sees one polyline form.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dxf/dxf_lettura.h"
#include "project/records.h"

namespace carvela {
struct Workspace;
class Host;

// The drawing limits of the file header ($LIMMIN, $LIMMAX), in drawing units.
struct LimitiDxf {
    bool haMinX = false, haMinY = false, haMaxX = false, haMaxY = false;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;

    bool completi() const { return haMinX && haMinY && haMaxX && haMaxY; }
};

// DXF colour number (group 62) to palette index: 1 12, 2 14, 3 10, 4 11, 5 9, 6 5, 8 8, 9 7;
// anything else, 0, 7 and 256 included, gives 15.
uint8_t colorePaletteDaDxf(int numero);

// The leading number of a value line, read the same whatever the locale; 0 when there is
// none or it does not fit a single-precision value.
double valoreDxf(std::string_view testo);

// The points strictly between (x1, y1) and (x2, y2) of the arc of factor `bulge` (the tangent
// of a quarter of its angle, positive counter-clockwise), so that the chords stay within `toll`.
void puntiArco(double x1, double y1, double x2, double y2, double bulge, double toll,
               std::vector<std::pair<double, double>>& punti);

// Conversion of text already in memory: `disegno` becomes one empty slot followed by the
// entities in file order. With `lettura`, what was seen is told there and the records lie
// relative to an origin near the drawing (the `preferita` one when the drawing lies within
// its reach); without it, at origin 0.
void convertiDxf(std::string_view testo, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host* host = nullptr,
                 LetturaDxf* lettura = nullptr, const OrigineProgetto* preferita = nullptr);

// Reads and converts a file, with the progress window. Returns false, leaving `disegno` and
// `limiti` untouched, when the file cannot be opened or read, is a binary drawing or no
// drawing at all (`lettura->esito` says which); the caller says so.
bool leggiFileDxf(const std::string& path, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host& host,
                  LetturaDxf* lettura = nullptr, const OrigineProgetto* preferita = nullptr);

// The message of a read that failed.
const char* messaggioLetturaDxf(EsitoLetturaDxf esito);

// ReadDxf: the file into ws.DxfDrawing and its limits into the view (the first window corner
// in the view offsets, the second in vista.angoloX2/angoloY2, both times the view scale).
// When the file cannot be read: its message (messaggioLetturaDxf) and nothing changes. The
// records lie relative to the plan's origin when the drawing is within its reach, otherwise to
// one near the drawing (ws.LetturaDisegno.origine).
bool ReadDxf(Workspace& ws, Host& host, const std::string& path, LimitiDxf* limitiLetti = nullptr);

}  // namespace carvela
