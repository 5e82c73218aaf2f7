// "&Esporta TXT": 20-character right-aligned fields, an empty line after each grid.
#include "project/text_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "project/project_files.h"
#include "state/text_export_command.h"
#include "support/fake_host.h"
#include "support/sample_records.h"

namespace carvela {
namespace {

std::string contenuto(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

Griglia griglia(int righe, int colonne, const std::string& prefisso) {
    Griglia g(righe, colonne);
    for (int r = 0; r < righe; ++r)
        for (int c = 0; c < colonne; ++c) g.imposta(r, c, prefisso + std::to_string(r) + std::to_string(c));
    return g;
}

TEST(EsportaTesto, CampiDiVentiCaratteriERigaVuotaTraLeGriglie) {
    const Griglia a = griglia(3, 2, "a");
    Griglia b(2, 1);
    b.imposta(0, 0, "12345678901234567890");      // exactly 20: no leading space
    b.imposta(1, 0, "123456789012345678901234");  // longer: written whole
    const std::string c17(17, ' ');
    EXPECT_EQ(testoEsportazione({&a, &b}), c17 + "a00" + c17 + "a01\n" + c17 + "a10" + c17 + "a11\n" + c17 + "a20" +
                                               c17 + "a21\n\n12345678901234567890\n123456789012345678901234\n\n");

    // Empty cells are 20 blanks; a heading with an accent takes one place per character.
    Griglia c(1, 2);
    c.imposta(0, 1, "Sez. n°");
    EXPECT_EQ(testoEsportazione({&c}), std::string(20 + 13, ' ') + "Sez. n°\n\n");
}

TEST(EsportaTesto, DialogoAvanzamentoEFile) {
    campioni::CartellaTemporanea dir;
    FakeHost host;
    Griglia lunga = griglia(31, 2, "");
    Griglia accento(1, 1);
    accento.imposta(0, 0, "n°");
    std::vector<std::string> visibilita;
    auto mostra = [&](bool v) { visibilita.push_back(v ? "mostra" : "nascondi"); };

    // Cancelled: nothing is written, the page is never hidden.
    esportaTesto(host, {&lunga}, mostra);
    EXPECT_EQ(host.titoliDialoghi, std::vector<std::string>{"Esporta file di testo"});
    EXPECT_EQ(host.filtriDialoghi[0], "File di testo (*.txt) | *.TXT");
    EXPECT_EQ(host.proposteSalvataggio[0], "");
    EXPECT_EQ(host.attese, 0);
    EXPECT_TRUE(visibilita.empty());

    const std::string path = dir.file("griglie.txt");
    host.fileSalvati.push_back(path);
    esportaTesto(host, {&lunga, &accento}, mostra);
    EXPECT_EQ(visibilita, (std::vector<std::string>{"nascondi", "mostra"}));
    EXPECT_EQ(host.didascalie, std::vector<std::string>{"Salvataggio in corso..."});
    EXPECT_EQ(host.massimiBarra, (std::vector<int>{3, 0}));  // (31 - 1) / 10 and (1 - 1) / 10
    ASSERT_EQ(host.posizioniBarra.size(), 32u);
    EXPECT_EQ(host.posizioniBarra[30], 3);
    EXPECT_TRUE(host.attesaAperta == 0 && host.messaggi.empty());
    // The file is Windows-1252: the degree sign is one byte.
    const std::string file = contenuto(path);
    EXPECT_EQ(file.size(), 31u * 41u + 1u + 21u + 1u);
    EXPECT_EQ(file.substr(file.size() - 4), std::string("n\xB0\n\n"));

    // A file that cannot be created: a message, the page shown again.
    std::filesystem::create_directory(dir.file("cartella.txt"));
    host.pulisci();
    visibilita.clear();
    host.fileSalvati.push_back(dir.file("cartella.txt"));
    esportaTesto(host, {&accento}, mostra);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Impossibile creare il file " + dir.file("cartella.txt") +
                                                             ": il nome indica una cartella."});
    EXPECT_EQ(visibilita.back(), "mostra");
    EXPECT_EQ(host.attesaAperta, 0);
}

}  // namespace
}  // namespace carvela
