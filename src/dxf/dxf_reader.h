#pragma once
// The DXF reader: a line scanner that picks a fixed set of entity keywords and group codes
// out of an ASCII drawing-exchange file into a flat list of DxfEntity records. It is not a
// general parser: no sections, blocks, inserts, layer table or styles.
#include <string>
#include <string_view>

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

// Conversion of text already in memory: `disegno` becomes one empty slot followed by the
// entities in file order.
void convertiDxf(std::string_view testo, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host* host = nullptr);

// Reads and converts a file, with the progress window. Returns false, leaving `disegno` and
// `limiti` untouched, when the file cannot be opened or read or is a binary drawing; the
// caller says so.
bool leggiFileDxf(const std::string& path, VbArray<DxfEntity>& disegno, LimitiDxf& limiti, Host& host);

// ReadDxf: the file into ws.DxfDrawing and its limits into the view (the first window corner
// in the view offsets, the second in vista.angoloX2/angoloY2, both times the view scale).
// When the file cannot be read: "Errore di apertura del file!" and nothing changes.
bool ReadDxf(Workspace& ws, Host& host, const std::string& path, LimitiDxf* limitiLetti = nullptr);

}  // namespace carvela
