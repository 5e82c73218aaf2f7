#pragma once
// What the DXF reader saw in a drawing besides its entities: the counts the recognition report
// gives, the reasons a polyline gave no contour line, and the origin the records lie at. The
// state keeps the last one (memory only); the reader and its report are in dxf/.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "project/origine.h"

namespace carvela {

enum class EsitoLetturaDxf { Letto, ErroreApertura, Binario, NonDxf };

struct LetturaDxf {
    EsitoLetturaDxf esito = EsitoLetturaDxf::Letto;
    std::string versione;  // $ACADVER, "" when the header does not say
    // Entities of the drawing by type, in the order the types first appear (vertices and
    // sequence ends are parts of their polyline, not counted).
    std::vector<std::pair<std::string, int64_t>> tipi;
    int64_t entitaBlocchi = 0;  // entities of block definitions, not read
    int64_t inserimenti = 0;    // blocks placed by INSERT, not read
    // Polylines kept out of the contour lines (and the drawing), by reason.
    int64_t pocheVertici = 0;     // fewer than two vertices
    int64_t bulgeNonValido = 0;   // an arc factor that is not a finite number
    int64_t conteggioErrato = 0;  // a vertex count that disagrees with the vertices
    int64_t senzaSeqend = 0;      // a flat polyline that never ends
    int64_t gruppiNonValidi = 0;  // group-code lines that are not a number
    // The records lie relative to this origin; the extent is that of the file's coordinates.
    OrigineProgetto origine;
    bool haEstensione = false;
    double minE = 0, minN = 0, maxE = 0, maxN = 0;

    int64_t polilineeScartate() const { return pocheVertici + bulgeNonValido + conteggioErrato + senzaSeqend; }
};

// What "<<  &Riconosci... >>" made of a drawing's contour lines.
struct RiconoscimentoDxf {
    bool eseguito = false;
    int32_t curve = 0;
    int64_t vertici = 0;
    double quotaMinima = 0, quotaMassima = 0;
    int64_t senzaQuota = 0;     // polylines of a flat form at elevation 0 or without one
    int64_t senzaSegmenti = 0;  // polylines with fewer than two contour vertices
};

}  // namespace carvela
