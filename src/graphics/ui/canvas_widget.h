#pragma once
// The drawing canvas of the main window. Drawings paint into a retained picture (black
// background, palette colours), so what is drawn survives expose and resize; the mouse
// drives the canvas modes of the view, and the cross-hair, rubber band, zoom rectangle and
// pick square are painted over the picture, never into it.
//
// The picture's pixels are drawn by the program's own rasterizer, the one that makes the
// batch tool's PNG pictures: the screen and the pictures match pixel for pixel, and a plan
// with a hundred thousand labelled points draws in a fraction of the time a painter call
// per stroke takes.
#include <QImage>
#include <functional>
#include <string>
#include <QWidget>

#include "graphics/raster_canvas.h"

namespace carvela {
struct Workspace;
class Host;

class CanvasWidget : public QWidget, public Canvas {
    Q_OBJECT
public:
    explicit CanvasWidget(Workspace& ws, QWidget* parent = nullptr);
    ~CanvasWidget() override;

    // The host that receives the messages of zooms and tracing; without one the mouse only
    // reports coordinates.
    void setHost(Host* host);
    // The picture as drawn so far (at least as large as the widget).
    const QImage& immagine() const;
    // A drawing that did not come from a view command is fitted to the canvas as soon as
    // control returns to the event loop; this does it at once (tests, the first show).
    void adattaSeInSospeso();
    // The text of the coordinate label: how the pointer's position reads on the document
    // shown. The plan adds the project origin (set by the window that knows it).
    std::function<std::string(double, double)> testoPuntatore;

    // Canvas
    int larghezza() const override;
    int altezza() const override;
    void clear() override;
    void setForeColor(int colore) override;
    int foreColor() const override { return raster_.foreColor(); }
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

signals:
    // The world coordinates under the pointer, "x, y".
    void coordinateMouse(const QString& testo);
    // The right button ended axis tracing.
    void tracciamentoTerminato();
    // A zoom window chose the plot corners (the print mark was set).
    void finestraPlotRichiesta();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The rasterizer on the picture's pixels, ready to draw (the picture unshared first).
    RasterCanvas& superficie();
    void aggiornaCursore();

    Workspace& ws_;
    Host* host_ = nullptr;
    QImage immagine_;
    RasterCanvas raster_{nullptr, 0, 0, 0};
    QPointF puntatore_;
    bool puntatoreDentro_ = false;
    bool adattamentoInSospeso_ = false;
    // A pan by dragging (middle button, or left while the pan mode is armed): where it started.
    bool trascinamento_ = false;
    Qt::MouseButton pulsanteTrascinamento_ = Qt::NoButton;
    QPointF inizioTrascinamento_;
};

}  // namespace carvela
