#include "dxf/dxf_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using test::descrivi;
using test::dxf;
using test::FileTemporaneo;
using test::leggiDxf;
using V = std::vector<std::string>;

TEST(DxfReader, EntitiesWithTheirGroups) {
    const std::pair<const char*, V> casi[] = {
        // Each kind with the groups it takes; arc angles in radians of the single-precision pi.
        {"0 SECTION 2 ENTITIES 0 LINE 8 STRADA 62 1 10 1.5 20 -2 30 3 11 4 21 5 31 6 0 POINT 8 PUNTI 10 7 20 8 30 9 "
         "0 CIRCLE 8 0 10 1 20 2 30 0 40 2.5 0 ARC 10 0 20 0 30 0 40 1 50 90 51 180 "
         "0 TEXT 62 5 10 1 20 1 30 0 40 2 1 'QUOTA 100' 0 ENDSEC 0 EOF",
         {"LINE/STRADA c12 x1=1.5 y1=-2 z1=3 x2=4 y2=5 z2=6", "POINT/PUNTI c15 x1=7 y1=8 z1=9",
          "CIRCLE/0 c15 x1=1 y1=2 r=2.5", "ARC c15 r=1 a1=1.5708 a2=3.14159", "TEXT c9 x1=1 y1=1 r=2 'QUOTA 100'"}},
        // Flags only from a group 70 right after the 30; a vertex without one is a 3D vertex.
        {"0 POLYLINE 8 CURVE 66 1 10 0 20 0 30 100 70 8 0 VERTEX 8 CURVE 10 1 20 2 30 100 "
         "0 VERTEX 10 3 20 4 30 100 70 0 0 VERTEX 10 5 20 6 30 100 70 32 0 SEQEND 8 CURVE "
         "0 POLYLINE 10 0 20 0 30 0 0 SEQEND",
         {"POLYLINE/CURVE c15 z1=100 p8", "VERTEX/CURVE c15 x1=1 y1=2 z1=100 v32", "VERTEX c15 x1=3 y1=4 z1=100",
          "VERTEX c15 x1=5 y1=6 z1=100 v32", "SEQEND/CURVE c15", "POLYLINE c15", "SEQEND c15"}},
        // A flag too large for any integer is no flag.
        {"0 POLYLINE 10 0 20 0 30 0 70 7.8e30 0 VERTEX 10 1 20 2 30 0 70 -1e300 0 SEQEND",
         {"POLYLINE c15", "VERTEX c15 x1=1 y1=2", "SEQEND c15"}},
        // An entity missing its last group stops at the next group 0 and swallows nothing.
        {"0 LINE 10 1 20 2 11 3 21 4 0 POINT 10 5 20 6 0 CIRCLE 10 7 20 8 30 0 40 9 "
         "0 LINE 10 0 20 0 30 0 11 1 21 1 31 0",
         {"LINE c15 x1=1 y1=2 x2=3 y2=4", "POINT c15 x1=5 y1=6", "CIRCLE c15 x1=7 y1=8 r=9", "LINE c15 x2=1 y2=1"}},
        // Every group by its own code: a layer named LINE in the table, extended data and a
        // value after the group that ends a record start nothing.
        {"0 SECTION 2 TABLES 0 TABLE 2 LAYER 0 LAYER 2 LINE 70 0 62 3 0 ENDTAB 0 ENDSEC 0 SECTION 2 ENTITIES "
         "0 POINT 5 1A 330 1F 100 AcDbEntity 8 LINE 100 AcDbPoint 10 1 20 2 30 3 1001 APP 1000 LINE 0 ENDSEC",
         {"POINT/LINE c15 x1=1 y1=2 z1=3"}},
        {"", {}},
        {"0 SECTION 2 ENTITIES 0 ENDSEC", {}},
    };
    for (const auto& [testo, attese] : casi) {
        const VbArray<DxfEntity> d = leggiDxf(dxf(testo));
        EXPECT_EQ(descrivi(d), attese) << testo;
        ASSERT_GE(d.upperBound(), 0);
        EXPECT_TRUE(d[0].Nome.empty());
    }

    LimitiDxf limiti;
    VbArray<DxfEntity> d;
    convertiDxf(dxf("0 SECTION 2 HEADER 9 $LIMMIN 10 100 20 200 9 $LIMMAX 10 520 20 497"), d, limiti);
    EXPECT_EQ(descrivi(d), (V{"$LIMMIN c15 x1=100 y1=200", "$LIMMAX c15 x1=520 y1=497"}));
    ASSERT_TRUE(limiti.completi());
    EXPECT_DOUBLE_EQ(limiti.maxX, 520);
}

TEST(DxfReader, ColourNumbersAndValuesAsLeadingNumbers) {
    const std::pair<const char*, int> colori[] = {
        {"1", 12}, {"2", 14}, {"3", 10},   {"4", 11},  {"5", 9},   {"6", 5},    {"8", 8},      {"9", 7},
        {"7", 15}, {"0", 15}, {"256", 15}, {"10", 15}, {"-1", 15}, {"2.6", 10}, {"99999", 15}, {"abc", 15}};
    for (const auto& [valore, atteso] : colori)
        EXPECT_EQ(leggiDxf(dxf("0 POINT 62 " + std::string(valore) + " 10 0 20 0 30 0"))[1].Colore, atteso) << valore;

    // The comma is no decimal separator in a file; no infinity or NaN ever reaches a record.
    const std::pair<const char*, double> valori[] = {{"1.5E3", 1500}, {"-.5", -0.5}, {"+12", 12}, {"12,75", 12},
                                                     {"7abc", 7},     {"abc", 0},    {"", 0},     {"inf", 0},
                                                     {"nan", 0},      {"1e999", 0},  {"1e300", 0}};
    for (const auto& [testo, atteso] : valori) EXPECT_DOUBLE_EQ(valoreDxf(testo), atteso) << testo;
}

TEST(DxfReader, FileLimitsGoIntoTheViewAndFailuresChangeNothing) {
    FakeHost host;
    Workspace ws;
    ws.vista.scala = 2;
    FileTemporaneo file("limiti.dxf",
                        dxf("9 $LIMMIN 10 10 20 20 9 $LIMMAX 10 30 20 40 0 POINT 10 1 20 1 30 1", "\r\n"));
    ASSERT_TRUE(ReadDxf(ws, host, file.path()));
    EXPECT_EQ((std::vector<float>{ws.vista.offsetX, ws.vista.offsetY, ws.vista.angoloX2, ws.vista.angoloY2}),
              (std::vector<float>{20, -40, 60, -80}));
    EXPECT_EQ(ws.DxfDrawing.upperBound(), 3);
    EXPECT_EQ(host.didascalie, (V{"Lettura del file .DXF in corso...", "Conversione del file .DXF in corso..."}));
    EXPECT_EQ(host.attesaAperta, 0);
    EXPECT_FALSE(host.cursoreAttesaAttivo);

    // A missing file, a binary drawing, a text that is no drawing: the message, and the drawing
    // and view as they were.
    const VbArray<DxfEntity> prima = ws.DxfDrawing;
    FileTemporaneo binario("binario.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22));
    FileTemporaneo testo("note.dxf", "Quote del rilievo\n1200.5 300.2 101.3\n1210.0 305.9 101.8\n");
    FileTemporaneo vuoto("vuoto.dxf", "\n");
    const std::pair<std::string, const char*> rifiuti[] = {
        {file.cartella() + "/manca.dxf", "Errore di apertura del file!"},
        {binario.path(), "Il file è un DXF binario, formato non supportato: salvare il disegno come DXF ASCII!"},
        {testo.path(), "Il file non contiene un disegno DXF in formato testo!"},
        {vuoto.path(), "Il file non contiene un disegno DXF in formato testo!"}};
    for (const auto& [path, atteso] : rifiuti) {
        host.pulisci();
        EXPECT_FALSE(ReadDxf(ws, host, path));
        EXPECT_EQ(host.testiMessaggi(), V{atteso});
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
        for (int i = 0; i < 40000; ++i) testo += dxf("0 POINT 10 " + std::to_string(i) + ".5 20 1 30 2", fine);
        testo += test::dxfDaCoppie({{0, "TEXT"}, {1, testoLungo}, {0, "POINT"}, {10, lungo}, {20, "  5.25  "}}, fine);
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
    }
}

TEST(DxfReader, TheFileAndTheMemoryGiveTheSameEntitiesWithoutAFinalLineEnd) {
    // A last value, or a whole entity whose keyword is the last line, with no line end after it.
    for (const char* fine : {"\n", "\r\n", "\r"})
        for (auto [coda, entita, ultimo] :
             {std::tuple{"0 POINT 10 1 20 2 30 3", 1, 3.0f}, std::tuple{"0 POINT 10 1 20 2 30 3 0 POINT", 2, 3.0f},
              std::tuple{"0 LINE 10 1 20 2 11 4", 1, 4.0f}}) {
            std::string testo = dxf(coda, fine);
            testo.resize(testo.size() - std::strlen(fine));
            FileTemporaneo file("coda.dxf", testo);
            FakeHost host;
            VbArray<DxfEntity> d;
            LimitiDxf limiti;
            ASSERT_TRUE(leggiFileDxf(file.path(), d, limiti, host));
            EXPECT_EQ(descrivi(d), descrivi(leggiDxf(testo))) << coda;
            EXPECT_EQ(d.upperBound(), entita) << coda;
            EXPECT_EQ(d[1].Z1 + d[1].X2, ultimo) << coda;
        }
}

}  // namespace
}  // namespace carvela
