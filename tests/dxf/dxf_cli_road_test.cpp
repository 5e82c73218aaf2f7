// carvela-cli road on the bundled sample and on bad input.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "dxf/dxf_reader.h"
#include "dxf/dxf_sample_road.h"
#include "dxf/dxf_test_files.h"
#include "graphics/recording_canvas.h"
#include "project/project_files.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

struct Esito {
    int stato = -1;
    std::string uscita, errori;
};

Esito road(const std::string& argomenti, const test::FileTemporaneo& cartella) {
    const std::string errori = cartella.cartella() + "/stderr.txt";
    Esito e;
    e.stato = test::esegui(std::string(CARVELA_CLI) + " road " + argomenti + " 2>" + errori, e.uscita);
    std::ifstream f(errori);
    e.errori.assign(std::istreambuf_iterator<char>(f), {});
    return e;
}

long long numeroJson(const std::string& json, const std::string& chiave) {
    std::smatch m;
    if (!std::regex_search(json, m, std::regex("\"" + chiave + "\": (-?[0-9]+)"))) return -1;
    return std::stoll(m[1]);
}

TEST(CliRoad, SampleGivesTheWholeProject) {
    test::FileTemporaneo tmp("segnaposto");
    const std::string uscita = tmp.cartella() + "/campione";
    const std::string campione = test::fileCampione("terreno.dxf") + " " + test::fileCampione("asse.txt");
    Esito e = road(campione + " " + uscita + " --json", tmp);
    ASSERT_EQ(e.stato, 0) << e.errori;

    for (const char* nome : {"progetto.pln", "planimetria.dxf", "profilo.dxf", "sezioni.dxf", "diagramma.dxf",
                             "volumi.txt", "planimetria.png", "profilo.png", "diagramma.png"}) {
        const std::string path = uscita + "/" + nome;
        ASSERT_TRUE(std::filesystem::exists(path)) << nome;
        EXPECT_GT(std::filesystem::file_size(path), 100u) << nome;
    }
    std::ifstream png(uscita + "/profilo.png", std::ios::binary);
    char firma[8] = {};
    png.read(firma, 8);
    EXPECT_EQ(std::string(firma, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    // The summary agrees with the project written, which matches the same chain run here.
    const long long stazioni = numeroJson(e.uscita, "stazioni");
    EXPECT_EQ(numeroJson(e.uscita, "sezioni_non_risolte"), 0) << e.uscita;
    Planimetria piano;
    VbArray<Sezione> sezioni;
    TabellaPaleggi paleggi;
    Profilo profilo;
    ASSERT_TRUE(leggiFilePiano(uscita + "/progetto.pln", piano, sezioni, paleggi, profilo));
    EXPECT_EQ(piano.NumeroIntersezioni, stazioni);
    EXPECT_EQ(profilo.NumeroSezioni, stazioni);
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    ASSERT_TRUE(test::calcolaCampione(ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroIntersezioni, stazioni);
    EXPECT_EQ(ws.Piano.CurveLivello, piano.CurveLivello);

    // The plan drawing gives back its contour lines: one LINE per contour piece on "curve".
    VbArray<DxfEntity> d;
    LimitiDxf limiti;
    ASSERT_TRUE(leggiFileDxf(uscita + "/planimetria.dxf", d, limiti, host));
    int32_t pezzi = 0, linee = 0;
    for (int32_t c = 1; c <= piano.NumeroCurveLivello; ++c) pezzi += piano.CurveLivello[c].upperBound();
    for (int32_t i = 1; i <= d.upperBound(); ++i) linee += d[i].Nome == "LINE" && d[i].Layer == "curve";
    EXPECT_EQ(linee, pezzi);

    // The volume table as text: a heading and one row per diagram point.
    std::ifstream volumi(uscita + "/volumi.txt");
    std::string prima;
    std::getline(volumi, prima);
    EXPECT_NE(prima.find("Eccedenza Totale"), std::string::npos);

    // A layer with the entity type gives the same contours; a larger spacing fewer stations.
    Esito strato = road(campione + " " + uscita + "2 --layer CURVE_LIVELLO --json", tmp);
    ASSERT_EQ(strato.stato, 0) << strato.errori;
    EXPECT_EQ(numeroJson(strato.uscita, "stazioni"), stazioni);
    Esito rade = road(campione + " " + uscita + "3 --set DistazaMinimaSezioni=25 --json", tmp);
    ASSERT_EQ(rade.stato, 0) << rade.errori;
    EXPECT_LT(numeroJson(rade.uscita, "stazioni"), stazioni);
}

TEST(CliRoad, FailuresSayWhyAndExitNonZero) {
    test::FileTemporaneo tmp("asse_errato.txt", "100 200\n300,5 abc\n");
    const std::string terreno = test::fileCampione("terreno.dxf"), asse = test::fileCampione("asse.txt");
    const std::string uscita = tmp.cartella() + "/uscita";

    Esito e = road(tmp.cartella() + "/manca.dxf " + asse + " " + uscita, tmp);
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.errori.find("Errore di apertura del file!"), std::string::npos) << e.errori;

    e = road(terreno + " " + tmp.path() + " " + uscita, tmp);
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.errori.find("riga 2"), std::string::npos) << e.errori;

    e = road(terreno + " " + asse + " " + uscita + " --entities LINE", tmp);
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.errori.find("Nessuna curva di livello ricavata dalle entità selezionate!"), std::string::npos);

    test::FileTemporaneo corto("corto.txt", "# un solo vertice\n5100;3100\n");
    e = road(terreno + " " + corto.path() + " " + uscita, tmp);
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.errori.find("Non è presente la poligonale d'asse!"), std::string::npos) << e.errori;
    EXPECT_FALSE(std::filesystem::exists(uscita + "/progetto.pln"));

    EXPECT_EQ(road(terreno + " " + asse + " " + uscita + " --set Inesistente=1", tmp).stato, 2);
    EXPECT_EQ(road(terreno + " " + asse + " " + uscita + " --entities ARC", tmp).stato, 2);
    EXPECT_EQ(road(terreno + " " + asse, tmp).stato, 2);
}

}  // namespace
}  // namespace carvela
