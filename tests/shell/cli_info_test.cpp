// carvela-cli info and --version, run as the batch tool is run.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>

#include "project/project_files.h"
#include "support/sample_records.h"

namespace carvela {
namespace {

struct Esito {
    int stato = -1;
    std::string uscita;
};

// Standard output and standard error together, and the exit status.
Esito esegui(const std::string& argomenti) {
    Esito e;
    const std::string comando = std::string(CARVELA_CLI) + " " + argomenti + " 2>&1";
    FILE* f = popen(comando.c_str(), "r");
    if (!f) return e;
    std::array<char, 512> buf;
    while (fgets(buf.data(), buf.size(), f)) e.uscita += buf.data();
    const int s = pclose(f);
    e.stato = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return e;
}

TEST(CarvelaCli, InfoPerOgniTipoEErrori) {
    campioni::CartellaTemporanea dir;
    ASSERT_EQ(scriviRecord(dir.file("p.pln"), campioni::piano(3), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.PRO"), campioni::profilo(), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.sez"), campioni::fileSezioni(4), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.pla"), campioni::poligonaleAperta(), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.plc"), campioni::poligonaleChiusa(), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.trn"), campioni::triangolazione(), false), "");

    const std::pair<const char*, const char*> attesi[] = {
        {"p.pln",
         "Tipo: Planimetria\nPunti: 3\nCurve di livello: 2\nSegmenti del reticolo: 1\nVertici asse: 2\nPunti asse: 2\n"
         "Stazioni: 3\nSezioni: 3\nProfilo: sezioni: 5\nProfilo: livellette: 2\nProfilo: curve: 2\n"},
        {"p.PRO", "Tipo: Profilo\nSezioni: 5\nLivellette: 2\nCurve: 2\n"},
        {"p.sez", "Tipo: Sezioni\nSezioni: 4\n"},
        {"p.pla", "Tipo: Poligonale aperta\nStazioni: 4\n"},
        {"p.plc", "Tipo: Poligonale chiusa\nStazioni: 5\n"},
        {"p.trn", "Tipo: Triangolazione\nTriangoli: 3\n"},
    };
    Esito e;
    for (auto [nome, testo] : attesi) {
        e = esegui("info " + dir.file(nome));
        EXPECT_EQ(e.stato, 0) << nome;
        EXPECT_NE(e.uscita.find(testo), std::string::npos) << e.uscita;
    }
    e = esegui("info --json " + dir.file("p.trn"));
    EXPECT_EQ(e.stato, 0);
    EXPECT_NE(e.uscita.find("\"triangoli\": 3"), std::string::npos) << e.uscita;

    std::ofstream(dir.file("guasto.pln")) << "non è un piano";
    for (auto [nome, messaggio] : {std::pair{"guasto.pln", "Errore di apertura del file!\n"},
                                   {"note.txt", "Tipo di file sconosciuto!\n"},
                                   {"manca.pro", "Errore di apertura del file!\n"}}) {
        e = esegui("info " + dir.file(nome));
        EXPECT_EQ(e.stato, 1) << nome;
        EXPECT_EQ(e.uscita, messaggio) << nome;
    }

    // A drawing, and the text profile that shares the .pro extension with the stored one.
    std::ofstream(dir.file("d.DXF"), std::ios::binary)
        << "0\nSECTION\n2\nENTITIES\n0\nPOINT\n8\nA\n10\n1\n20\n2\n30\n3\n0\nLINE\n8\nB\n10\n0\n20\n0\n30\n0\n11\n1\n"
           "21\n1\n31\n0\n0\nPOLYLINE\n8\nB\n10\n0\n20\n0\n30\n5\n70\n8\n0\nVERTEX\n8\nB\n10\n1\n20\n1\n30\n5\n0\nVERTEX\n8\n"
           "B\n10\n2\n20\n1\n30\n5\n0\nSEQEND\n8\nB\n0\nENDSEC\n0\nEOF";
    std::ofstream(dir.file("testo.dxf"), std::ios::binary) << "non un disegno\n";
    std::ofstream(dir.file("a.pro"), std::ios::binary) << "3\n1\n0\n100\n10\n101\n20\n102\n3\n0\n1\n0\n";
    std::ofstream(dir.file("rotto.pro"), std::ios::binary) << "3\n1\n0\n";
    for (auto [nome, testo] : {std::pair{"d.DXF",
                                         "Tipo: Disegno DXF\nEntità: 3\nLayer: 2\nPOINT: 1\nLINE: 1\nPOLYLINE: 1\n"
                                         "Entità nei blocchi: 0\nInserimenti di blocchi: 0\nPolilinee scartate: 0\n"},
                               {"a.pro", "Tipo: Profilo ASCII\nSezioni: 3\nLivellette: 1\nCurve: 0\n"}}) {
        e = esegui("info " + dir.file(nome));
        EXPECT_EQ(e.stato, 0) << nome;
        EXPECT_NE(e.uscita.find(testo), std::string::npos) << e.uscita;
    }
    e = esegui("info " + dir.file("testo.dxf"));
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.uscita.rfind("Il file non contiene un disegno DXF", 0), 0u) << e.uscita;
    e = esegui("info " + dir.file("rotto.pro"));
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.uscita.rfind("Il file di profilo longitudinale ASCII è incompleto", 0), 0u) << e.uscita;

    e = esegui("--version");
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita.rfind("carvela-cli ", 0), 0u);
}

}  // namespace
}  // namespace carvela
