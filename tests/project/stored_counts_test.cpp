// Stored counts that disagree with their lists: the tabled alterations of valid files, each
// opened as the open command opens it (tests/cases/stored_counts.txt).
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "dxf/dxf_reader.h"
#include "graphics/recording_canvas.h"
#include "profile/ascii_profile.h"
#include "project/project_files.h"
#include "project/serializer.h"
#include "shell/file_commands.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "support/sample_records.h"

using namespace carvela;

namespace {

// "=v" sets v, "+n" / "-n" moves the stored value; false for an unknown operation.
template <class T>
bool cambia(T& campo, const std::string& op) {
    const long long v = std::stoll(op.substr(1));
    if (op[0] == '=')
        campo = static_cast<T>(v);
    else if (op[0] == '+')
        campo = static_cast<T>(campo + v);
    else if (op[0] == '-')
        campo = static_cast<T>(campo - v);
    else
        return false;
    return true;
}

// "Nome(i)" gives "Nome" and i.
std::string nomeIndice(const std::string& s, int& i) {
    const auto p = s.find('(');
    if (p == std::string::npos) return s;
    i = std::stoi(s.substr(p + 1));
    return s.substr(0, p);
}

bool altera(Sezione& s, const std::string& m, const std::string& op) {
    if (m == "NumeroPunti") return cambia(s.NumeroPunti, op);
    if (m == "NumeroIntersezioni") return cambia(s.NumeroIntersezioni, op);
    return false;
}

bool altera(Profilo& p, const std::string& membro, const std::string& op) {
    int i = 0;
    const std::string m = nomeIndice(membro, i);
    if (m == "NumeroSezioni") return cambia(p.NumeroSezioni, op);
    if (m == "NumeroLivellette") return cambia(p.NumeroLivellette, op);
    if (m == "NumeroCurve") return cambia(p.NumeroCurve, op);
    if (m == "PrimaSezione") return cambia(p.PrimaSezione, op);
    if (m == "PuntiLivelletta" && op == "cancella") return p.PuntiLivelletta.erase(), true;
    if (m == "PuntiLivelletta") return p.PuntiLivelletta.has(i) && cambia(p.PuntiLivelletta[i], op);
    return false;
}

bool altera(TabellaPaleggi& t, const std::string& m, const std::string& op) {
    return m == "NumeroPunti" && cambia(t.NumeroPunti, op);
}

bool altera(Planimetria& p, const std::string& membro, const std::string& op) {
    const auto punto = membro.find('.');
    if (punto != std::string::npos) {
        int i = 0;
        const std::string dove = nomeIndice(membro.substr(0, punto), i), resto = membro.substr(punto + 1);
        if (dove == "ProfiloApplicato") return altera(p.ProfiloApplicato, resto, op);
        if (dove == "PaleggiApplicati") return altera(p.PaleggiApplicati, resto, op);
        return dove == "SezioniApplicate" && p.SezioniApplicate.has(i) && altera(p.SezioniApplicate[i], resto, op);
    }
    if (membro == "NumeroPunti") return cambia(p.NumeroPunti, op);
    if (membro == "NumeroCurveLivello") return cambia(p.NumeroCurveLivello, op);
    if (membro == "NumeroPuntiAsse") return cambia(p.NumeroPuntiAsse, op);
    if (membro == "NumeroIntersezioni") return cambia(p.NumeroIntersezioni, op);
    if (membro == "Intersezioni" && op == "cancella") return p.Intersezioni.erase(), true;
    if (membro == "SezioniApplicate" && op == "cancella") return p.SezioniApplicate.erase(), true;
    return false;
}

bool altera(FileSezioni& f, const std::string& membro, const std::string& op) {
    int i = 0;
    const auto punto = membro.find('.');
    return punto != std::string::npos && nomeIndice(membro.substr(0, punto), i) == "Sezioni" && f.Sezioni.has(i) &&
           altera(f.Sezioni[i], membro.substr(punto + 1), op);
}

template <class R>
bool altera(R& r, const std::string& m, const std::string& op) {
    if constexpr (requires { r.NumeroStazioni; })
        return m == "NumeroStazioni" && cambia(r.NumeroStazioni, op);
    else
        return m == "NumeroTriangoli" && cambia(r.NumeroTriangoli, op);
}

Planimetria pianoCampione() {
    std::ifstream in(std::string(CARVELA_SOURCE_DIR) + "/samples/progetto.pln", std::ios::binary);
    const std::vector<uint8_t> byte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Planimetria p;
    EXPECT_TRUE(fromBytes(byte, p));
    return p;
}

// The record of the kind, altered and written; false when an alteration is not understood.
template <class R>
bool scrivi(R r, const test::Caso& caso, const std::string& path) {
    for (const std::string& a : caso.lista(1)) {
        const auto spazio = a.find(' ');
        if (spazio == std::string::npos || !altera(r, a.substr(0, spazio), a.substr(spazio + 1))) return false;
    }
    return scriviRecord(path, r, false).empty();
}

}  // namespace

TEST(ConteggiMemorizzati, CasiTabellati) {
    const Planimetria campione = pianoCampione();
    campioni::CartellaTemporanea dir;
    for (const test::Caso& caso : test::leggiCasi("stored_counts.txt")) {
        SCOPED_TRACE(caso.testo);
        ASSERT_EQ(caso.campi.size(), 3u);
        const std::string tipo = caso.campi[0];
        const bool apre = caso.campi[2] == "apre";
        ASSERT_TRUE(apre || caso.campi[2] == "rifiuta");
        const std::string path = dir.file("caso." + tipo);

        if (tipo == "asc" || tipo == "dxf") {
            const std::vector<std::string> a = caso.parole(1);
            ASSERT_EQ(a.size(), 2u);
            const std::string valore = a[1].substr(1);
            if (tipo == "asc") {
                std::ofstream(path) << "3\n1\n0\n100\n10\n101\n20\n102\n3\n0\n" << valore << "\n0\n";
                Profilo p;
                FakeHost host;
                EXPECT_EQ(importaProfiloAscii(path, p, host), apre);
                if (!apre) {
                    ASSERT_EQ(host.testiMessaggi().size(), 1u);
                    EXPECT_NE(host.testiMessaggi()[0].find("prima sezione"), std::string::npos);
                }
            } else {
                VbArray<DxfEntity> disegno;
                LimitiDxf limiti;
                LetturaDxf lettura;
                convertiDxf("0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n90\n" + valore +
                                "\n38\n5\n10\n0\n20\n0\n10\n1\n20\n1\n0\nENDSEC\n0\nEOF\n",
                            disegno, limiti, nullptr, &lettura);
                EXPECT_EQ(lettura.conteggioErrato, apre ? 0 : 1);
            }
            continue;
        }

        bool scritto = false;
        FileSezioni sezioni;
        sezioni.Versione = 1;
        sezioni.Sezioni = campione.SezioniApplicate;
        if (tipo == "pln") scritto = scrivi(campione, caso, path);
        if (tipo == "pro") scritto = scrivi(campione.ProfiloApplicato, caso, path);
        if (tipo == "sez") scritto = scrivi(sezioni, caso, path);
        if (tipo == "pla") scritto = scrivi(campioni::poligonaleAperta(), caso, path);
        if (tipo == "plc") scritto = scrivi(campioni::poligonaleChiusa(), caso, path);
        if (tipo == "trn") scritto = scrivi(campioni::triangolazione(), caso, path);
        ASSERT_TRUE(scritto);

        // The project in memory is kept whole when the file is refused.
        Workspace ws;
        ws.Piano = campioni::piano(2);
        ws.Profilo = campioni::profilo();
        const Workspace prima = ws;
        FakeHost host;
        RecordingCanvas canvas;
        EXPECT_EQ(apriFileProgetto(ws, canvas, host, path), apre);
        if (apre) continue;
        ASSERT_EQ(host.testiMessaggi().size(), 1u);
        EXPECT_EQ(host.testiMessaggi()[0].rfind("Errore di apertura del file!\nIl file è danneggiato: ", 0), 0u)
            << host.testiMessaggi()[0];
        EXPECT_TRUE(ws.Piano == prima.Piano && ws.Profilo == prima.Profilo && ws.Sezioni == prima.Sezioni);
    }
}
