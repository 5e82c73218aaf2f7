// carvela-cli compute and intersect: files written back, messages and exit codes.
#include <gtest/gtest.h>

#include "project/project_files.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

ClosedTraverse quadratoInGradi(std::size_t stazioni) {
    std::vector<test::Stazione> s(4, {0, 100, 100, 100, 1.5f, 1.5f});
    s[0].distanza = 100.04f;
    s.resize(stazioni);
    return test::poligonaleChiusa(s, 500, 1000, 100, 0, 0.01f, 0.01f);
}

TEST(CliRilievo, ComputeWritesTheRecordBackOrExitsWithTheMessage) {
    test::FileTemporaneo in("quadrato.plc"), corta("corta.plc");
    const std::string out = in.cartella() + "/calcolato.plc";
    ASSERT_EQ(scriviRecord(in.path(), quadratoInGradi(4), false), "");
    test::Esito e = test::cli("compute " + in.path() + " " + out + " --set AngoloPiatto=200", in);
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_NE(e.errori.find("TOLLERANZA LINARE NON RISPETTATA!"), std::string::npos);  // warned, still computed
    EXPECT_NE(e.uscita.find("P2 X=500 Y=1100.03"), std::string::npos) << e.uscita;
    ClosedTraverse letta;
    ASSERT_TRUE(leggiRecord(out, letta));
    EXPECT_NEAR(letta.Ordinata[3], 1100.019998, 2e-4);
    EXPECT_NEAR(letta.ErroreLineare, 0.04, 1e-4);

    // Two stations, a missing file, a drawing: an error exit, and nothing written.
    ASSERT_EQ(scriviRecord(corta.path(), quadratoInGradi(2), false), "");
    const std::string mai = in.cartella() + "/mai.plc";
    e = test::cli("compute " + corta.path() + " " + mai, in);
    EXPECT_NE(e.stato, 0);
    EXPECT_NE(e.errori.find("almeno tre vertici"), std::string::npos);
    for (const char* nome : {"/manca.trn", "/disegno.dxf"})
        EXPECT_NE(test::cli("compute " + in.cartella() + nome + " " + mai, in).stato, 0) << nome;
    EXPECT_FALSE(std::filesystem::exists(mai));
}

TEST(CliRilievo, IntersectPrintsCoordinatesInTheChosenUnit) {
    test::FileTemporaneo tmp("segnaposto");
    auto coordinate = [&](const std::string& argomenti, int quante) {
        const test::Esito e = test::cli("intersect " + argomenti, tmp);
        std::vector<double> v(4);
        EXPECT_EQ(e.stato, 0) << e.errori;
        EXPECT_EQ(std::sscanf(e.uscita.c_str(), "Xp = %lf\nYp = %lf\nXq = %lf\nYq = %lf", &v[0], &v[1], &v[2], &v[3]),
                  quante)
            << e.uscita;
        return v;
    };
    // A = (0, 0), B = (100, 0), half a right angle at each end: P = (50, 50); the default unit
    // is the radian.
    std::vector<double> v = coordinate("forward 0 0 100 0 50 50 --set AngoloPiatto=200", 2);
    EXPECT_NEAR(v[0], 50, 1e-4);
    EXPECT_NEAR(v[1], 50, 1e-4);
    EXPECT_NEAR(coordinate("forward 0 0 100 0 0.7853982 0.7853982", 2)[1], 50, 1e-3);
    v = coordinate("hansen 0 0 1000 0 150 55.082135 29.516724 113.920897 --set AngoloPiatto=200", 4);
    EXPECT_NEAR(v[0], 300, 2e-3);
    EXPECT_NEAR(v[3], -600, 2e-3);

    const test::Esito parallele = test::cli("intersect forward 0 0 100 0 50 150 --set AngoloPiatto=200", tmp);
    EXPECT_NE(parallele.stato, 0);
    EXPECT_NE(parallele.errori.find("parallele"), std::string::npos);
    EXPECT_EQ(test::cli("intersect pothenot 0 0 1", tmp).stato, 2);
    EXPECT_EQ(test::cli("intersect forward 0 0 100 0 50 50 --set Sconosciuta=1", tmp).stato, 2);
    EXPECT_NE(test::cli("intersect forward 0 0 100 0 abc 50", tmp).stato, 0);
}

}  // namespace
}  // namespace carvela
