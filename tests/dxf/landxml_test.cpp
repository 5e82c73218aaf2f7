// LandXML: the export of computed roads against the schema and against the axis records, the
// round trip through the import, the project origin and bad documents.
#include "dxf/landxml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_sample_road.h"
#include "graphics/recording_canvas.h"
#include "plan/axis.h"
#include "profile/profile_builder.h"
#include "profile/profile_solve.h"
#include "project/origine.h"
#include "project/xml.h"
#include "road/geometry.h"
#include "road/road_sample.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

const MomentoLandXml kMomento{"2026-01-02", "03:04:05"};

std::string documento(const Workspace& ws) {
    std::string d, errore;
    EXPECT_TRUE(documentoLandXml(ws.Piano, ws.impostazioni, kMomento, d, errore)) << errore;
    return d;
}

Workspace stradaDiProva(const Planimetria& terreno) {
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    ws.Piano = terreno;
    prova::impostaAsse(ws.Piano, prova::asseDiProva());
    calcolaTracciato(ws, canvas, host);
    EXPECT_GT(ws.Piano.NumeroIntersezioni, 3);
    return ws;
}

std::vector<Workspace> stradeDiProva() {
    std::vector<Workspace> strade(1);
    RecordingCanvas canvas;
    FakeHost host;
    EXPECT_TRUE(test::calcolaCampione(strade[0], canvas, host));
    strade.push_back(stradaDiProva(prova::collina()));
    strade.push_back(stradaDiProva(prova::pianoInclinato(100, 0.05, 0.08, 1)));
    return strade;
}

std::pair<double, double> nordEst(const NodoXml& e, const char* punto) {
    std::istringstream campi(e.figlio(punto)->testo);
    double n = NAN, est = NAN;
    campi >> n >> est;
    return {n, est};
}
double numero(const NodoXml& e, const char* attributo) { return std::stod(*e.attributo(attributo)); }

// What the schema cannot check: every element against the records the staking made. Returns
// the left walls met, checked as design (wall foot first) and not as ground.
int confrontaConIRecord(const Workspace& ws, const NodoXml& radice) {
    const NodoXml& asse = *radice.figlio("Alignments")->figlio("Alignment");
    const Planimetria& p = ws.Piano;
    const Profilo& pr = p.ProfiloApplicato;
    const OrigineProgetto o = leggiOrigine(p.Origine);
    const double giro = *radice.figlio("Units")->figlio("Metric")->attributo("directionUnit") == "grads" ? 400 : 360;
    int64_t sta = 0;
    int leg = 1, primoPicchetto = 2;
    for (const NodoXml& e : asse.figlio("CoordGeom")->figli) {
        SCOPED_TRACE(e.nome + " alla riga " + std::to_string(e.riga));
        EXPECT_EQ(std::llround(numero(e, "staStart") * 1e4), sta);
        sta += std::llround(numero(e, "length") * 1e4);
        const auto [n1, e1] = nordEst(e, "Start");
        const auto [n2, e2] = nordEst(e, "End");
        if (e.nome == "Line") {
            EXPECT_NEAR(numero(e, "length"), std::hypot(n2 - n1, e2 - e1), 0.001);
            const AxisPoint a = p.VerticiAsse[leg], b = p.VerticiAsse[leg + 1];
            // Direction: counter-clockwise from north; off the leg by less than a millimetre over its length.
            const double gradi = -std::atan2(double{b.x} - a.x, double{b.y} - a.y) * giro / 2 / M_PI;
            const double scarto = std::remainder(numero(e, "dir") - gradi, giro) * 2 * M_PI / giro;
            EXPECT_LT(std::fabs(scarto) * numero(e, "length"), 0.001) << scarto;
            continue;
        }
        ++leg;
        const auto [nc, ec] = nordEst(e, "Center");
        const float raggio = pr.CurvaRaggio[leg - 1];
        EXPECT_EQ(float(numero(e, "radius")), raggio);
        EXPECT_NEAR(ec - o.est, ws.CentriCurve[primoPicchetto].x, 0.001);
        EXPECT_NEAR(nc - o.nord, ws.CentriCurve[primoPicchetto].y, 0.001);
        EXPECT_NEAR(e1 - o.est, p.AsseTracciato[primoPicchetto].x, 0.001);  // the first stake
        EXPECT_NEAR(n1 - o.nord, p.AsseTracciato[primoPicchetto].y, 0.001);
        const AxisPoint a = p.VerticiAsse[leg - 1], v = p.VerticiAsse[leg], b = p.VerticiAsse[leg + 1];
        double delta =
            rilevamento(double{b.x} - v.x, double{b.y} - v.y) - rilevamento(double{v.x} - a.x, double{v.y} - a.y);
        delta = std::remainder(delta, 2 * M_PI);
        EXPECT_NEAR(numero(e, "length"), raggio * std::fabs(delta), 0.001);
        EXPECT_EQ(*e.attributo("rot"), pr.CurvaVerso[leg - 1] == "d" ? "cw" : "ccw");
        primoPicchetto += pr.CurvaPicchetti[leg - 1];
    }
    EXPECT_EQ(leg, numeroVerticiAsse(p) - 1);
    EXPECT_EQ(std::llround(numero(asse, "length") * 1e4), sta);

    int sezioni = 0, muri = 0;
    for (const NodoXml& s : asse.figlio("CrossSects")->figli) {
        const Sezione* r = nullptr;
        for (int32_t i = 1; i <= p.SezioniApplicate.upperBound() && !r; ++i)
            if (std::fabs(p.SezioniApplicate[i].Progressiva - numero(s, "sta")) < 1e-4) r = &p.SezioniApplicate[i];
        if (!r) {
            ADD_FAILURE() << "nessuna sezione alla progressiva " << *s.attributo("sta");
            continue;
        }
        EXPECT_NEAR(numero(s, "areaCut"), r->AreaSterro, 1e-4);
        EXPECT_NEAR(numero(s, "areaFill"), -r->AreaRiporto, 1e-4);
        ++sezioni;
        const VbArray<float>&x = r->DistanzeTerreno, &z = r->QuoteTerreno;
        if (r->NumeroPunti >= 3 && x[1] == x[2] && r->XPiedeSinistro == x[1] && r->ZPiedeSinistro == z[1]) {
            ++muri;
            std::istringstream terreno(s.figlio("CrossSectSurf")->figlio("PntList2D")->testo);
            std::istringstream piede(s.figlio("DesignCrossSectSurf")->figli.at(0).testo);
            double xt, zt, xp, zp;
            terreno >> xt >> zt;
            piede >> xp >> zp;
            EXPECT_EQ(std::make_pair(xt, zt), std::make_pair(xp, zp));
            EXPECT_NEAR(xp, x[2], 1e-4);
            EXPECT_NEAR(zp, z[2], 1e-4);
        }
    }
    EXPECT_GE(sezioni, p.NumeroIntersezioni - 2);
    return muri;
}

TEST(LandXml, ExportValidatesAgreesWithTheRecordsAndComesBackTheSame) {
    const bool xmllint = std::system("xmllint --version >/dev/null 2>&1") == 0;
    if (!xmllint) std::cerr << "NOTA: xmllint assente (pacchetto libxml2-utils): validazione saltata.\n";
    test::FileTemporaneo tmp("progetto.xml");
    int muri = 0;
    for (const Workspace& strada : stradeDiProva()) {
        for (const char* origine : {"", "E=2400000 N=4900000"}) {
            Workspace prima = strada;
            prima.Piano.Origine = origine;
            prima.impostazioni.AngoloPiatto = *origine ? 200 : 180;
            const std::string d = documento(prima);
            NodoXml radice;
            std::string errore;
            ASSERT_TRUE(leggiXml(d, radice, errore)) << errore;
            EXPECT_NE(d.find(*origine ? "angularUnit=\"grads\"" : "angularUnit=\"decimal degrees\""),
                      std::string::npos);
            muri += confrontaConIRecord(prima, radice);
            if (xmllint) {
                std::ofstream(tmp.path(), std::ios::binary | std::ios::trunc) << d;
                const std::string schema = std::string(CARVELA_SOURCE_DIR) + "/tests/data/LandXML-1.2.xsd";
                std::string uscita;
                EXPECT_EQ(test::esegui("xmllint --noout --schema '" + schema + "' '" + tmp.path() + "' 2>&1", uscita),
                          0)
                    << uscita;
            }
            AsseLandXml asse;
            ASSERT_TRUE(leggiAsseLandXml(d, asse, errore)) << errore;

            // Into the same plan with the axis gone: the same road is computed again.
            Workspace dopo;
            dopo.impostazioni = prima.impostazioni;
            dopo.Piano.Origine = origine;
            dopo.Piano.NumeroCurveLivello = strada.Piano.NumeroCurveLivello;
            dopo.Piano.CurveLivello = strada.Piano.CurveLivello;
            RecordingCanvas canvas;
            FakeHost host;
            applicaAsseLandXml(dopo, asse);
            calcolaTracciato(dopo, canvas, host);
            EXPECT_EQ(dopo.Piano.VerticiAsse, prima.Piano.VerticiAsse);
            EXPECT_EQ(dopo.Profilo.CurvaRaggio, prima.Profilo.CurvaRaggio);
            EXPECT_EQ(dopo.Piano.SezioniApplicate, prima.Piano.SezioniApplicate);
            EXPECT_EQ(documento(dopo), d);

            // Into an empty plan: true coordinates kept through an origin of its own.
            Workspace vuoto;
            applicaAsseLandXml(vuoto, asse);
            const OrigineProgetto o = leggiOrigine(vuoto.Piano.Origine), oPrima = leggiOrigine(origine);
            EXPECT_EQ(o.nulla(), oPrima.nulla());
            for (int32_t i = 1; i <= numeroVerticiAsse(prima.Piano); ++i) {
                EXPECT_NEAR(vuoto.Piano.VerticiAsse[i].x + o.est, prima.Piano.VerticiAsse[i].x + oPrima.est, 0.001);
                EXPECT_NEAR(vuoto.Piano.VerticiAsse[i].y + o.nord, prima.Piano.VerticiAsse[i].y + oPrima.nord, 0.001);
            }
        }
    }
    EXPECT_GT(muri, 0);
}

TEST(LandXml, ProfileCarriesTheGroundLineAndEveryGradeLineEnd) {
    Workspace ws;
    prova::impostaAsse(ws.Piano, {{0, 0}, {0, 200}});
    Profilo pr = prova::profiloDa({{0, 100}, {20, 102}, {40, 101}, {60, 105}, {80, 104}, {100, 103}}, {3, 2, 3}, 5);
    pr.ProgettoLiv(1, 1) = 100;
    risolviProfilo(pr);
    ws.Piano.ProfiloApplicato = pr;
    NodoXml radice;
    std::string errore;
    ASSERT_TRUE(leggiXml(documento(ws), radice, errore)) << errore;
    const NodoXml& profilo = *radice.figlio("Alignments")->figlio("Alignment")->figlio("Profile");
    EXPECT_EQ(profilo.figlio("ProfSurf")->figlio("PntList2D")->testo,
              "0.0000 100.0000 20.0000 102.0000 40.0000 101.0000 60.0000 105.0000 80.0000 104.0000 100.0000 103.0000");
    std::vector<std::pair<double, double>> pvi, attesi;
    for (const NodoXml& p : profilo.figlio("ProfAlign")->figli) {
        std::istringstream campi(p.testo);
        double sta, z;
        campi >> sta >> z;
        pvi.push_back({sta, std::round(z * 1e4) / 1e4});
    }
    for (int32_t g = 1; g <= 3; ++g)
        attesi.push_back({pr.ProgressiveLiv(1, g), std::round(pr.ProgettoLiv(1, g) * 1e4) / 1e4});
    attesi.push_back({100, std::round(pr.ProgettoLiv(3, 3) * 1e4) / 1e4});
    EXPECT_EQ(pvi, attesi);
}

TEST(LandXml, CurvesOverlappingOnALegAreWrittenWithAWarning) {
    Workspace ws;
    prova::impostaAsse(ws.Piano, {{0, 0}, {0, 100}, {15, 100}, {15, 200}});
    ws.Piano.ProfiloApplicato.CurvaRaggio.redim(2);
    ws.Piano.ProfiloApplicato.CurvaRaggio[1] = ws.Piano.ProfiloApplicato.CurvaRaggio[2] = 20;
    test::FileTemporaneo tmp("sovrapposte.xml");
    FakeHost host;
    ASSERT_TRUE(esportaLandXml(ws.Piano, ws.impostazioni, tmp.path(), host));
    ASSERT_EQ(host.messaggi.size(), 1u);
    EXPECT_NE(host.messaggi[0].testo.find("le curve ai vertici 2 e 3 si sovrappongono"), std::string::npos);
    EXPECT_NE(tmp.leggi().find("<End>100.0000 -5.0000</End>"), std::string::npos);  // back from 20 to -5 east
}

TEST(LandXml, ImportedRadiiTheStakingChangesAreReported) {
    Workspace sorgente;
    prova::impostaAsse(sorgente.Piano, {{10, 10}, {100, 100}, {200, 100}});
    sorgente.Piano.ProfiloApplicato.CurvaRaggio.redim(1);
    sorgente.Piano.ProfiloApplicato.CurvaRaggio[1] = 200;
    test::FileTemporaneo tmp("raggio.xml", documento(sorgente));

    Workspace ws;
    ws.Piano = prova::pianoInclinato(100, 0.05, 0.08, 1);
    RecordingCanvas canvas;
    FakeHost host;
    host.fileAperti.push_back(tmp.path());
    comandoImportaAsseLandXml(ws, canvas, host);
    EXPECT_GT(ws.Piano.NumeroIntersezioni, 3);  // computed at once
    // The legs allow about 41.42 m only: min(127.28, 100) * tan(22.5 degrees), the last vertex
    // moved 0.5 mm north off the level of the second.
    ASSERT_FALSE(host.messaggi.empty());
    EXPECT_NE(host.messaggi.back().testo.find("- vertice 2: da 200,0000 m a 41,42"), std::string::npos)
        << host.messaggi.back().testo;
}

std::string alignment(const std::string& geometria) {
    return "<?xml version=\"1.0\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">"
           "<Units><Metric linearUnit=\"meter\"/></Units><Alignments><Alignment name=\"A1\" length=\"0\" "
           "staStart=\"0\">"
           "<CoordGeom>" +
           geometria + "</CoordGeom></Alignment></Alignments></LandXML>";
}
const std::string kRetta = "<Line><Start>0 0</Start><End>0 100</End></Line>";
std::string curva(double raggio, const char* extra = "") {
    return "<Curve rot=\"ccw\" radius=\"" + std::to_string(raggio) + "\">" + extra +
           "<Start>0 100</Start><Center>20 100</Center><End>20 120</End><PI>0 120</PI></Curve>"
           "<Line><Start>20 120</Start><End>20 200</End></Line>";
}

TEST(LandXml, BadDocumentsAreNamedAndLeaveTheAxisAlone) {
    const std::pair<std::string, std::string> casi[] = {
        {"<LandXML><Alignments>", "non è un documento XML corretto (riga 1: il file finisce prima della chiusura"},
        {"<!DOCTYPE x [<!ENTITY a 'b'>]>" + alignment(kRetta).substr(22), "DOCTYPE non ammesse"},
        {"<LandXML version=\"1.2\"><Units/></LandXML>", "non contiene alcun asse"},
        {"<Other/>", "non è un documento LandXML"},
        {alignment(kRetta + "<Spiral length=\"10\"><Start>0 100</Start></Spiral>"), "clotoide (Spiral"},
        {alignment(kRetta + curva(20.002)), "l'elemento n. 2 (curva, riga 2) ha raggio 20,0020 m"},
        {alignment(kRetta + "<Line><Start>0 100.01</Start><End>5 200</End></Line>"), "non comincia dove finisce"},
        {alignment("<Line><Start>0 x</Start><End>0 1</End></Line>"), "non è nella forma \"nord est\""},
        {alignment(""), "non contiene rettifili né curve"},
    };
    test::FileTemporaneo tmp("asse.xml");
    for (const auto& [testo, atteso] : casi) {
        Workspace ws;
        prova::impostaAsse(ws.Piano, prova::asseDiProva());
        const Planimetria piano = ws.Piano;
        RecordingCanvas canvas;
        FakeHost host;
        std::ofstream(tmp.path(), std::ios::binary | std::ios::trunc) << testo;
        host.fileAperti.push_back(tmp.path());
        comandoImportaAsseLandXml(ws, canvas, host);
        ASSERT_EQ(host.messaggi.size(), 1u) << testo;
        EXPECT_NE(host.messaggi[0].testo.find(atteso), std::string::npos) << host.messaggi[0].testo;
        EXPECT_EQ(ws.Piano, piano);
    }

    // Within a millimetre, with foreign elements and a curve without PI: accepted.
    AsseLandXml asse;
    std::string errore;
    ASSERT_TRUE(leggiAsseLandXml(alignment("<Feature code=\"x\"/>" + kRetta + curva(20.0009, "<Feature/>") +
                                           "<Line><Start>20 200</Start><End>40 200</End></Line>"),
                                 asse, errore))
        << errore;
    EXPECT_EQ(asse.nord, (std::vector<double>{0, 0, 20, 40}));
    EXPECT_EQ(asse.est, (std::vector<double>{0, 120, 200, 200}));
    ASSERT_EQ(asse.raggi.size(), 4u);
    EXPECT_DOUBLE_EQ(asse.raggi[1], 20.0009);
    EXPECT_EQ(asse.raggi[2], 0);  // two tangents meeting without a curve
    std::string senzaPi = alignment(kRetta + curva(20));
    senzaPi.erase(senzaPi.find("<PI>"), std::string("<PI>0 120</PI>").size());
    ASSERT_TRUE(leggiAsseLandXml(senzaPi, asse, errore)) << errore;
    EXPECT_NEAR(asse.est[1], 120, 1e-9);
    EXPECT_NEAR(asse.nord[1], 0, 1e-9);
}

}  // namespace
}  // namespace carvela
