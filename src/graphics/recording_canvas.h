#pragma once
// A canvas that remembers every call, for tests of the drawings.
#include <string>
#include <vector>

#include "state/canvas.h"

namespace carvela {

struct OperazioneCanvas {
    enum Tipo { Clear, Pixel, MoveTo, LineTo, Bezier, Line, Box, Circle, Arc, Style } tipo;
    int colore = 0;             // fore colour for LineTo/Bezier, own colour otherwise
    double a = 0, b = 0, c = 0, d = 0;  // coordinates (x, y[, x2, y2]) or centre and radius
    double inizio = 0, fine = 0, aspetto = 1;
    bool pieno = false;
    StileTratto stile = StileTratto::Continuo;
    std::vector<PuntoCanvas> punti;  // Bezier points
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int w = 800, int h = 600) : w_(w), h_(h) {}

    std::vector<OperazioneCanvas> operazioni;

    int larghezza() const override { return w_; }
    int altezza() const override { return h_; }
    void ridimensiona(int w, int h) { w_ = w; h_ = h; }

    void clear() override { add({OperazioneCanvas::Clear}); }
    void setForeColor(int colore) override { fore_ = colore; }
    int foreColor() const override { return fore_; }
    void setDrawStyle(StileTratto stile) override {
        OperazioneCanvas o{OperazioneCanvas::Style};
        o.stile = stile;
        stile_ = stile;
        add(o);
    }
    void setPixel(int x, int y, int colore) override { add({OperazioneCanvas::Pixel, colore, double(x), double(y)}); }
    void moveTo(int x, int y) override {
        penX_ = x;
        penY_ = y;
        add({OperazioneCanvas::MoveTo, fore_, double(x), double(y)});
    }
    void lineTo(int x, int y) override {
        add({OperazioneCanvas::LineTo, fore_, double(penX_), double(penY_), double(x), double(y)});
        penX_ = x;
        penY_ = y;
    }
    void polyBezier(const std::vector<PuntoCanvas>& punti) override {
        OperazioneCanvas o{OperazioneCanvas::Bezier, fore_};
        o.punti = punti;
        add(o);
    }
    void line(double x1, double y1, double x2, double y2, int colore) override {
        add({OperazioneCanvas::Line, colore, x1, y1, x2, y2});
    }
    void box(double x1, double y1, double x2, double y2, int colore, bool pieno) override {
        OperazioneCanvas o{OperazioneCanvas::Box, colore, x1, y1, x2, y2};
        o.pieno = pieno;
        add(o);
    }
    void circle(double cx, double cy, double raggio, int colore, double aspetto) override {
        OperazioneCanvas o{OperazioneCanvas::Circle, colore, cx, cy, raggio};
        o.aspetto = aspetto;
        add(o);
    }
    void arc(double cx, double cy, double raggio, int colore, double inizio, double fine, double aspetto) override {
        OperazioneCanvas o{OperazioneCanvas::Arc, colore, cx, cy, raggio};
        o.inizio = inizio;
        o.fine = fine;
        o.aspetto = aspetto;
        add(o);
    }

    // Operations of one kind, in order.
    std::vector<OperazioneCanvas> di(OperazioneCanvas::Tipo t) const {
        std::vector<OperazioneCanvas> out;
        for (const auto& o : operazioni)
            if (o.tipo == t) out.push_back(o);
        return out;
    }
    void svuota() { operazioni.clear(); }

private:
    void add(OperazioneCanvas o) { operazioni.push_back(std::move(o)); }
    int w_, h_;
    int fore_ = 15;
    int penX_ = 0, penY_ = 0;
    StileTratto stile_ = StileTratto::Continuo;
};

}  // namespace carvela
