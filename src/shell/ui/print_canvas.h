#pragma once
// A canvas over any QPainter (printer, PDF, picture): the drawings run on it unchanged.
// Canvas coordinates are taken as device pixels shifted by an origin; colours come from a
// palette for white paper, where the screen's light colours would not show.
#include <QColor>
#include <QPainter>
#include <QPointF>

#include "state/canvas.h"

namespace carvela {

// The paper colour of a palette index: white becomes black, the light colours darker.
QColor colorePaletteCarta(int indice);

class CanvasStampa : public Canvas {
public:
    // `origine`: the device point of canvas point (0, 0); `larghezza` x `altezza`: the size the
    // drawings see (device pixels); `spessore`: line width in device pixels.
    CanvasStampa(QPainter& pittore, QPointF origine, int larghezza, int altezza, double spessore);

    int larghezza() const override { return larghezza_; }
    int altezza() const override { return altezza_; }
    // Paper cannot be wiped: clearing does nothing.
    void clear() override {}
    void setForeColor(int colore) override { colore_ = colore; }
    int foreColor() const override { return colore_; }
    void setDrawStyle(StileTratto stile) override { stile_ = stile; }

    void setPixel(int x, int y, int colore) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyBezier(const std::vector<PuntoCanvas>& punti) override;
    void line(double x1, double y1, double x2, double y2, int colore) override;
    void box(double x1, double y1, double x2, double y2, int colore, bool pieno) override;
    void circle(double cx, double cy, double raggio, int colore, double aspetto = 1.0) override;
    void arc(double cx, double cy, double raggio, int colore, double inizio, double fine,
             double aspetto = 1.0) override;

private:
    // Points far off the page are clamped so the painter never sees absurd values.
    QPointF punto(double x, double y) const { return {origine_.x() + limita(x), origine_.y() + limita(y)}; }
    static double limita(double v) { return v > 1e7 ? 1e7 : (v < -1e7 ? -1e7 : (v == v ? v : 0)); }
    void penna(int colore);

    QPainter& pittore_;
    QPointF origine_;
    int larghezza_, altezza_;
    double spessore_;
    int colore_ = 15;
    StileTratto stile_ = StileTratto::Continuo;
    QPointF penna_;
};

}  // namespace carvela
