// The PDF writer: millimetres become points exactly, the file's cross-reference table points
// at its objects, texts are escaped and encoded, and a failed save leaves nothing behind.
#include "graphics/pdf_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using namespace carvela;

TEST(PdfWriter, PagineMillimetriERiferimenti) {
    PdfWriter pdf;
    pdf.nuovaPagina(kA4Larghezza, kA4Altezza);
    pdf.spessore(0.25);
    pdf.linea(10, 20, 60, 20);
    pdf.testo(5, 5, "Quota (m) à", 2.5, 90);
    pdf.nuovaPagina(kA3Altezza, kA3Larghezza);  // A3 landscape
    pdf.cerchio(100, 100, 3);
    pdf.rettangoloPieno(0, 0, 10, 5);
    ASSERT_EQ(pdf.pagine(), 2);
    const std::string d = pdf.documento();

    EXPECT_NE(d.find("/MediaBox [0 0 595.276 841.890]"), std::string::npos);
    EXPECT_NE(d.find("/MediaBox [0 0 1190.551 841.890]"), std::string::npos);
    EXPECT_NE(d.find("/Count 2"), std::string::npos);
    // 10 mm = 28.346 pt; a 50 mm line is 141.732 pt long.
    EXPECT_NE(d.find("28.346 56.693 m 170.079 56.693 l S"), std::string::npos);
    EXPECT_NE(d.find("0.709 w"), std::string::npos);
    // A quarter turn, the parentheses escaped, "à" as its Windows-1252 byte.
    EXPECT_NE(d.find("0 1 -1 0 14.173 14.173 Tm (Quota \\(m\\) \xE0) Tj"), std::string::npos);
    // The second page starts with the pen of the first.
    const std::size_t seconda = d.find("8 0 obj");
    ASSERT_NE(seconda, std::string::npos);
    EXPECT_NE(d.find("0.709 w", seconda), std::string::npos);

    // Every cross-reference entry points at the start of its object.
    const std::size_t xref = d.find("\nxref\n") + 1;
    std::istringstream tabella(d.substr(xref));
    std::string parola;
    int primo = 0, quanti = 0;
    tabella >> parola >> primo >> quanti;
    ASSERT_EQ(quanti, 1 + 4 + 2 * 2);
    std::string pos, gen, tipo;
    tabella >> pos >> gen >> tipo;  // the free entry
    for (int i = 1; i < quanti; ++i) {
        tabella >> pos >> gen >> tipo;
        EXPECT_EQ(d.substr(std::stoul(pos), std::to_string(i).size() + 6), std::to_string(i) + " 0 obj") << i;
    }
    EXPECT_NE(d.find("startxref\n" + std::to_string(xref)), std::string::npos);

    // Each content stream is as long as its /Length says.
    const std::regex lunghezza(R"(/Length (\d+) >>\nstream\n)");
    int flussi = 0;
    for (std::sregex_iterator it(d.begin(), d.end(), lunghezza), fine; it != fine; ++it, ++flussi) {
        const std::size_t inizio = static_cast<std::size_t>(it->position() + it->length());
        EXPECT_EQ(d.compare(inizio + std::stoul((*it)[1]), 10, "\nendstream"), 0);
    }
    EXPECT_EQ(flussi, 2);
}

TEST(PdfWriter, LarghezzaTestoESalvataggio) {
    // Capitals 0.718 high make a size-1 font: four digits of Helvetica are 4 x 0.556.
    EXPECT_NEAR(larghezzaTesto("2024", 0.718), 2.224, 1e-9);
    EXPECT_NEAR(larghezzaTesto("Il", 0.718), 0.5, 1e-9);

    const auto cartella = std::filesystem::temp_directory_path() / "carvela_pdf_writer_test";
    std::filesystem::create_directories(cartella);
    PdfWriter pdf;
    pdf.titolo("Prova (1)");
    pdf.linea(0, 0, 10, 10);
    const std::string percorso = (cartella / "prova.pdf").string();
    ASSERT_EQ(pdf.salva(percorso), "");
    std::ifstream f(percorso, std::ios::binary);
    std::stringstream letto;
    letto << f.rdbuf();
    EXPECT_EQ(letto.str(), pdf.documento());
    EXPECT_FALSE(std::filesystem::exists(percorso + ".tmp"));
    if (std::system("qpdf --version > /dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("qpdf --check " + percorso + " > /dev/null 2>&1").c_str()), 0);
    } else {
        std::puts("qpdf non installato: controllo della struttura saltato");
    }

    const std::string mancante = (cartella / "manca" / "prova.pdf").string();
    EXPECT_NE(pdf.salva(mancante), "");
    EXPECT_FALSE(std::filesystem::exists(mancante + ".tmp"));
    std::filesystem::remove_all(cartella);
}
