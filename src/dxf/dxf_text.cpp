#include "dxf/dxf_text.h"

#include "project/codepage.h"

namespace carvela {
namespace {

bool utf8Valido(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size()) {
        unsigned char c = static_cast<unsigned char>(t[i]);
        int seguito = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (seguito < 0 || (seguito == 1 && c < 0xC2)) return false;
        if (i + static_cast<std::size_t>(seguito) >= t.size() && seguito > 0) return false;
        for (int k = 1; k <= seguito; ++k)
            if ((static_cast<unsigned char>(t[i + k]) >> 6) != 0x2) return false;
        i += static_cast<std::size_t>(seguito) + 1;
    }
    return true;
}

}  // namespace

std::string testoDaDxf(std::string_view valore) {
    for (char c : valore)
        if (static_cast<unsigned char>(c) >= 0x80)
            return utf8Valido(valore) ? std::string(valore) : cp1252ToUtf8(valore);
    return std::string(valore);
}

void assegnaTestoDxf(std::string& destinazione, std::string_view valore) {
    for (char c : valore)
        if (static_cast<unsigned char>(c) >= 0x80) {
            destinazione = testoDaDxf(valore);
            return;
        }
    destinazione.assign(valore);
}

void assegnaTestoDxf(TestoCondiviso& destinazione, std::string_view valore) {
    for (char c : valore)
        if (static_cast<unsigned char>(c) >= 0x80) {
            destinazione = testoDaDxf(valore);
            return;
        }
    destinazione = valore;
}

std::string testoPerDxf(std::string_view testo) {
    std::string t = utf8ToCp1252(testo);
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    return t;
}

}  // namespace carvela
