// The small XML reader and writer of the exchange formats.
#include "project/xml.h"

#include <gtest/gtest.h>

namespace carvela {
namespace {

TEST(Xml, WhatTheWriterEscapesTheReaderGivesBack) {
    ScrittoreXml w;
    w.apri("a", {{"nome", "x & \"y\" <z>\n"}});
    w.elemento("b", {}, "perché < 5 & > 3");
    w.elemento("c", {{"v", ""}});
    NodoXml r;
    std::string errore;
    ASSERT_TRUE(leggiXml(w.testo(), r, errore)) << errore;
    EXPECT_EQ(*r.attributo("nome"), "x & \"y\" <z>\n");
    EXPECT_EQ(r.figlio("b")->testo, "perché < 5 & > 3");
    EXPECT_EQ(*r.figlio("c")->attributo("v"), "");
    EXPECT_EQ(r.figlio("c")->riga, 4);
}

TEST(Xml, ReferencesCdataPrefixesAndEncodings) {
    NodoXml r;
    std::string errore;
    ASSERT_TRUE(
        leggiXml("\xEF\xBB\xBF<?xml version='1.0'?><!-- c --><lx:R xmlns:lx='u'><p>&#233;&#xE8;<![CDATA[<&>]]>"
                 "&apos;</p><?pi x?></lx:R>",
                 r, errore))
        << errore;
    EXPECT_EQ(r.nome, "R");
    EXPECT_EQ(r.figlio("p")->testo, "éè<&>'");
    ASSERT_TRUE(leggiXml("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><R a=\"\xE0\"/>", r, errore)) << errore;
    EXPECT_EQ(*r.attributo("a"), "à");

    const std::pair<const char*, const char*> rotti[] = {
        {"<a><b></a>", "riga 1: chiusura </a> al posto di </b>"},
        {"<a>\n&bogus;</a>", "riga 2: entità sconosciuta: &bogus;"},
        {"<a x='1' x='2'/>", "attributo x ripetuto"},
        {"<a/><b/>", "un secondo elemento radice"},
        {"", "nessun elemento XML"},
        {"<a>&#0;</a>", "riferimento a carattere non valido"},
        {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>", "codifica utf-16 non gestita"},
    };
    for (const auto& [testo, atteso] : rotti) {
        EXPECT_FALSE(leggiXml(testo, r, errore)) << testo;
        EXPECT_NE(errore.find(atteso), std::string::npos) << errore;
    }
    // Deep nesting is refused, not followed down the stack.
    std::string profondo;
    for (int i = 0; i < 100000; ++i) profondo += "<a>";
    EXPECT_FALSE(leggiXml(profondo, r, errore));
    EXPECT_NE(errore.find("troppo in profondità"), std::string::npos);
}

}  // namespace
}  // namespace carvela
