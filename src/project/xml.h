#pragma once
// A small XML writer and a small, safe XML reader for the exchange formats (LandXML). The
// reader builds a tree of elements; it expands only the five predefined entities and
// character references, refuses DOCTYPE declarations (so no entity can grow the input), and
// limits the nesting depth. Its errors name the line where the input went wrong.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace carvela {

using AttributiXml = std::vector<std::pair<std::string, std::string>>;

// Writes an indented document, one element per line; texts and attribute values escaped.
class ScrittoreXml {
public:
    ScrittoreXml();
    void apri(std::string_view nome, const AttributiXml& attributi = {});
    // An element with a text (or empty, written as <nome .../>).
    void elemento(std::string_view nome, const AttributiXml& attributi, std::string_view testo = {});
    void chiudi();
    // The document; every open element closed.
    std::string testo();

private:
    void rientro();
    std::string out_;
    std::vector<std::string> aperti_;
};

std::string escapeXml(std::string_view testo);

struct NodoXml {
    std::string nome;  // local name: any namespace prefix removed
    AttributiXml attributi;
    std::vector<NodoXml> figli;
    std::string testo;  // the element's own character data, pieces joined
    int riga = 0;

    const std::string* attributo(std::string_view nome) const;
    const NodoXml* figlio(std::string_view nome) const;
};

// Parses a whole document (UTF-8, or ISO-8859-1 / windows-1252 when its declaration says
// so). False with an Italian reason ("riga 12: ...") when it is not well formed.
bool leggiXml(std::string_view documento, NodoXml& radice, std::string& errore);

}  // namespace carvela
