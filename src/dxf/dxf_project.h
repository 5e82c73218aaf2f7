#pragma once
// "Ricava progetto da file DXF": project data of one kind from the entities of an imported
// drawing. The window only shows the lists and options; the work is here.
#include <cstdint>
#include <string>
#include <vector>

#include "dxf/dxf_lettura.h"
#include "project/records.h"

namespace carvela {
struct Workspace;
class Host;

// Project kinds (SSOption1) and selection modes (SSOption2), in the window's order.
enum class TipoProgettoDxf { PianoQuotato, PoligonaleAperta, PoligonaleChiusa, Triangolazione, Profilo, Sezione };
enum class ModoSelezioneDxf { Colore, Layer, Entita, Tutte, Combinata };

// One item of a drop-down list: its text and the index of the entity it came from.
struct VoceDxf {
    std::string testo;
    int32_t entita = 0;
};

// Analyse: the colours (as decimal text), the layers (not empty) and the entity names (not
// the header records) of the drawing, each once, in drawing order.
struct AnalisiDxf {
    std::vector<VoceDxf> colori, layer, tipi;
};
AnalisiDxf analizzaDxf(const VbArray<DxfEntity>& disegno, Host* host = nullptr);

// What "<<  &Riconosci... >>" hands to the conversion.
struct SceltaDxf {
    TipoProgettoDxf progetto = TipoProgettoDxf::PianoQuotato;
    ModoSelezioneDxf modo = ModoSelezioneDxf::Tutte;
    uint8_t colore = 15;
    std::string layer;
    std::string tipo;               // entity name chosen in the type list ("" when the list is empty)
    bool curveDaPolilinee = false;  // "Ricava curve di livello da polilinee SPLine"
    // The caller has no further use for the imported drawing: the selection is made in its
    // place and the drawing goes, so the two never take the memory twice.
    bool rilasciaDisegno = false;
};

// Step 1: copies of the entities that pass, in drawing order, from position 1.
VbArray<DxfEntity> selezionaEntitaDxf(const VbArray<DxfEntity>& disegno, const SceltaDxf& scelta, Host* host = nullptr);
// The same selection made within the drawing itself, which it takes.
VbArray<DxfEntity> selezionaEntitaDxf(VbArray<DxfEntity>&& disegno, const SceltaDxf& scelta, Host* host = nullptr);

// Contour lines from the polylines of a selection: the segments between consecutive
// spline-fit or 3D vertices (flags 8 or 32); a polyline with flags 5 starts at its second
// vertex and closes back to it. Polylines that give no segment give no contour line.
// A polyline of no 3D form lying wholly at elevation 0 carries no elevation and gives none;
// `r`, when given, counts the polylines left out.
VbArray<VbArray<ContourSegment>> curveDaPolilinee(const VbArray<DxfEntity>& w, RiconoscimentoDxf* r = nullptr);
// Contour lines from the LINE entities of a selection: consecutive lines with the same start
// elevation form one contour line, in order, whatever their positions.
VbArray<VbArray<ContourSegment>> curveDaLinee(const VbArray<DxfEntity>& w);

// What a conversion made: nothing (refused), or the target record filled; the plan from
// points or from contour lines is told apart because its command does more afterwards.
enum class EsitoConversioneDxf { Rifiutata, Convertita, PuntiPiano, CurvePiano };

// Convert: selection, then the target record of the chosen kind; afterwards the target's
// page opens, except for the plan, which its command draws (dxf/dxf_commands.h). Refused,
// with a message and the records unchanged, when the selection does not fit the target or
// its contour lines all lie at elevation 0. What a contour conversion made goes into
// ws.RiconoscimentoDisegno.
EsitoConversioneDxf convertiDisegnoDxf(Workspace& ws, Host& host, const SceltaDxf& scelta);

// The last recognition made contour lines and the plan took them.
inline bool curveRiconosciute(const RiconoscimentoDxf& r) {
    return r.eseguito && r.curve > 0 && !(r.quotaMinima == 0 && r.quotaMassima == 0);
}

// The drawing spreads wider than its origin keeps to the millimetre.
bool disegnoOltreIlMillimetro(const LetturaDxf& lettura);

// The window's logic: lists, selected items and options.
class ModelloRicavaDxf {
public:
    // Runs Analyse on the drawing and selects the first item of each list.
    void analizza(const VbArray<DxfEntity>& disegno, Host* host = nullptr);

    const AnalisiDxf& analisi() const { return analisi_; }
    int indiceColore = -1, indiceLayer = -1, indiceTipo = -1;  // selected items, -1 none
    TipoProgettoDxf progetto = TipoProgettoDxf::PianoQuotato;
    ModoSelezioneDxf modo = ModoSelezioneDxf::Colore;
    bool curveDaPolilinee = false;

    // The choice made, read from the entities the selected items point at. False, with a
    // message, when the mode needs a list that has nothing selected.
    bool scelta(const VbArray<DxfEntity>& disegno, Host& host, SceltaDxf& out) const;

private:
    AnalisiDxf analisi_;
};

}  // namespace carvela
