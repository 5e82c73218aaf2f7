// Survey figures in national grid coordinates keep the millimetre: the records lie relative to
// an origin kept in their `Origine`, the pages, files and batch tool give true coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "dxf/dxf_exports.h"
#include "project/origine.h"
#include "project/project_files.h"
#include "project/vbtext.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"
#include "survey/intersection_pages.h"
#include "survey/traverse_pages.h"
#include "survey/triangulation_page.h"

namespace carvela {
namespace {

struct Punto {
    double x, y;
};

std::string testo(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9f", v);
    return buf;
}

double numero(const std::string& t) {
    double v = NAN;
    leggiNumero(t, v);
    return v;
}

// The angle turned clockwise from a -> da to a -> verso, in grads.
double orario(Punto a, Punto da, Punto verso) {
    double d = std::atan2(verso.x - a.x, verso.y - a.y) - std::atan2(da.x - a.x, da.y - a.y);
    d = std::fmod(d + 4 * M_PI, 2 * M_PI);
    return d * 200 / M_PI;
}

// The page of a figure, computed with its reference vertex at (e, n); its result grid's true
// coordinates, column by column (abscissas then ordinates, row by row).
template <class Modello, class Record>
std::vector<double> figura(Record Workspace::*record, double e, double n, Record* calcolato = nullptr) {
    Workspace ws;
    ws.impostazioni.AngoloPiatto = 200;
    FakeHost host;
    Modello m;
    m.carica(ws.*record, ws.impostazioni);
    auto riga = [&](int r, const std::vector<std::string>& celle) {
        for (int c = 1; c <= static_cast<int>(celle.size()); ++c) m.Grid1.imposta(r, c, celle[c - 1]);
    };
    int colonnaX = 4;
    if constexpr (std::is_same_v<Modello, ModelloPoligonaleChiusa>) {
        // A pentagon about 2.6 km across, with a few centimetres of closure error.
        const char* letture[][2] = {{"120,4833", "1529,706"},
                                    {"134,6672", "1627,902"},
                                    {"118,3620", "1749,286"},
                                    {"109,0334", "2061,553"},
                                    {"117,4541", "1612,452"}};
        for (int r = 1; r <= 5; ++r) riga(r, {"0", letture[r - 1][0], letture[r - 1][1], "100", "1,5", "1,5"});
        m.Text1 = {testo(e), testo(n), "100", "0,01", "0,5", "112,5666"};
    } else if constexpr (std::is_same_v<Modello, ModelloPoligonaleAperta>) {
        riga(1, {"50", "100", "1,5", "1", "1,5", "9"});
        riga(2, {"130", "98", "1,6", "0,9", "3,2", "5,5"});
        riga(3, {"260", "101", "1,6", "0,4", "2,2", "4,1"});
        m.Text1 = {testo(e), testo(n), "100", "100"};
    } else {
        for (int r = 1; r <= 3; ++r) riga(r, {"66,6667", "66,6660", "66,6671"});
        m.Text1 = {testo(e), testo(n), "30", "1500"};
        colonnaX = 3;
    }
    EXPECT_TRUE(m.applica(ws, host));
    if (calcolato) *calcolato = ws.*record;
    std::vector<double> out;
    for (int c : {colonnaX, colonnaX + 1})
        for (int r = 1; r < m.Grid2.righe() && !m.Grid2.testo(r, c).empty(); ++r)
            out.push_back(numero(m.Grid2.testo(r, c)));
    return out;
}

template <class Modello, class Record>
void confrontaSpostata(Record Workspace::*record, double dE, double dN) {
    const double e = 1000.123, n = 2000.456;
    const std::vector<double> locale = figura<Modello>(record, e, n);
    Record spostato;
    const std::vector<double> vera = figura<Modello>(record, e + dE, n + dN, &spostato);
    EXPECT_FALSE(leggiOrigine(spostato.Origine).nulla());
    ASSERT_EQ(vera.size(), locale.size());
    ASSERT_GE(locale.size(), 6u);
    for (std::size_t i = 0; i < locale.size(); ++i)
        EXPECT_NEAR(vera[i] - (i < locale.size() / 2 ? dE : dN), locale[i], 1e-3) << i;
}

// A point-location problem on the page and through the batch tool: P (and Q) within 1 mm.
void confrontaIntersezione(const std::string& tipo, const std::vector<double>& c) {
    auto P = [&](int i) { return Punto{c[2 * i], c[2 * i + 1]}; };
    const int noti = tipo == "pothenot" ? 3 : 2;
    std::vector<double> ingressi(c.begin(), c.begin() + 2 * noti), attesi(c.begin() + 2 * noti, c.end());
    TipoIntersezione t = TipoIntersezione::Avanti;
    std::vector<int> caselle = {0, 1, 2, 3, 4, 5};  // the page's boxes in the batch tool's order
    if (tipo == "forward") {
        ingressi.insert(ingressi.end(), {orario(P(0), P(2), P(1)), orario(P(1), P(0), P(2))});
    } else if (tipo == "pothenot") {
        t = TipoIntersezione::Potheno, caselle = {0, 1, 2, 3, 8, 9, 4, 5};
        ingressi.insert(ingressi.end(), {orario(P(3), P(0), P(1)), orario(P(3), P(1), P(2))});
    } else {
        t = TipoIntersezione::Hansen, caselle = {0, 1, 2, 3, 4, 8, 5, 9};
        ingressi.insert(ingressi.end(), {orario(P(2), P(0), P(3)), orario(P(2), P(1), P(3)), orario(P(3), P(2), P(0)),
                                         orario(P(3), P(2), P(1))});
    }
    ModelloIntersezione m(t);
    std::string argomenti = "intersect " + tipo;
    for (std::size_t i = 0; i < ingressi.size(); ++i) {
        m.Text1[caselle[i]] = testo(ingressi[i]);
        argomenti += " " + testo(ingressi[i]);
    }
    FakeHost host;
    ASSERT_TRUE(m.calcola(200, host));
    test::FileTemporaneo tmp("vuoto.txt");
    const test::Esito e = test::cli(argomenti + " --set AngoloPiatto=200", tmp);
    ASSERT_EQ(e.stato, 0) << e.errori;
    std::istringstream uscita(e.uscita);
    for (std::size_t i = 0; i < attesi.size(); ++i) {
        EXPECT_NEAR(numero(m.Text1[m.caselleRisultato()[i]]), attesi[i], 1e-3) << i;
        std::string nome, uguale;
        double v = NAN;
        uscita >> nome >> uguale >> v;
        EXPECT_NEAR(v, attesi[i], 1e-3) << nome;
    }
}

TEST(OrigineRilievo, CasiTabellati) {
    for (const test::Caso& c : test::leggiCasi("survey_origin.txt")) {
        SCOPED_TRACE(c.testo);
        const std::vector<double> n = c.numeri(1);
        if (c.nome() == "closed")
            confrontaSpostata<ModelloPoligonaleChiusa>(&Workspace::PoligonaleChiusa, n[0], n[1]);
        else if (c.nome() == "open")
            confrontaSpostata<ModelloPoligonaleAperta>(&Workspace::PoligonaleAperta, n[0], n[1]);
        else if (c.nome() == "chain")
            confrontaSpostata<ModelloTriangolazione>(&Workspace::Triangolazione, n[0], n[1]);
        else
            confrontaIntersezione(c.nome(), n);
    }
}

TEST(OrigineRilievo, FileKeepsTheOriginAndShowsTrueCoordinates) {
    ClosedTraverse p;
    const std::vector<double> vera =
        figura<ModelloPoligonaleChiusa>(&Workspace::PoligonaleChiusa, 2401000.123, 4902000.456, &p);
    EXPECT_EQ(p.Origine, "E=2401000 N=4902000");
    EXPECT_NEAR(p.Ascissa[1], 0.123, 1e-6);

    test::FileTemporaneo file("rilievo.plc");
    ASSERT_EQ(scriviRecord(file.path(), p, false), "");
    ClosedTraverse letta;
    ASSERT_TRUE(leggiRecord(file.path(), letta));
    EXPECT_EQ(letta.Origine, p.Origine);
    EXPECT_EQ(letta.Ascissa, p.Ascissa);
    EXPECT_EQ(letta.Ordinata, p.Ordinata);

    // Opened again: the page shows the true coordinates, boxes included.
    ModelloPoligonaleChiusa m;
    m.carica(letta, Impostazioni{});
    EXPECT_EQ(m.Text1[0], "2401000,123");
    EXPECT_EQ(m.Text1[1], "4902000,456");
    EXPECT_NEAR(numero(m.Grid2.testo(3, 4)), vera[2], 1e-9);

    // The batch tool computes the file again and prints the true coordinates.
    const test::Esito e =
        test::cli("compute " + file.path() + " " + file.cartella() + "/di_nuovo.plc --set AngoloPiatto=200", file);
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_NE(e.uscita.find("P1 X=2401000.1230 Y=4902000.4560"), std::string::npos) << e.uscita;
    char atteso[64];
    std::snprintf(atteso, sizeof atteso, "P3 X=%.4f", vera[2]);
    EXPECT_NE(e.uscita.find(atteso), std::string::npos) << e.uscita;
}

// The exported figures lie at the true coordinates: each LINE start (groups 10 and 20, read
// as text, since single precision cannot hold them) within 1 mm of the page's result, the
// labels true too; read back near the survey's origin, the records come back unchanged.
TEST(OrigineRilievo, ExportedDrawingsLieAtTheTrueCoordinates) {
    auto inizi = [](const std::string& dxf, std::vector<std::string>* testi) {
        std::istringstream righe(dxf);
        std::string codice, valore, entita;
        std::vector<double> xy;
        while (std::getline(righe, codice) && std::getline(righe, valore)) {
            valore = valore.substr(0, valore.find('\r'));
            const int c = std::stoi(codice);
            if (c == 0) entita = valore;
            if (entita == "LINE" && (c == 10 || c == 20)) xy.push_back(std::stod(valore));
            if (entita == "TEXT" && c == 1) testi->push_back(valore);
        }
        return xy;
    };
    ClosedTraverse chiusa;
    const std::vector<double> vera =
        figura<ModelloPoligonaleChiusa>(&Workspace::PoligonaleChiusa, 2401000.123, 4902000.456, &chiusa);
    std::vector<std::string> testi;
    const std::string dxf = esportaPoligonaleChiusa(chiusa, Impostazioni{});
    const std::vector<double> xy = inizi(dxf, &testi);
    const std::size_t n = vera.size() / 2;
    ASSERT_EQ(xy.size(), 2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_NEAR(xy[2 * i], vera[i], 1e-3) << i;
        EXPECT_NEAR(xy[2 * i + 1], vera[n + i], 1e-3) << i;
    }
    ASSERT_EQ(testi.size(), n);
    EXPECT_EQ(testi[0], "P 1( 2401000.12, 4902000.45, 100)");

    VbArray<DxfEntity> d;
    LimitiDxf limiti;
    LetturaDxf lettura;
    const OrigineProgetto o = leggiOrigine(chiusa.Origine);
    convertiDxf(dxf, d, limiti, nullptr, &lettura, &o);
    ASSERT_EQ(lettura.origine, o);
    for (int32_t i = 1, k = 1; i <= d.upperBound(); ++i)
        if (d[i].Nome == "LINE") {
            EXPECT_EQ(d[i].X1, chiusa.Ascissa[k]) << k;
            EXPECT_EQ(d[i].Y1, chiusa.Ordinata[k++]) << k;
        }

    TriangulationChain catena;
    const std::vector<double> vertici =
        figura<ModelloTriangolazione>(&Workspace::Triangolazione, 400100.5, 4600200.25, &catena);
    testi.clear();
    const std::vector<double> lati = inizi(esportaTriangolazione(catena, Impostazioni{}), &testi);
    // The chain path runs from vertex 0 to the last; the page lists the last vertex first.
    const std::size_t m = vertici.size() / 2;
    ASSERT_GE(lati.size(), 2 * (m - 1));
    for (std::size_t v = 0; v + 1 < m; ++v) {
        EXPECT_NEAR(lati[2 * v], vertici[v + 1], 1e-3) << v;
        EXPECT_NEAR(lati[2 * v + 1], vertici[m + v + 1], 1e-3) << v;
    }
    EXPECT_EQ(testi[0], "P 1 ( 400100.5, 4600200.25)");
}

}  // namespace
}  // namespace carvela
