// The exported drawings of every kind open in two independent DXF readers from Debian, the
// Python library ezdxf and GDAL's ogrinfo, with as many entities as the program wrote.
// Each check is skipped when its reader is not installed.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "dxf/dxf_exports.h"
#include "dxf/dxf_road_exports.h"
#include "dxf/dxf_sample_road.h"
#include "graphics/recording_canvas.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using test::lista;

int esegui(const std::string& comando, std::string& uscita) { return test::esegui(comando + " 2>&1", uscita); }

// The entities a reader sees at the top level: everything but vertices and sequence ends.
int entitaPrincipali(const std::string& testo) {
    int n = 0;
    for (const std::string& e : test::descrivi(test::leggiDxf(testo)))
        n += e.rfind("VERTEX", 0) != 0 && e.rfind("SEQEND", 0) != 0;
    return n;
}

// Every kind of export, from the sample road and small survey records.
class DisegniEsportati : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cartella_ = new test::FileTemporaneo("segnaposto");
        Workspace ws;
        RecordingCanvas canvas;
        FakeHost host;
        ASSERT_TRUE(test::calcolaCampione(ws, canvas, host));
        const Impostazioni& imp = ws.impostazioni;
        OpenTraverse aperta;
        aperta.NumeroStazioni = 3;
        aperta.Ascissa = lista({100, 200, 300}), aperta.Ordinata = lista({50.5f, 101, 151.5f});
        aperta.Quota = lista({10, 10, 10});
        ClosedTraverse chiusa;
        chiusa.NumeroStazioni = 4;
        chiusa.Ascissa = lista({0, 100, 100, 0, 0}), chiusa.Ordinata = lista({0, 0, 80, 80, 0});
        chiusa.Quota = lista({5, 5, 5, 5});
        TriangulationChain catena;
        catena.NumeroTriangoli = 3;
        catena.X.assignRaw({0, 40, 80, 120, 160}), catena.Y.assignRaw({0, 35, 0, 35, 0}), catena.Azimut.redim(5);
        file_ = {{"pianta.dxf", esportaPianta(ws.Piano, imp)},
                 {"profilo.dxf", esportaProfilo(ws.Profilo)},
                 {"sezioni.dxf", esportaSezioni(ws.Sezioni, imp)},
                 {"diagramma.dxf", esportaDiagramma(ws.Paleggi)},
                 {"aperta.dxf", esportaPoligonaleAperta(aperta, imp)},
                 {"chiusa.dxf", esportaPoligonaleChiusa(chiusa, imp)},
                 {"triangolazione.dxf", esportaTriangolazione(catena, imp)}};
        for (const auto& [nome, testo] : file_) std::ofstream(percorso(nome), std::ios::binary) << testo;
    }
    static void TearDownTestSuite() { delete cartella_; }
    static std::string percorso(const std::string& nome) { return cartella_->cartella() + "/" + nome; }

    static inline test::FileTemporaneo* cartella_ = nullptr;
    static inline std::map<std::string, std::string> file_;
};

TEST_F(DisegniEsportati, OpenInEzdxf) {
    std::string uscita;
    if (esegui("/usr/bin/python3 -c 'import ezdxf'", uscita) != 0) GTEST_SKIP() << "python3-ezdxf non installato";
    for (const auto& [nome, testo] : file_) {
        const std::string script =
            "import sys, ezdxf\nd = ezdxf.readfile(sys.argv[1])\n"
            "print(len(d.modelspace()), len(d.audit().errors))";
        ASSERT_EQ(esegui("/usr/bin/python3 -c '" + script + "' " + percorso(nome), uscita), 0) << nome << uscita;
        EXPECT_EQ(uscita, std::to_string(entitaPrincipali(testo)) + " 0\n") << nome;
    }
}

TEST_F(DisegniEsportati, OpenInOgrinfo) {
    std::string uscita;
    if (esegui("ogrinfo --version", uscita) != 0) GTEST_SKIP() << "gdal-bin non installato";
    for (const auto& [nome, testo] : file_) {
        ASSERT_EQ(esegui("ogrinfo -ro -so -al " + percorso(nome), uscita), 0) << nome << uscita;
        EXPECT_EQ(uscita.find("ERROR"), std::string::npos) << uscita;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(uscita, m, std::regex("Feature Count: ([0-9]+)"))) << uscita;
        EXPECT_EQ(std::stoi(m[1]), entitaPrincipali(testo)) << nome;
    }
}

}  // namespace
}  // namespace carvela
