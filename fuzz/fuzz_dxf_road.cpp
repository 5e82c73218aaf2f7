// The road chain fed by a drawing: the contour lines of an arbitrary DXF, an axis across
// their extent, the road computation. No crash, no hang, and no number that is not finite
// in the plan, the sections, the profile or the volume table.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "fuzz_support.h"
#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "state/silent_host.h"
#include "state/workspace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace carvela;
    if (size < 1) return 0;
    Workspace ws;
    HostMuto host;
    RecordingCanvas canvas(400, 300);
    LimitiDxf limiti;
    convertiDxf(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), ws.DxfDrawing, limiti);
    ws.TipoDocumento = kDocDxf;

    SceltaDxf scelta;
    scelta.progetto = TipoProgettoDxf::PianoQuotato;
    scelta.modo = ModoSelezioneDxf::Entita;
    scelta.tipo = data[0] & 1 ? "LINE" : "POLYLINE";
    scelta.curveDaPolilinee = (data[0] & 2) != 0;
    if (!convertiProgettoDxf(ws, canvas, host, scelta)) return 0;

    // The axis: the diagonal of the contour lines' extent, bent at its middle.
    Planimetria& piano = ws.Piano;
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool primo = true;
    for (const auto& curva : piano.CurveLivello.raw())
        for (const ContourSegment& s : curva.raw()) {
            for (auto [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}}) {
                x0 = primo ? x : std::min(x0, x), y0 = primo ? y : std::min(y0, y);
                x1 = primo ? x : std::max(x1, x), y1 = primo ? y : std::max(y1, y);
                primo = false;
            }
        }
    if (primo) return 0;
    const float xm = x0 + (x1 - x0) * 0.5f, ym = y0 + (y1 - y0) * 0.25f;
    piano.VerticiAsse.redim(3);
    piano.VerticiAsse[1] = {x0, y0, 0};
    piano.VerticiAsse[2] = {xm, ym, 0};
    piano.VerticiAsse[3] = {x1, y1, 0};
    piano.AsseTracciato = piano.VerticiAsse;
    piano.NumeroPuntiAsse = 3;
    if (data[0] & 4) ws.impostazioni.DistazaMinimaSezioni = 1;

    calcolaTracciato(ws, canvas, host);
    fuzz::controllaFinito("planimetria", ws.Piano);
    fuzz::controllaFinito("profilo", ws.Profilo);
    fuzz::controllaFinito("paleggi", ws.Paleggi);
    for (Sezione& s : ws.Sezioni.raw()) fuzz::controllaFinito("sezione", s);
    return 0;
}
