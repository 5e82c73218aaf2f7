#pragma once
// Shared helpers of the drawing and road window tests.
#include <QImage>
#include <QPushButton>
#include <QWidget>

namespace carvela::prova {

inline QPushButton* pulsante(QWidget* w, const QString& testo) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == testo) return b;
    return nullptr;
}

// Pixels of the colour given, or (with `diverso`) of any other colour.
inline int pixel(const QImage& img, QRgb colore, bool diverso = false) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += ((img.pixel(x, y) & 0xFFFFFF) == (colore & 0xFFFFFF)) != diverso;
    return n;
}

// Whether a pixel within `r` of (x, y) has the colour.
inline bool vicino(const QImage& img, int x, int y, QRgb colore, int r = 2) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (img.valid(x + dx, y + dy) && (img.pixel(x + dx, y + dy) & 0xFFFFFF) == (colore & 0xFFFFFF)) return true;
    return false;
}

}  // namespace carvela::prova
