#include "shell/ui/print_canvas.h"

#include <QPainterPath>
#include <cmath>
#include <initializer_list>

namespace carvela {

QColor colorePaletteCarta(int indice) {
    static const QColor carta[16] = {{0, 0, 0},    {0, 0, 128},   {0, 110, 0},   {0, 110, 110},
                                     {128, 0, 0},  {128, 0, 128}, {110, 90, 0},  {110, 110, 110},
                                     {80, 80, 80}, {0, 0, 220},   {0, 140, 0},   {0, 120, 160},
                                     {200, 0, 0},  {170, 0, 170}, {170, 120, 0}, {0, 0, 0}};
    return carta[(indice % 16 + 16) % 16];
}

CanvasStampa::CanvasStampa(QPainter& pittore, QPointF origine, int larghezza, int altezza, double spessore)
    : pittore_(pittore), origine_(origine), larghezza_(larghezza), altezza_(altezza), spessore_(spessore) {}

void CanvasStampa::penna(int colore) {
    QPen p(colorePaletteCarta(colore), spessore_);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    if (stile_ == StileTratto::Tratteggiato) p.setDashPattern({8, 6});
    pittore_.setPen(p);
    pittore_.setBrush(Qt::NoBrush);
}

void CanvasStampa::setPixel(int x, int y, int colore) {
    // A dot as wide as a line, so that points stay visible at printer resolution.
    pittore_.setPen(Qt::NoPen);
    pittore_.setBrush(colorePaletteCarta(colore));
    pittore_.drawEllipse(punto(x, y), spessore_, spessore_);
}

void CanvasStampa::moveTo(int x, int y) { penna_ = punto(x, y); }

void CanvasStampa::lineTo(int x, int y) {
    penna(colore_);
    const QPointF fine = punto(x, y);
    pittore_.drawLine(penna_, fine);
    penna_ = fine;
}

void CanvasStampa::polyBezier(const std::vector<PuntoCanvas>& punti) {
    if (punti.empty()) return;
    QPainterPath percorso(punto(punti[0].x, punti[0].y));
    for (std::size_t i = 1; i + 2 < punti.size(); i += 3)
        percorso.cubicTo(punto(punti[i].x, punti[i].y), punto(punti[i + 1].x, punti[i + 1].y),
                         punto(punti[i + 2].x, punti[i + 2].y));
    penna(colore_);
    pittore_.drawPath(percorso);
    penna_ = percorso.currentPosition();
}

void CanvasStampa::line(double x1, double y1, double x2, double y2, int colore) {
    penna(colore);
    pittore_.drawLine(punto(x1, y1), punto(x2, y2));
}

void CanvasStampa::box(double x1, double y1, double x2, double y2, int colore, bool pieno) {
    penna(colore);
    if (pieno) pittore_.setBrush(colorePaletteCarta(colore));
    pittore_.drawRect(QRectF(punto(x1, y1), punto(x2, y2)).normalized());
}

namespace {
bool finiti(std::initializer_list<double> valori) {
    for (double v : valori)
        if (!std::isfinite(v) || std::fabs(v) > 1e8) return false;
    return true;
}
}  // namespace

void CanvasStampa::circle(double cx, double cy, double raggio, int colore, double aspetto) {
    if (!finiti({cx, cy, raggio})) return;
    const SemiAssi a = semiAssi(raggio, aspetto);
    penna(colore);
    pittore_.drawEllipse(punto(cx, cy), a.orizzontale, a.verticale);
}

void CanvasStampa::arc(double cx, double cy, double raggio, int colore, double inizio, double fine, double aspetto) {
    if (!finiti({cx, cy, raggio})) return;
    const double ampiezza = ampiezzaArco(inizio, fine);
    if (ampiezza <= 0) return;
    const SemiAssi a = semiAssi(raggio, aspetto);
    const QRectF rettangolo(punto(cx - a.orizzontale, cy - a.verticale), punto(cx + a.orizzontale, cy + a.verticale));
    constexpr double gradi = 57.29577951308232;
    QPainterPath percorso;
    percorso.arcMoveTo(rettangolo, inizio * gradi);
    percorso.arcTo(rettangolo, inizio * gradi, ampiezza * gradi);
    penna(colore);
    pittore_.drawPath(percorso);
}

}  // namespace carvela
