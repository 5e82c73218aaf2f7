#pragma once
// A canvas drawn in memory, pixel by pixel: the pictures of the batch tool. Lines,
// Bezier chains, circles and arcs with aspect, boxes and the dashed style, on a black
// background in the palette colours.
#include <cstdint>
#include <vector>

#include "state/canvas.h"

namespace carvela {

class RasterCanvas : public Canvas {
public:
    // A picture of its own.
    RasterCanvas(int larghezza, int altezza);
    // Drawing into pixels held elsewhere (0xFFRRGGBB words, `passo` words per row), as the
    // canvas window does with its retained picture.
    RasterCanvas(uint32_t* pixel, int larghezza, int altezza, int passo);
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    // Points the drawing at other pixels (a grown picture); pen, colour and style stay.
    void collega(uint32_t* pixel, int larghezza, int altezza, int passo);

    int larghezza() const override { return w_; }
    int altezza() const override { return h_; }

    void clear() override;
    void setForeColor(int colore) override { fore_ = colore; }
    int foreColor() const override { return fore_; }
    void setDrawStyle(StileTratto stile) override;
    void setPixel(int x, int y, int colore) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyBezier(const std::vector<PuntoCanvas>& punti) override;
    void line(double x1, double y1, double x2, double y2, int colore) override;
    void box(double x1, double y1, double x2, double y2, int colore, bool pieno) override;
    void circle(double cx, double cy, double raggio, int colore, double aspetto = 1.0) override;
    void arc(double cx, double cy, double raggio, int colore, double inizio, double fine,
             double aspetto = 1.0) override;

    // Colour of a pixel (black outside the picture).
    ColoreRgb pixel(int x, int y) const;
    // Rows top to bottom, 3 bytes (red, green, blue) per pixel.
    std::vector<uint8_t> rgb() const;

private:
    void punto(int x, int y, uint32_t c) {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(w_) && static_cast<unsigned>(y) < static_cast<unsigned>(h_))
            pixel_[static_cast<std::size_t>(y) * static_cast<std::size_t>(passo_) + static_cast<std::size_t>(x)] = c;
    }
    // A segment with both ends drawn; the dash pattern runs on along a chain of segments.
    void segmento(double x1, double y1, double x2, double y2, int colore);
    void ellisse(double cx, double cy, double raggio, int colore, double inizio, double ampiezza, double aspetto);

    std::vector<uint32_t> propri_;  // the pixels when the picture is our own
    uint32_t* pixel_;
    int w_, h_, passo_;
    int fore_ = 15;
    StileTratto stile_ = StileTratto::Continuo;
    int penX_ = 0, penY_ = 0;
    int fase_ = 0;  // position in the dash pattern
};

}  // namespace carvela
