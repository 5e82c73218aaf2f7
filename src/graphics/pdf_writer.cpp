#include "graphics/pdf_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "project/codepage.h"

namespace carvela {
namespace {

constexpr double kPuntiPerMm = 72.0 / 25.4;
// Helvetica's capitals are 0.718 of its size.
constexpr double kAltezzaMaiuscole = 0.718;

// Helvetica advance widths (thousandths of the size) of the codes 32..126.
constexpr uint16_t kLarghezze[95] = {278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
                                     556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
                                     1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
                                     667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
                                     333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
                                     556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};

double larghezzaCodice(unsigned char c) {
    if (c >= 32 && c <= 126) return kLarghezze[c - 32];
    return 556;  // accented letters and signs of Windows-1252 are close to it
}

double finito(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

double larghezzaTesto(std::string_view utf8, double altezza) {
    double somma = 0;
    for (unsigned char c : utf8ToCp1252(utf8)) somma += larghezzaCodice(c);
    return somma / 1000 * altezza / kAltezzaMaiuscole;
}

PdfWriter::Pagina& PdfWriter::corrente() {
    if (pagine_.empty()) nuovaPagina(kA4Larghezza, kA4Altezza);
    return pagine_.back();
}

// Numbers with at most three decimals, always with a point, never in exponent form.
void PdfWriter::numero(double v) {
    v = finito(v);
    if (std::fabs(v) < 0.0005) v = 0;
    char buf[48];
    auto [fine, errore] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    if (errore != std::errc()) {
        fine = buf;
        *fine++ = '0';
    }
    std::string_view t(buf, static_cast<std::size_t>(fine - buf));
    if (t.find('.') != std::string_view::npos) {
        while (t.back() == '0') t.remove_suffix(1);
        if (t.back() == '.') t.remove_suffix(1);
    }
    std::string& c = corrente().contenuto;
    c.append(t);
    c.push_back(' ');
}

void PdfWriter::punto(double xMm, double yMm) {
    numero(xMm * kPuntiPerMm);
    numero(yMm * kPuntiPerMm);
}

void PdfWriter::nuovaPagina(double larghezza, double altezza) {
    Pagina p;
    p.larghezza = finito(larghezza) * kPuntiPerMm;
    p.altezza = finito(altezza) * kPuntiPerMm;
    if (!(p.larghezza > 1) || !(p.altezza > 1))
        p.larghezza = kA4Larghezza * kPuntiPerMm, p.altezza = kA4Altezza * kPuntiPerMm;
    // Round ends and joins, so short strokes and polylines look as drawn by a pen.
    p.contenuto = "1 J 1 j\n";
    pagine_.push_back(std::move(p));
    // A page starts from the default state: the pen carries over from the previous page.
    colore(rgb_[0], rgb_[1], rgb_[2]);
    spessore(spessore_);
}

void PdfWriter::colore(uint8_t rosso, uint8_t verde, uint8_t blu) {
    rgb_[0] = rosso, rgb_[1] = verde, rgb_[2] = blu;
    const double r = rosso / 255.0, g = verde / 255.0, b = blu / 255.0;
    for (const char* op : {"RG\n", "rg\n"}) {
        numero(r);
        numero(g);
        numero(b);
        corrente().contenuto += op;
    }
}

void PdfWriter::spessore(double mm) {
    spessore_ = std::max(0.0, finito(mm));
    numero(spessore_ * kPuntiPerMm);
    corrente().contenuto += "w\n";
}

void PdfWriter::linea(double x1, double y1, double x2, double y2) {
    punto(x1, y1);
    corrente().contenuto += "m ";
    punto(x2, y2);
    corrente().contenuto += "l S\n";
}

void PdfWriter::polilinea(const std::vector<PuntoMm>& punti, bool chiusa) {
    if (punti.size() < 2) return;
    for (std::size_t i = 0; i < punti.size(); ++i) {
        punto(punti[i].x, punti[i].y);
        corrente().contenuto += i == 0 ? "m " : "l ";
    }
    corrente().contenuto += chiusa ? "s\n" : "S\n";
}

void PdfWriter::rettangoloPieno(double x1, double y1, double x2, double y2) {
    punto(std::min(x1, x2), std::min(y1, y2));
    numero(std::fabs(x2 - x1) * kPuntiPerMm);
    numero(std::fabs(y2 - y1) * kPuntiPerMm);
    corrente().contenuto += "re f\n";
}

// Four Bezier quarters; 0.5523 puts their midpoints on the circle.
void PdfWriter::cerchio(double x, double y, double raggio) {
    const double r = std::fabs(finito(raggio)), k = 0.5523 * r;
    punto(x + r, y);
    corrente().contenuto += "m ";
    const double q[4][6] = {{x + r, y + k, x + k, y + r, x, y + r},
                            {x - k, y + r, x - r, y + k, x - r, y},
                            {x - r, y - k, x - k, y - r, x, y - r},
                            {x + k, y - r, x + r, y - k, x + r, y}};
    for (const auto& c : q) {
        punto(c[0], c[1]);
        punto(c[2], c[3]);
        punto(c[4], c[5]);
        corrente().contenuto += "c ";
    }
    corrente().contenuto += "S\n";
}

void PdfWriter::testo(double x, double y, std::string_view utf8, double altezza, double gradi) {
    const std::string byte = utf8ToCp1252(utf8);
    if (byte.empty() || !(altezza > 0)) return;
    const double a = finito(gradi) * 3.14159265358979323846 / 180;
    const double c = std::cos(a), s = std::sin(a);
    corrente().contenuto += "BT /F1 ";
    numero(finito(altezza) / kAltezzaMaiuscole * kPuntiPerMm);
    corrente().contenuto += "Tf ";
    numero(c);
    numero(s);
    numero(-s);
    numero(c);
    punto(x, y);
    std::string& t = corrente().contenuto;
    t += "Tm (";
    for (unsigned char ch : byte) {
        if (ch == '(' || ch == ')' || ch == '\\') t.push_back('\\');
        if (ch < 32) ch = ' ';
        t.push_back(static_cast<char>(ch));
    }
    t += ") Tj ET\n";
}

std::string PdfWriter::documento() const {
    std::vector<Pagina> pagine = pagine_;
    if (pagine.empty()) pagine.push_back({kA4Larghezza * kPuntiPerMm, kA4Altezza * kPuntiPerMm, ""});
    // Objects: 1 catalogue, 2 page tree, 3 font, 4 information, then per page its page and its content.
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> posizioni;
    auto oggetto = [&](const std::string& corpo) {
        posizioni.push_back(out.size());
        out += std::to_string(posizioni.size()) + " 0 obj\n" + corpo + "\nendobj\n";
    };
    auto dimensione = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f", v);
        return std::string(buf);
    };
    oggetto("<< /Type /Catalog /Pages 2 0 R >>");
    std::string figli;
    for (std::size_t i = 0; i < pagine.size(); ++i) figli += std::to_string(5 + 2 * i) + " 0 R ";
    oggetto("<< /Type /Pages /Kids [ " + figli + "] /Count " + std::to_string(pagine.size()) + " >>");
    oggetto("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    std::string titolo = "(";
    for (unsigned char ch : utf8ToCp1252(titolo_)) {
        if (ch < 32 || ch > 126) continue;  // the information text stays plain ASCII
        if (ch == '(' || ch == ')' || ch == '\\') titolo.push_back('\\');
        titolo.push_back(static_cast<char>(ch));
    }
    oggetto("<< /Producer (Carvela) /Title " + titolo + ") >>");
    for (std::size_t i = 0; i < pagine.size(); ++i) {
        const Pagina& p = pagine[i];
        oggetto("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + dimensione(p.larghezza) + " " + dimensione(p.altezza) +
                "] /Resources << /Font << /F1 3 0 R >> >> /Contents " + std::to_string(6 + 2 * i) + " 0 R >>");
        oggetto("<< /Length " + std::to_string(p.contenuto.size()) + " >>\nstream\n" + p.contenuto + "\nendstream");
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(posizioni.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t pos : posizioni) {
        char riga[24];
        std::snprintf(riga, sizeof riga, "%010zu 00000 n \n", pos);
        out += riga;
    }
    out += "trailer\n<< /Size " + std::to_string(posizioni.size() + 1) + " /Root 1 0 R /Info 4 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return out;
}

std::string PdfWriter::salva(const std::string& percorso) const {
    const std::string temporaneo = percorso + ".tmp";
    {
        std::ofstream f(temporaneo, std::ios::binary | std::ios::trunc);
        if (!f) return "impossibile scrivere il file " + percorso;
        const std::string d = documento();
        f.write(d.data(), static_cast<std::streamsize>(d.size()));
        f.close();
        if (!f) {
            std::remove(temporaneo.c_str());
            return "impossibile scrivere il file " + percorso;
        }
    }
    if (std::rename(temporaneo.c_str(), percorso.c_str()) != 0) {
        std::remove(temporaneo.c_str());
        return "impossibile scrivere il file " + percorso;
    }
    return {};
}

}  // namespace carvela
