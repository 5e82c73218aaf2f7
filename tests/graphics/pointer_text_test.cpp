// The coordinate label gives true coordinates, each view through the origin of the record it
// draws.
#include "graphics/pointer_text.h"

#include <gtest/gtest.h>

#include "state/workspace.h"

namespace carvela {
namespace {

TEST(PointerText, EachViewAddsTheOriginOfTheRecordItDraws) {
    Workspace ws;
    ws.vista.scala = 2, ws.vista.offsetX = 0, ws.vista.offsetY = 100;  // canvas (20, 80) is world (10, 10)
    ws.Piano.Origine = "E=400000 N=4600000";
    ws.PoligonaleAperta.Origine = "E=2400000 N=4900000";
    ws.PoligonaleChiusa.Origine = "E=1500000 N=5000000";
    const std::pair<uint8_t, const char*> casi[] = {
        {kDocPianta, "E 400010,000   N 4600010,000"},
        {kDocDxf, "E 400010,000   N 4600010,000"},
        {kDocPoligonaleAperta, "E 2400010,000   N 4900010,000"},
        {kDocPoligonaleChiusa, "E 1500010,000   N 5000010,000"},
        {kDocTriangolazione, "E 10,000   N 10,000"},  // a chain near 0 has no origin
    };
    for (const auto& [documento, atteso] : casi) {
        ws.TipoDocumento = documento;
        EXPECT_EQ(testoPuntatoreDocumento(ws, 20, 80), atteso) << int(documento);
    }
}

}  // namespace
}  // namespace carvela
