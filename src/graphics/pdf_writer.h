#pragma once
// Drawing on paper in millimetres, and a small PDF writer that does it. Sheets, reports
// and their printed copies are laid out once on `SuperficieMm`; the batch tool writes them
// as PDF without any toolkit, the desktop program can replay the same calls on a printer.
//
// Coordinates are millimetres from the bottom-left corner of the page, y upwards. Texts use
// the standard Helvetica font (no font is embedded); `altezza` is the height of the capitals.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace carvela {

struct PuntoMm {
    double x = 0, y = 0;
};

class SuperficieMm {
public:
    virtual ~SuperficieMm() = default;
    // Starts a page; drawing before the first page starts an A4 portrait page.
    virtual void nuovaPagina(double larghezza, double altezza) = 0;
    // Colour of lines, fills and texts.
    virtual void colore(uint8_t rosso, uint8_t verde, uint8_t blu) = 0;
    virtual void spessore(double mm) = 0;
    virtual void linea(double x1, double y1, double x2, double y2) = 0;
    virtual void polilinea(const std::vector<PuntoMm>& punti, bool chiusa) = 0;
    virtual void rettangoloPieno(double x1, double y1, double x2, double y2) = 0;
    virtual void cerchio(double x, double y, double raggio) = 0;
    // (x, y): start of the baseline; the text turns by `gradi` counter-clockwise about it.
    virtual void testo(double x, double y, std::string_view utf8, double altezza, double gradi) = 0;
};

// Width in millimetres of a Helvetica text whose capitals are `altezza` high.
double larghezzaTesto(std::string_view utf8, double altezza);

// Paper sizes in millimetres, portrait.
inline constexpr double kA4Larghezza = 210, kA4Altezza = 297;
inline constexpr double kA3Larghezza = 297, kA3Altezza = 420;

class PdfWriter : public SuperficieMm {
public:
    void nuovaPagina(double larghezza, double altezza) override;
    void colore(uint8_t rosso, uint8_t verde, uint8_t blu) override;
    void spessore(double mm) override;
    void linea(double x1, double y1, double x2, double y2) override;
    void polilinea(const std::vector<PuntoMm>& punti, bool chiusa) override;
    void rettangoloPieno(double x1, double y1, double x2, double y2) override;
    void cerchio(double x, double y, double raggio) override;
    void testo(double x, double y, std::string_view utf8, double altezza, double gradi) override;

    // The document's title in its properties.
    void titolo(std::string utf8) { titolo_ = std::move(utf8); }
    int pagine() const { return static_cast<int>(pagine_.size()); }

    // The whole file; a document with no page gets one blank A4 page.
    std::string documento() const;
    // Writes the file through a temporary beside it; an empty text on success, else the error.
    std::string salva(const std::string& percorso) const;

private:
    struct Pagina {
        double larghezza = 0, altezza = 0;  // points
        std::string contenuto;
    };
    Pagina& corrente();
    void numero(double v);
    void punto(double xMm, double yMm);

    std::vector<Pagina> pagine_;
    std::string titolo_;
    uint8_t rgb_[3] = {0, 0, 0};
    double spessore_ = 0.18;
};

}  // namespace carvela
