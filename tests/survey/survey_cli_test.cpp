#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "project/project_files.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

namespace fs = std::filesystem;

struct Esecuzione {
    int codice;
    std::string uscita, errori;
};

std::string leggiTutto(const fs::path& p) {
    std::ifstream f(p);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class CliRilievo : public ::testing::Test {
protected:
    void SetUp() override {
        cartella_ = fs::temp_directory_path() /
                    ("carvela_survey_cli_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(cartella_);
    }
    void TearDown() override { fs::remove_all(cartella_); }

    Esecuzione esegui(const std::string& argomenti) {
        const fs::path out = cartella_ / "out.txt", err = cartella_ / "err.txt";
        const std::string comando =
            std::string("\"") + CARVELA_CLI + "\" " + argomenti + " >\"" + out.string() + "\" 2>\"" + err.string() + "\"";
        const int stato = std::system(comando.c_str());
        return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, leggiTutto(out), leggiTutto(err)};
    }
    fs::path cartella_;
};

ClosedTraverse quadratoInGradi(int stazioni) {
    std::vector<test::Stazione> s = {{0, 100, 100.04f, 100, 1.5f, 1.5f}, {0, 100, 100, 100, 1.5f, 1.5f},
                                     {0, 100, 100, 100, 1.5f, 1.5f},     {0, 100, 100, 100, 1.5f, 1.5f}};
    s.resize(static_cast<std::size_t>(stazioni));
    return test::poligonaleChiusa(s, 500, 1000, 100, 0, 0.01f, 0.01f);
}

TEST_F(CliRilievo, ComputeClosedTraverseWritesTheRecordBack) {
    const fs::path in = cartella_ / "quadrato.plc", out = cartella_ / "calcolato.plc";
    ASSERT_EQ(scriviRecord(in.string(), quadratoInGradi(4), false), "");
    const Esecuzione e = esegui("compute \"" + in.string() + "\" \"" + out.string() + "\" --set AngoloPiatto=200");
    ASSERT_EQ(e.codice, 0) << e.errori;
    EXPECT_NE(e.errori.find("TOLLERANZA LINARE NON RISPETTATA!"), std::string::npos);  // warned, still computed
    EXPECT_NE(e.uscita.find("P2 X=500 Y=1100.03"), std::string::npos) << e.uscita;
    ClosedTraverse letta;
    ASSERT_TRUE(leggiRecord(out.string(), letta));
    EXPECT_NEAR(letta.Ordinata[3], 1100.019998, 2e-4);
    EXPECT_NEAR(letta.ErroreLineare, 0.04, 1e-4);
}

TEST_F(CliRilievo, ComputeFailuresExitWithTheMessage) {
    const fs::path in = cartella_ / "corta.plc", out = cartella_ / "mai.plc";
    ASSERT_EQ(scriviRecord(in.string(), quadratoInGradi(2), false), "");
    Esecuzione e = esegui("compute \"" + in.string() + "\" \"" + out.string() + "\"");
    EXPECT_NE(e.codice, 0);
    EXPECT_NE(e.errori.find("almeno tre vertici"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));

    e = esegui("compute \"" + (cartella_ / "manca.trn").string() + "\" \"" + out.string() + "\"");
    EXPECT_NE(e.codice, 0);
    e = esegui("compute \"" + (cartella_ / "disegno.dxf").string() + "\" \"" + out.string() + "\"");
    EXPECT_NE(e.codice, 0);
}

TEST_F(CliRilievo, IntersectPrintsCoordinatesInTheChosenUnit) {
    // A = (0, 0), B = (100, 0), half a right angle at each end: P = (50, 50).
    Esecuzione e = esegui("intersect forward 0 0 100 0 50 50 --set AngoloPiatto=200");
    ASSERT_EQ(e.codice, 0) << e.errori;
    double xp = 0, yp = 0;
    ASSERT_EQ(std::sscanf(e.uscita.c_str(), "Xp = %lf\nYp = %lf", &xp, &yp), 2) << e.uscita;
    EXPECT_NEAR(xp, 50, 1e-4);
    EXPECT_NEAR(yp, 50, 1e-4);
    // The default unit is the radian.
    e = esegui("intersect forward 0 0 100 0 0.7853982 0.7853982");
    ASSERT_EQ(e.codice, 0) << e.errori;
    ASSERT_EQ(std::sscanf(e.uscita.c_str(), "Xp = %lf\nYp = %lf", &xp, &yp), 2);
    EXPECT_NEAR(yp, 50, 1e-3);

    e = esegui("intersect hansen 0 0 1000 0 150 55.082135 29.516724 113.920897 --set AngoloPiatto=200");
    ASSERT_EQ(e.codice, 0) << e.errori;
    double xq = 0, yq = 0;
    ASSERT_EQ(std::sscanf(e.uscita.c_str(), "Xp = %lf\nYp = %lf\nXq = %lf\nYq = %lf", &xp, &yp, &xq, &yq), 4);
    EXPECT_NEAR(xp, 300, 2e-3);
    EXPECT_NEAR(yq, -600, 2e-3);

    e = esegui("intersect forward 0 0 100 0 50 150 --set AngoloPiatto=200");
    EXPECT_NE(e.codice, 0);
    EXPECT_NE(e.errori.find("parallele"), std::string::npos);
    EXPECT_EQ(esegui("intersect pothenot 0 0 1").codice, 2);
    EXPECT_EQ(esegui("intersect forward 0 0 100 0 50 50 --set Sconosciuta=1").codice, 2);
    EXPECT_NE(esegui("intersect forward 0 0 100 0 abc 50").codice, 0);
}

}  // namespace
}  // namespace carvela
