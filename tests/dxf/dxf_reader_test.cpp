// DXF text read into entities, from memory and from files; the entities drawn; the import
// command and its zoom.
#include "dxf/dxf_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_drawing.h"
#include "graphics/recording_canvas.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using Op = OperazioneCanvas;
using test::descrivi;
using test::dxf;
using test::FileTemporaneo;
using test::leggiDxf;
using test::tracciato;
using V = std::vector<std::string>;

TEST(DxfReader, EntitiesWithTheirGroups) {
    for (const test::Caso& c : test::leggiCasi("dxf_read.txt")) {
        const VbArray<DxfEntity> d = leggiDxf(dxf(c.campi[0]));
        EXPECT_EQ(descrivi(d), c.lista(1)) << "dxf_read.txt:" << c.riga;
        ASSERT_GE(d.upperBound(), 0);
        EXPECT_TRUE(d[0].Nome.empty());
    }
    // The records of a polyline share their name and layer texts, read or made.
    for (const char* flag : {"8", "0"}) {
        const VbArray<DxfEntity> p =
            leggiDxf(dxf(std::string("0 POLYLINE 8 CURVE 66 1 30 5 70 ") + flag +
                         " 0 VERTEX 8 CURVE 10 1 20 2 30 5 0 VERTEX 8 CURVE 10 3 20 4 30 5 0 SEQEND"));
        ASSERT_EQ(p.upperBound(), 4) << flag;
        EXPECT_TRUE(p[2].Nome.stessoBlocco(p[3].Nome) && p[1].Layer.stessoBlocco(p[3].Layer)) << flag;
    }

    LimitiDxf limiti;
    VbArray<DxfEntity> d;
    convertiDxf(dxf("0 SECTION 2 HEADER 9 $LIMMIN 10 100 20 200 9 $LIMMAX 10 520 20 497"), d, limiti);
    ASSERT_TRUE(limiti.completi());
    EXPECT_DOUBLE_EQ(limiti.maxX, 520);
}

TEST(DxfReader, ColourNumbersAndValuesAsLeadingNumbers) {
    for (const test::Caso& c : test::leggiCasi("dxf_values.txt")) {
        const double atteso = std::stod(c.campi[2]);
        if (c.nome() == "colore")
            EXPECT_EQ(leggiDxf(dxf("0 POINT 62 " + c.campi[1] + " 10 0 20 0 30 0"))[1].Colore, atteso) << c.testo;
        else
            EXPECT_DOUBLE_EQ(valoreDxf(c.campi[1]), atteso) << c.testo;
    }
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
    EXPECT_EQ(host.didascalie, V{"Lettura del file .DXF in corso..."});  // one pass reads and converts
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

TEST(DxfReader, TheFileTakesTheDrawingsOriginWhateverItsLimitsSay) {
    // Limits around the drawing, far from it, or none; an origin asked for, near or far.
    const std::string punti =
        " 0 SECTION 2 ENTITIES 0 POINT 10 2400100.125 20 4900200.375 30 1"
        " 0 LINE 10 2409000.5 20 4890000.25 11 2400000 21 4900000 0 ENDSEC 0 EOF";
    const std::string limiti[] = {
        "", "0 SECTION 2 HEADER 9 $LIMMIN 10 2399000 20 4899000 9 $LIMMAX 10 2410000 20 4901000 0 ENDSEC",
        "0 SECTION 2 HEADER 9 $LIMMIN 10 0 20 0 9 $LIMMAX 10 100 20 100 0 ENDSEC"};
    const OrigineProgetto origini[] = {{}, {2400000, 4900000}, {2404000, 4895000}};
    for (const std::string& lim : limiti)
        for (const OrigineProgetto& o : origini) {
            const std::string testo = dxf(lim + punti);
            FileTemporaneo file("origine.dxf", testo);
            FakeHost host;
            VbArray<DxfEntity> d, m;
            LimitiDxf ld, lm;
            LetturaDxf letturaFile, letturaMemoria;
            ASSERT_TRUE(leggiFileDxf(file.path(), d, ld, host, &letturaFile, &o));
            convertiDxf(testo, m, lm, nullptr, &letturaMemoria, &o);
            EXPECT_EQ(descrivi(d), descrivi(m)) << lim;
            EXPECT_EQ(letturaFile.origine, letturaMemoria.origine) << lim;
            EXPECT_EQ(std::tie(ld.minX, ld.minY, ld.maxX, ld.maxY), std::tie(lm.minX, lm.minY, lm.maxX, lm.maxY));
        }
}

TEST(DxfDrawing, EntitiesAndPolylinesOnTheCanvas) {
    for (const test::Caso& c : test::leggiCasi("dxf_draw.txt")) {
        Workspace ws;
        ws.vista.scala = std::stof(c.campi[0]);
        ws.vista.offsetX = 0;
        ws.vista.offsetY = 600;
        ws.DxfDrawing = test::leggiDxf(dxf(c.campi[1]));
        RecordingCanvas canvas(800, 600);
        FakeHost host;
        disegnaDxf(ws, canvas, host);
        EXPECT_EQ(tracciato(canvas), c.lista(2)) << "dxf_draw.txt:" << c.riga;
        EXPECT_EQ(ws.TipoDocumento, kDocDxf);
        EXPECT_EQ(canvas.operazioni.front().tipo, Op::Clear);
    }
    // Colour 0 (from records written elsewhere) is drawn white; an empty slot is ignored.
    Workspace ws;
    ws.DxfDrawing = test::leggiDxf(dxf("0 POINT 10 1 20 1 30 0"));
    ws.DxfDrawing[1].Colore = 0;
    ws.DxfDrawing.raw().emplace_back();
    RecordingCanvas canvas;
    FakeHost host;
    disegnaDxf(ws, canvas, host);
    EXPECT_EQ(ws.DxfDrawing[1].Colore, 15);
    EXPECT_EQ(canvas.di(Op::Pixel).size(), 1u);
}

TEST(DxfImport, ImportZoomsDrawsAndNamesTheFile) {
    FakeHost host;
    Workspace ws;
    RecordingCanvas canvas(800, 600);
    ws.vista.offsetY = 600;
    ws.TipoDocumento = kDocPoligonaleAperta;
    ws.PoligonaleAperta.NumeroStazioni = 3;

    comandoImportaDxf(ws, canvas, host);  // cancelled dialog: nothing happens
    EXPECT_EQ(host.titoliDialoghi, V{"Importa file di interscambio DXF"});
    EXPECT_EQ(host.filtriDialoghi, V{"File di interscambio (*.dxf) | *.DXF"});
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);

    // An unreadable file, or a drawing with nothing but its header, leaves the document shown
    // as it was and says why.
    FileTemporaneo vuoto("vuoto.dxf", dxf("9 $LIMMIN 10 0 20 0 9 $LIMMAX 10 12 20 9 0 SECTION 2 ENTITIES 0 ENDSEC"));
    const std::pair<std::string, std::string> falliti[] = {
        {"/nonexistent/carvela/disegno.dxf", "Errore di apertura del file!"},
        {vuoto.path(), "Il file DXF non contiene entità da importare!"},
    };
    for (const auto& [path, messaggio] : falliti) {
        host.pulisci();
        host.fileAperti.push_back(path);
        EXPECT_FALSE(comandoImportaDxf(ws, canvas, host));
        EXPECT_EQ(host.testiMessaggi(), V{messaggio});
        EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleAperta);
        EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);
        EXPECT_EQ(host.titoloFinestra, "Carvela");
    }

    FileTemporaneo file("rilievo.dxf", dxf("0 LINE 10 1000 20 5000 30 0 11 1100 21 5050 31 0"));
    host.pulisci();
    host.fileAperti.push_back(file.path());
    EXPECT_TRUE(comandoImportaDxf(ws, canvas, host));
    EXPECT_TRUE(host.messaggi.empty());
    EXPECT_EQ(ws.TipoDocumento, kDocDxf);
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 0);  // the traverse shown was closed
    EXPECT_EQ(ws.DxfDrawing.upperBound(), 1);
    EXPECT_EQ(host.titoloFinestra, "Carvela [ " + file.path() + " ]");
    EXPECT_FALSE(canvas.di(Op::LineTo).empty());
    // No limits in the file: the view fits the line with a margin of 5 % of its size.
    EXPECT_NEAR(ws.vista.canvasX(995), 0, 0.01);
    EXPECT_NEAR(ws.vista.canvasX(1105), 800, 0.01);
    EXPECT_NEAR(ws.vista.canvasY(5055), 0, 0.01);
    EXPECT_EQ(ws.vista.pila.size(), 1u);  // the view before the import, for "&Precedente"
}

TEST(DxfImport, ZoomOnTheLimitsOrOnTheEntities) {
    FakeHost host;
    RecordingCanvas canvas(800, 600);
    auto importa = [&](const std::string& testo, Workspace ws = {}) {
        FileTemporaneo file("limiti.dxf", dxf(testo));
        EXPECT_TRUE(importaFileDxf(ws, canvas, host, file.path()));
        return ws.vista;
    };
    const std::string linea = " 0 LINE 10 5100 20 3100 30 0 11 5200 21 3200 31 0";
    // Limits far from the origin fill the canvas: the lower-left one at its lower-left corner.
    Vista v = importa("9 $LIMMIN 10 5000 20 3000 9 $LIMMAX 10 5600 20 3400" + linea);
    EXPECT_NEAR(v.canvasX(5000), 0, 0.01);
    EXPECT_NEAR(v.canvasX(5600), 800, 0.01);
    EXPECT_NEAR(v.canvasY(3400), 0, 0.01);
    EXPECT_NEAR(v.canvasY(3000), 533.33, 0.01);
    EXPECT_FLOAT_EQ(v.scala, 800.0f / 600);

    // The limits of an empty template, nowhere near the drawing: the view fits the entities.
    v = importa("9 $LIMMIN 10 0 20 0 9 $LIMMAX 10 12 20 9" + linea);
    EXPECT_NEAR(v.canvasX(5095), 0, 0.01);
    EXPECT_NEAR(v.canvasY(3205), 0, 0.01);
    EXPECT_TRUE(host.messaggi.empty());
}

}  // namespace
}  // namespace carvela
