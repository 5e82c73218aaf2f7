#include "dxf/dxf_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "dxf/dxf_test_files.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

using test::dxfDaCoppie;
using test::FileTemporaneo;

VbArray<DxfEntity> converti(const std::string& testo, LimitiDxf* limiti = nullptr) {
    VbArray<DxfEntity> d;
    LimitiDxf l;
    convertiDxf(testo, d, l);
    if (limiti) *limiti = l;
    return d;
}

TEST(DxfReader, ReadsEachKindWithItsGroups) {
    // clang-format off
    std::string testo = dxfDaCoppie({{0, "SECTION"}, {2, "ENTITIES"},
                                     {0, "LINE"}, {8, "STRADA"}, {62, "1"}, {10, "1.5"}, {20, "-2"}, {30, "3"},
                                     {11, "4"}, {21, "5"}, {31, "6"},
                                     {0, "POINT"}, {8, "PUNTI"}, {10, "7"}, {20, "8"}, {30, "9"},
                                     {0, "CIRCLE"}, {8, "0"}, {10, "1"}, {20, "2"}, {30, "0"}, {40, "2.5"},
                                     {0, "ARC"}, {10, "0"}, {20, "0"}, {30, "0"}, {40, "1"}, {50, "90"}, {51, "180"},
                                     {0, "TEXT"}, {62, "5"}, {10, "1"}, {20, "1"}, {30, "0"}, {40, "2"},
                                     {1, "QUOTA 100"}, {0, "ENDSEC"}, {0, "EOF"}});
    // clang-format on
    VbArray<DxfEntity> d = converti(testo);
    ASSERT_EQ(d.upperBound(), 5);
    EXPECT_TRUE(d[0].Nome.empty());

    const DxfEntity& l = d[1];
    EXPECT_EQ(l.Nome, "LINE");
    EXPECT_EQ(l.Layer, "STRADA");
    EXPECT_EQ(l.Colore, 12);
    EXPECT_FLOAT_EQ(l.X1, 1.5f);
    EXPECT_FLOAT_EQ(l.Y1, -2.0f);
    EXPECT_FLOAT_EQ(l.Z2, 6.0f);
    EXPECT_EQ(d[2].Nome, "POINT");
    EXPECT_FLOAT_EQ(d[2].Z1, 9.0f);
    EXPECT_EQ(d[2].Colore, 15);
    EXPECT_FLOAT_EQ(d[3].R, 2.5f);
    EXPECT_FLOAT_EQ(d[4].AngoloIniziale, static_cast<float>(90 * 2 * 3.1415929794311523 / 360));
    EXPECT_FLOAT_EQ(d[4].AngoloFinale, static_cast<float>(180 * 2 * 3.1415929794311523 / 360));
    EXPECT_EQ(d[5].Testo, "QUOTA 100");
    EXPECT_EQ(d[5].Colore, 9);
}

TEST(DxfReader, ColourNumbersMapToThePalette) {
    // clang-format off
    const std::pair<const char*, int> casi[] = {{"1", 12}, {"2", 14},  {"3", 10},  {"4", 11}, {"5", 9},
                                                {"6", 5},  {"8", 8},   {"9", 7},   {"7", 15}, {"0", 15},
                                                {"256", 15}, {"10", 15}, {"-1", 15}, {"2.6", 10}, {"99999", 15},
                                                {"abc", 15}};
    // clang-format on
    for (const auto& [valore, atteso] : casi) {
        VbArray<DxfEntity> d = converti(dxfDaCoppie({{0, "POINT"}, {62, valore}, {10, "0"}, {20, "0"}, {30, "0"}}));
        ASSERT_EQ(d.upperBound(), 1);
        EXPECT_EQ(d[1].Colore, atteso) << "62 = " << valore;
    }
}

TEST(DxfReader, NumbersAreReadLikeLeadingNumbers) {
    EXPECT_DOUBLE_EQ(valoreDxf("1.5E3"), 1500);
    EXPECT_DOUBLE_EQ(valoreDxf("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(valoreDxf("+12"), 12);
    EXPECT_DOUBLE_EQ(valoreDxf("12,75"), 12);  // the comma is no decimal separator in a file
    EXPECT_DOUBLE_EQ(valoreDxf("7abc"), 7);
    EXPECT_DOUBLE_EQ(valoreDxf("abc"), 0);
    EXPECT_DOUBLE_EQ(valoreDxf(""), 0);
    EXPECT_DOUBLE_EQ(valoreDxf("inf"), 0);
    EXPECT_DOUBLE_EQ(valoreDxf("nan"), 0);
    EXPECT_DOUBLE_EQ(valoreDxf("1e999"), 0);
    EXPECT_DOUBLE_EQ(valoreDxf("1e300"), 0);  // no single-precision value: never an infinity in a record
}

TEST(DxfReader, PolylineAndVertexFlags) {
    // clang-format off
    std::string testo = dxfDaCoppie({{0, "POLYLINE"}, {8, "CURVE"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, "100"},
                                     {70, "8"},
                                     {0, "VERTEX"}, {8, "CURVE"}, {10, "1"}, {20, "2"}, {30, "100"},
                                     {0, "VERTEX"}, {8, "CURVE"}, {10, "3"}, {20, "4"}, {30, "100"}, {70, "0"},
                                     {0, "VERTEX"}, {8, "CURVE"}, {10, "5"}, {20, "6"}, {30, "100"}, {70, "32"},
                                     {0, "SEQEND"}, {8, "CURVE"},
                                     {0, "POLYLINE"}, {10, "0"}, {20, "0"}, {30, "0"}, {0, "SEQEND"}});
    // clang-format on
    VbArray<DxfEntity> d = converti(testo);
    ASSERT_EQ(d.upperBound(), 7);
    EXPECT_EQ(d[1].FlagPolilinea, 8);
    EXPECT_EQ(d[2].FlagVertice, 32);  // no group 70 after the 30: a 3D vertex
    EXPECT_EQ(d[3].FlagVertice, 0);
    EXPECT_EQ(d[4].FlagVertice, 32);
    EXPECT_EQ(d[5].Nome, "SEQEND");
    EXPECT_EQ(d[5].Layer, "CURVE");
    EXPECT_EQ(d[6].FlagPolilinea, 0);
    EXPECT_EQ(d[7].Nome, "SEQEND");
}

TEST(DxfReader, AMalformedEntityDoesNotSwallowTheNextOnes) {
    // A LINE without 31 and a POINT without 30: each stops at the next group 0.
    // clang-format off
    std::string testo = dxfDaCoppie({{0, "LINE"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"},
                                     {0, "POINT"}, {10, "5"}, {20, "6"},
                                     {0, "CIRCLE"}, {10, "7"}, {20, "8"}, {30, "0"}, {40, "9"},
                                     {0, "LINE"}, {10, "0"}, {20, "0"}, {30, "0"}, {11, "1"}, {21, "1"}, {31, "0"}});
    // clang-format on
    VbArray<DxfEntity> d = converti(testo);
    ASSERT_EQ(d.upperBound(), 4);
    EXPECT_EQ(d[1].Nome, "LINE");
    EXPECT_FLOAT_EQ(d[1].X2, 3);
    EXPECT_FLOAT_EQ(d[1].Y2, 4);
    EXPECT_EQ(d[2].Nome, "POINT");
    EXPECT_FLOAT_EQ(d[2].X1, 5);
    EXPECT_EQ(d[3].Nome, "CIRCLE");
    EXPECT_FLOAT_EQ(d[3].R, 9);
    EXPECT_EQ(d[4].Nome, "LINE");
}

TEST(DxfReader, KeywordsAreLookedForOnEveryLineBetweenEntities) {
    // Between entities every line is a candidate: a layer named LINE in the layer table starts
    // an entity. Inside an entity values are values: a POINT on layer LINE stays a point.
    // clang-format off
    std::string testo = dxfDaCoppie({{0, "TABLE"}, {2, "LAYER"}, {0, "LAYER"}, {2, "LINE"}, {70, "0"}, {62, "3"},
                                     {0, "ENDTAB"}, {0, "LWPOLYLINE"}, {8, "line"}, {10, "4"}, {20, "5"},
                                     {0, "POINT"}, {8, "LINE"}, {10, "1"}, {20, "2"}, {30, "3"}});
    // clang-format on
    VbArray<DxfEntity> d = converti(testo);
    ASSERT_EQ(d.upperBound(), 2);
    EXPECT_EQ(d[1].Nome, "LINE");
    EXPECT_EQ(d[1].Colore, 10);
    EXPECT_EQ(d[2].Nome, "POINT");
    EXPECT_EQ(d[2].Layer, "LINE");
    EXPECT_FLOAT_EQ(d[2].Z1, 3);
}

TEST(DxfReader, EmptyAndHeaderOnlyFiles) {
    VbArray<DxfEntity> vuoto = converti("");
    EXPECT_EQ(vuoto.upperBound(), 0);
    VbArray<DxfEntity> senzaParole = converti(dxfDaCoppie({{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}}));
    EXPECT_EQ(senzaParole.upperBound(), 0);

    LimitiDxf limiti;
    // clang-format off
    VbArray<DxfEntity> d = converti(dxfDaCoppie({{0, "SECTION"}, {2, "HEADER"}, {9, "$LIMMIN"}, {10, "100"},
                                                 {20, "200"}, {9, "$LIMMAX"}, {10, "520"}, {20, "497"}}),
                                    &limiti);
    // clang-format on
    ASSERT_EQ(d.upperBound(), 2);
    EXPECT_EQ(d[1].Nome, "$LIMMIN");
    EXPECT_FLOAT_EQ(d[1].Y1, 200);
    EXPECT_EQ(d[2].Nome, "$LIMMAX");
    ASSERT_TRUE(limiti.completi());
    EXPECT_DOUBLE_EQ(limiti.maxX, 520);
}

TEST(DxfReader, FileLimitsGoIntoTheViewAndFailuresChangeNothing) {
    FakeHost host;
    Workspace ws;
    ws.vista.scala = 2;
    // clang-format off
    FileTemporaneo file("limiti.dxf", dxfDaCoppie({{9, "$LIMMIN"}, {10, "10"}, {20, "20"}, {9, "$LIMMAX"},
                                                    {10, "30"}, {20, "40"}, {0, "POINT"}, {10, "1"}, {20, "1"},
                                                    {30, "1"}}, "\r\n"));
    // clang-format on
    ASSERT_TRUE(ReadDxf(ws, host, file.path()));
    EXPECT_FLOAT_EQ(ws.vista.offsetX, 20);
    EXPECT_FLOAT_EQ(ws.vista.offsetY, -40);
    EXPECT_FLOAT_EQ(ws.vista.angoloX2, 60);
    EXPECT_FLOAT_EQ(ws.vista.angoloY2, -80);
    EXPECT_EQ(ws.DxfDrawing.upperBound(), 3);
    EXPECT_EQ(host.didascalie,
              (std::vector<std::string>{"Lettura del file .DXF in corso...", "Conversione del file .DXF in corso..."}));
    EXPECT_EQ(host.attesaAperta, 0);
    EXPECT_FALSE(host.cursoreAttesaAttivo);

    // A missing file, and a binary drawing: the message, and the drawing and view as they were.
    const VbArray<DxfEntity> prima = ws.DxfDrawing;
    FileTemporaneo binario("binario.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22));
    for (const std::string& path : {file.cartella() + "/manca.dxf", binario.path()}) {
        host.pulisci();
        EXPECT_FALSE(ReadDxf(ws, host, path));
        EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Errore di apertura del file!"});
        EXPECT_EQ(ws.DxfDrawing, prima);
        EXPECT_FLOAT_EQ(ws.vista.offsetX, 20);
        EXPECT_EQ(host.attesaAperta, 0);
    }
}

TEST(DxfReader, LinesAreReadWholeInBlocksWhateverTheirLineEnds) {
    // Over two read blocks, with a text line longer than a block and a 25-character value (cut
    // at 20 characters it would lose its last digits), in the three line-end forms.
    const std::string testoLungo(3 << 20, 'A'), lungo = "1234567.12345678901234567";
    for (const char* fine : {"\n", "\r\n", "\r"}) {
        std::string testo = "\xEF\xBB\xBF";  // a byte-order mark is no part of the first line
        for (int i = 0; i < 40000; ++i)
            testo += dxfDaCoppie({{0, "POINT"}, {10, std::to_string(i) + ".5"}, {20, "1"}, {30, "2"}}, fine);
        // clang-format off
        testo += dxfDaCoppie({{0, "TEXT"}, {10, "0"}, {20, "0"}, {30, "0"}, {40, "1"}, {1, testoLungo},
                              {0, "POINT"}, {10, lungo}, {20, "  5.25  "}, {30, "-1"}},
                             fine);
        // clang-format on
        FileTemporaneo file("blocchi.dxf", testo);
        FakeHost host;
        VbArray<DxfEntity> d;
        LimitiDxf limiti;
        ASSERT_TRUE(leggiFileDxf(file.path(), d, limiti, host));
        ASSERT_EQ(d.upperBound(), 40002);
        for (int i = 1; i <= 40000; ++i)
            if (d[i].X1 != i - 0.5f || d[i].Z1 != 2) FAIL() << "point " << i << " read as " << d[i].X1;
        EXPECT_EQ(d[40001].Testo, testoLungo);
        EXPECT_EQ(d[40002].X1, static_cast<float>(1234567.12345678901234567));
        EXPECT_FLOAT_EQ(d[40002].Y1, 5.25f);
        EXPECT_FLOAT_EQ(d[40002].Z1, -1);
    }
}

}  // namespace
}  // namespace carvela
