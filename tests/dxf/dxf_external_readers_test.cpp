// The exported drawings of every kind open in two independent DXF readers from Debian, the
// Python library ezdxf and GDAL's ogrinfo, with as many entities as the program wrote.
// Each check is skipped when its reader is not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>

#include "dxf/dxf_exports.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_sample_road.h"
#include "dxf/dxf_test_files.h"
#include "graphics/recording_canvas.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

int esegui(const std::string& comando, std::string& uscita) { return test::esegui(comando + " 2>&1", uscita); }

// The entities a reader sees at the top level: everything but vertices and sequence ends.
int entitaPrincipali(const std::string& testo) {
    VbArray<DxfEntity> d;
    LimitiDxf l;
    convertiDxf(testo, d, l);
    int n = 0;
    for (int32_t i = 1; i <= d.upperBound(); ++i)
        if (d[i].Nome == "LINE" || d[i].Nome == "CIRCLE" || d[i].Nome == "TEXT" || d[i].Nome == "POLYLINE") ++n;
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
        ASSERT_TRUE(test::calcolaCampione(ws, canvas, host)) << testoMessaggi(host);
        const Impostazioni& imp = ws.impostazioni;

        OpenTraverse aperta;
        aperta.NumeroStazioni = 3;
        for (auto* a : {&aperta.Ascissa, &aperta.Ordinata, &aperta.Quota}) a->redim(3);
        for (int i = 1; i <= 3; ++i)
            aperta.Ascissa[i] = 100.0f * i, aperta.Ordinata[i] = 50.5f * i, aperta.Quota[i] = 10;
        ClosedTraverse chiusa;
        chiusa.NumeroStazioni = 4;
        for (auto* a : {&chiusa.Ascissa, &chiusa.Ordinata, &chiusa.Quota}) a->redim(5);
        const float xs[] = {0, 0, 100, 100, 0}, ys[] = {0, 0, 0, 80, 80};
        for (int i = 1; i <= 4; ++i) chiusa.Ascissa[i] = xs[i], chiusa.Ordinata[i] = ys[i], chiusa.Quota[i] = 5;
        TriangulationChain catena;
        catena.NumeroTriangoli = 3;
        catena.X.redim(4), catena.Y.redim(4), catena.Azimut.redim(5);
        for (int v = 0; v <= 4; ++v) catena.X[v] = 40.0f * v, catena.Y[v] = v % 2 ? 35.0f : 0.0f;

        file_ = {{"pianta.dxf", esportaPianta(ws.Piano, imp)},
                 {"profilo.dxf", esportaProfilo(ws.Profilo)},
                 {"sezioni.dxf", esportaSezioni(ws.Sezioni, imp)},
                 {"diagramma.dxf", esportaDiagramma(ws.Paleggi)},
                 {"aperta.dxf", esportaPoligonaleAperta(aperta, imp)},
                 {"chiusa.dxf", esportaPoligonaleChiusa(chiusa, imp)},
                 {"triangolazione.dxf", esportaTriangolazione(catena, imp)}};
        for (const auto& [nome, testo] : file_) std::ofstream(percorso(nome), std::ios::binary) << testo;
    }
    static void TearDownTestSuite() {
        delete cartella_;
        cartella_ = nullptr;
    }
    static std::string testoMessaggi(const FakeHost& host) {
        std::string t;
        for (const auto& m : host.testiMessaggi()) t += m + "\n";
        return t;
    }
    static std::string percorso(const std::string& nome) { return cartella_->cartella() + "/" + nome; }

    static test::FileTemporaneo* cartella_;
    static std::map<std::string, std::string> file_;
};

test::FileTemporaneo* DisegniEsportati::cartella_ = nullptr;
std::map<std::string, std::string> DisegniEsportati::file_;

TEST_F(DisegniEsportati, OpenInEzdxf) {
    std::string uscita;
    if (esegui("/usr/bin/python3 -c 'import ezdxf'", uscita) != 0) GTEST_SKIP() << "python3-ezdxf non installato";
    for (const auto& [nome, testo] : file_) {
        SCOPED_TRACE(nome);
        const int stato = esegui(
            "/usr/bin/python3 -c 'import sys, ezdxf\n"
            "d = ezdxf.readfile(sys.argv[1])\n"
            "a = d.audit()\n"
            "print(len(d.modelspace()), len(a.errors))' " +
                percorso(nome),
            uscita);
        ASSERT_EQ(stato, 0) << uscita;
        EXPECT_EQ(uscita, std::to_string(entitaPrincipali(testo)) + " 0\n");
    }
}

TEST_F(DisegniEsportati, OpenInOgrinfo) {
    std::string uscita;
    if (esegui("ogrinfo --version", uscita) != 0) GTEST_SKIP() << "gdal-bin non installato";
    for (const auto& [nome, testo] : file_) {
        SCOPED_TRACE(nome);
        ASSERT_EQ(esegui("ogrinfo -ro -so -al " + percorso(nome), uscita), 0) << uscita;
        EXPECT_EQ(uscita.find("ERROR"), std::string::npos) << uscita;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(uscita, m, std::regex("Feature Count: ([0-9]+)"))) << uscita;
        EXPECT_EQ(std::stoi(m[1]), entitaPrincipali(testo));
    }
}

}  // namespace
}  // namespace carvela
