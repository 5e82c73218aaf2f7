// carvela-cli info and --version, run as the batch tool is run.
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "shell/shell_test.h"

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

// "\n" in a case's text is a line end, "{versione}" the program's version.
std::string testo(std::string t) {
    for (std::size_t i; (i = t.find("\\n")) != std::string::npos;) t.replace(i, 2, "\n");
    if (const auto i = t.find("{versione}"); i != std::string::npos) t.replace(i, 10, CARVELA_VERSION);
    return t;
}

TEST(CarvelaCli, InfoPerOgniTipoEErrori) {
    campioni::CartellaTemporanea dir;
    ASSERT_EQ(scriviRecord(dir.file("p.pln"), campioni::piano(3), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.PRO"), campioni::profilo(), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.sez"), campioni::fileSezioni(4), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.pla"), campioni::poligonaleAperta(), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.plc"), campioni::poligonaleChiusa(), false), "");
    ASSERT_EQ(scriviRecord(dir.file("p.trn"), campioni::triangolazione(), false), "");
    for (const test::Caso& c : test::leggiCasi("cli_info.txt")) {
        if (c.nome() == "file") {
            std::ofstream(dir.file(c.campi.at(1)), std::ios::binary) << testo(c.campi.at(2));
            continue;
        }
        std::string argomenti;
        for (const std::string& p : c.parole(1)) argomenti += " " + (p[0] == '@' ? dir.file(p.substr(1)) : p);
        const Esito e = esegui(argomenti);
        EXPECT_EQ(e.stato, c.numeri(2).at(0)) << c.testo;
        const std::string atteso = testo(c.campi.at(3).substr(1));
        if (c.campi[3][0] == '=') EXPECT_EQ(e.uscita, atteso) << c.testo;
        if (c.campi[3][0] == '^') EXPECT_EQ(e.uscita.rfind(atteso, 0), 0u) << c.testo << "\n" << e.uscita;
        if (c.campi[3][0] == '~') EXPECT_NE(e.uscita.find(atteso), std::string::npos) << c.testo << "\n" << e.uscita;
    }
}

}  // namespace
}  // namespace carvela
