// carvela-cli road on the bundled sample and on bad input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "dxf/dxf_sample_road.h"
#include "graphics/recording_canvas.h"
#include "project/project_files.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

namespace fs = std::filesystem;

long long numeroJson(const std::string& json, const std::string& chiave) {
    std::smatch m;
    return std::regex_search(json, m, std::regex("\"" + chiave + "\": (-?[0-9]+)")) ? std::stoll(m[1]) : -1;
}

TEST(CliRoad, SampleGivesTheWholeProject) {
    ::setenv("SOURCE_DATE_EPOCH", "1767323045", 1);  // the same LandXML header in every document
    test::FileTemporaneo tmp("segnaposto");
    const std::string uscita = tmp.cartella() + "/campione";
    const std::string campione = test::fileCampione("terreno.dxf") + " " + test::fileCampione("asse.txt");
    const test::Esito e = test::cli("road " + campione + " " + uscita + " --json", tmp);
    ASSERT_EQ(e.stato, 0) << e.errori;
    for (const char* nome : {"progetto.pln", "planimetria.dxf", "profilo.dxf", "sezioni.dxf", "diagramma.dxf",
                             "volumi.txt", "planimetria.png", "profilo.png", "diagramma.png"})
        EXPECT_GT(fs::exists(uscita + "/" + nome) ? fs::file_size(uscita + "/" + nome) : 0, 100u) << nome;
    EXPECT_EQ(test::leggiFile(uscita + "/profilo.png").substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_NE(test::leggiFile(uscita + "/volumi.txt").find("Eccedenza Totale"), std::string::npos);

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
    std::size_t pezzi = 0;
    for (int32_t c = 1; c <= piano.NumeroCurveLivello; ++c) pezzi += piano.CurveLivello[c].upperBound();
    EXPECT_EQ(test::descrivi(d, "LINE/curve").size(), pezzi);

    // A layer with the entity type gives the same contours; a larger spacing fewer stations.
    const test::Esito strato = test::cli("road " + campione + " " + uscita + "2 --layer CURVE_LIVELLO --json", tmp);
    ASSERT_EQ(strato.stato, 0) << strato.errori;
    EXPECT_EQ(numeroJson(strato.uscita, "stazioni"), stazioni);
    const test::Esito rade =
        test::cli("road " + campione + " " + uscita + "3 --set DistazaMinimaSezioni=25 --json", tmp);
    ASSERT_EQ(rade.stato, 0) << rade.errori;
    EXPECT_LT(numeroJson(rade.uscita, "stazioni"), stazioni);

    // The axis exported as LandXML and read back gives the same project and document; so does
    // the document written from the project file.
    const std::string terreno = test::fileCampione("terreno.dxf"), b = tmp.cartella() + "/b";
    const test::Esito x = test::cli("road " + terreno + " --axis-landxml " + uscita + "/progetto.xml " + b, tmp);
    ASSERT_EQ(x.stato, 0) << x.errori;
    const std::string xml = test::leggiFile(uscita + "/progetto.xml");
    EXPECT_NE(xml.find("date=\"2026-01-02\" time=\"03:04:05\""), std::string::npos);
    EXPECT_EQ(test::leggiFile(b + "/progetto.xml"), xml);
    EXPECT_EQ(test::leggiFile(b + "/progetto.pln"), test::leggiFile(uscita + "/progetto.pln"));
    ASSERT_EQ(test::cli("landxml " + uscita + "/progetto.pln " + tmp.cartella() + "/c.xml", tmp).stato, 0);
    EXPECT_EQ(test::leggiFile(tmp.cartella() + "/c.xml"), xml);
    const test::Esito rotto = test::cli("road " + terreno + " --axis-landxml " + terreno + " " + b, tmp);
    EXPECT_EQ(rotto.stato, 1);
    EXPECT_NE(rotto.errori.find("non è un documento XML corretto"), std::string::npos) << rotto.errori;
    ::unsetenv("SOURCE_DATE_EPOCH");
}

TEST(CliRoad, TheSampleInNationalCoordinatesGivesTheSameRoad) {
    test::FileTemporaneo tmp("segnaposto");
    const std::string locale = test::fileCampione("terreno.dxf") + " " + test::fileCampione("asse.txt");
    const std::string utm = test::fileCampione("terreno_utm.dxf") + " " + test::fileCampione("asse_utm.txt");
    const test::Esito a = test::cli("road " + locale + " " + tmp.cartella() + "/a --json", tmp);
    const test::Esito b = test::cli("road " + utm + " " + tmp.cartella() + "/b --json", tmp);
    ASSERT_EQ(a.stato, 0) << a.errori;
    ASSERT_EQ(b.stato, 0) << b.errori;
    EXPECT_EQ(numeroJson(b.uscita, "stazioni"), numeroJson(a.uscita, "stazioni"));
    EXPECT_EQ(numeroJson(b.uscita, "curve"), 53);
    EXPECT_EQ(numeroJson(b.uscita, "LWPOLYLINE"), 53);
    EXPECT_EQ(numeroJson(b.uscita, "est"), 488000);
    EXPECT_EQ(numeroJson(b.uscita, "nord"), 4632000);
    EXPECT_EQ(numeroJson(a.uscita, "est"), 0);
    // The summary says what was recognised and where the records lie.
    const test::Esito t = test::cli("road " + utm + " " + tmp.cartella() + "/c", tmp);
    EXPECT_NE(t.uscita.find("Entità del disegno: LWPOLYLINE 53, TEXT 10, POINT 5\n"
                            "Curve di livello ricavate: 53, con 1433 vertici, quote da 108,00 a 168,00\n"
                            "Scartate: nessuna\n"
                            "Origine delle coordinate: E=488000 N=4632000\n"),
              std::string::npos)
        << t.uscita;
}

TEST(CliRoad, FailuresSayWhyAndExitNonZero) {
    test::FileTemporaneo tmp("asse_errato.txt", "100 200\n300,5 abc\n"),
        corto("corto.txt", "# un vertice\n5100;3100\n");
    const std::string terreno = test::fileCampione("terreno.dxf") + " ", asse = test::fileCampione("asse.txt") + " ";
    const std::string uscita = tmp.cartella() + "/uscita";
    const std::pair<std::string, std::string> errori[] = {
        {tmp.cartella() + "/manca.dxf " + asse + uscita, "Errore di apertura del file!"},
        {terreno + tmp.path() + " " + uscita, "riga 2"},
        {terreno + asse + uscita + " --entities LINE", "Nessuna curva di livello ricavata dalle entità selezionate!"},
        {terreno + corto.path() + " " + uscita, "Non è presente la poligonale d'asse!"},
    };
    for (const auto& [argomenti, messaggio] : errori) {
        const test::Esito e = test::cli("road " + argomenti, tmp);
        EXPECT_EQ(e.stato, 1) << argomenti;
        EXPECT_NE(e.errori.find(messaggio), std::string::npos) << e.errori;
    }
    EXPECT_FALSE(fs::exists(uscita + "/progetto.pln"));
    // Usage errors.
    for (const std::string& argomenti : {terreno + asse + uscita + " --set Inesistente=1",
                                         terreno + asse + uscita + " --entities ARC", terreno + asse})
        EXPECT_EQ(test::cli("road " + argomenti, tmp).stato, 2) << argomenti;
}

}  // namespace
}  // namespace carvela
