#include "graphics/ui/canvas_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "graphics/canvas_mouse.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

// Overlay coordinates far outside the canvas are clamped for the painter.
double limita(double v) { return v > 1e7 ? 1e7 : (v < -1e7 ? -1e7 : v); }

}  // namespace

CanvasWidget::CanvasWidget(Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    immagine_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    immagine_.fill(Qt::black);
    superficie();
}

CanvasWidget::~CanvasWidget() = default;

void CanvasWidget::setHost(Host* host) { host_ = host; }

const QImage& CanvasWidget::immagine() const { return immagine_; }

// A copy of the picture handed out earlier must not change under its holder: the picture
// is unshared before every drawing, and the rasterizer follows its pixels.
RasterCanvas& CanvasWidget::superficie() {
    if (!immagine_.isDetached() || raster_.larghezza() != immagine_.width() ||
        raster_.altezza() != immagine_.height()) {
        uchar* bits = immagine_.bits();  // detaches
        raster_.collega(reinterpret_cast<uint32_t*>(bits), immagine_.width(), immagine_.height(),
                        static_cast<int>(immagine_.bytesPerLine() / 4));
    }
    update();
    return raster_;
}

int CanvasWidget::larghezza() const { return width(); }
int CanvasWidget::altezza() const { return height(); }

void CanvasWidget::clear() { superficie().clear(); }
void CanvasWidget::setForeColor(int colore) { raster_.setForeColor(colore); }
void CanvasWidget::setDrawStyle(StileTratto stile) { raster_.setDrawStyle(stile); }
void CanvasWidget::setPixel(int x, int y, int colore) { superficie().setPixel(x, y, colore); }
void CanvasWidget::moveTo(int x, int y) { raster_.moveTo(x, y); }
void CanvasWidget::lineTo(int x, int y) { superficie().lineTo(x, y); }
void CanvasWidget::polyBezier(const std::vector<PuntoCanvas>& punti) { superficie().polyBezier(punti); }
void CanvasWidget::line(double x1, double y1, double x2, double y2, int colore) {
    superficie().line(x1, y1, x2, y2, colore);
}
void CanvasWidget::box(double x1, double y1, double x2, double y2, int colore, bool pieno) {
    superficie().box(x1, y1, x2, y2, colore, pieno);
}
void CanvasWidget::circle(double cx, double cy, double raggio, int colore, double aspetto) {
    superficie().circle(cx, cy, raggio, colore, aspetto);
}
void CanvasWidget::arc(double cx, double cy, double raggio, int colore, double inizio, double fine, double aspetto) {
    superficie().arc(cx, cy, raggio, colore, inizio, fine, aspetto);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect(), immagine_, event->rect());
    if (!puntatoreDentro_) return;
    const ControlliCanvas c = controlliCanvas(ws_, puntatore_.x(), puntatore_.y());
    QPen penna(QColor(192, 192, 192));
    penna.setWidth(0);
    penna.setStyle(Qt::DotLine);
    p.setPen(penna);
    p.setBrush(Qt::NoBrush);
    const QPointF inizio(limita(c.inizioX), limita(c.inizioY));
    if (c.croce) {
        p.drawLine(QPointF(0, c.puntatoreY), QPointF(width(), c.puntatoreY));
        p.drawLine(QPointF(c.puntatoreX, 0), QPointF(c.puntatoreX, height()));
    }
    if (c.elastico) p.drawLine(inizio, puntatore_);
    if (c.rettangolo) p.drawRect(QRectF(inizio, puntatore_).normalized());
    if (c.quadrato) {
        const double m = kLatoQuadratoSelezione / 2;
        p.drawRect(QRectF(c.puntatoreX - m, c.puntatoreY - m, kLatoQuadratoSelezione, kLatoQuadratoSelezione));
    }
}

// The picture only grows, keeping what is drawn.
void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = std::max(immagine_.width(), width()), h = std::max(immagine_.height(), height());
    if (w == immagine_.width() && h == immagine_.height()) return;
    QImage cresciuta(w, h, QImage::Format_RGB32);
    cresciuta.fill(Qt::black);
    {
        QPainter p(&cresciuta);
        p.drawImage(0, 0, immagine_);
    }
    immagine_ = std::move(cresciuta);
    superficie();
}

void CanvasWidget::aggiornaCursore() {
    const Vista& v = ws_.vista;
    if (v.modoAsse == 2 || v.modoSelezione == 2) {
        setCursor(Qt::BlankCursor);  // the cross-hair lines or the pick square stand for it
    } else if (v.modoZoom != 0 || v.modoPan != 0) {
        setCursor(Qt::CrossCursor);
    } else {
        unsetCursor();
    }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    puntatore_ = event->position();
    puntatoreDentro_ = true;
    emit coordinateMouse(QString::fromStdString(testoCoordinate(ws_.vista, puntatore_.x(), puntatore_.y())));
    aggiornaCursore();
    update();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    puntatore_ = event->position();
    puntatoreDentro_ = true;
    if (host_ == nullptr) return;
    const PulsanteMouse pulsante = event->button() == Qt::LeftButton    ? PulsanteMouse::Sinistro
                                   : event->button() == Qt::RightButton ? PulsanteMouse::Destro
                                                                        : PulsanteMouse::Altro;
    const EsitoMouse esito = rilascioMouse(ws_, *this, *host_, pulsante, puntatore_.x(), puntatore_.y());
    aggiornaCursore();
    update();
    if (esito == EsitoMouse::TracciamentoTerminato) emit tracciamentoTerminato();
    if (esito == EsitoMouse::FinestraPlot) emit finestraPlotRichiesta();
}

void CanvasWidget::leaveEvent(QEvent* event) {
    puntatoreDentro_ = false;
    update();
    QWidget::leaveEvent(event);
}

}  // namespace carvela
