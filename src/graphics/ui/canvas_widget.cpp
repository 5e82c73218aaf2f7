#include "graphics/ui/canvas_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "graphics/canvas_mouse.h"
#include "graphics/redraw.h"
#include "graphics/view_ops.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// The zoom of one wheel notch.
constexpr double kFattoreRotella = 1.25;

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

void CanvasWidget::clear() {
    superficie().clear();
    // The drawing that starts here shows a new document or new results: fit it once drawn.
    if (ws_.vista.mantieni == 0 && host_ != nullptr && !adattamentoInSospeso_) {
        adattamentoInSospeso_ = true;
        QTimer::singleShot(0, this, [this] { adattaSeInSospeso(); });
    }
}

void CanvasWidget::adattaSeInSospeso() {
    if (!adattamentoInSospeso_) return;
    adattamentoInSospeso_ = false;
    if (host_ == nullptr) return;
    MantieniVista mantieni(ws_.vista);
    if (adattaVista(ws_.vista, width(), height())) ridisegna(ws_, *this, *host_);
}
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
    if (trascinamento_) {
        // The picture follows the pointer until the drag ends and the drawing is redone.
        p.fillRect(event->rect(), Qt::black);
        p.drawImage(puntatore_ - inizioTrascinamento_, immagine_);
        return;
    }
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
    if (pulsanteTrascinamento_ != Qt::NoButton && (puntatore_ - inizioTrascinamento_).manhattanLength() >= 4)
        trascinamento_ = true;
    const std::string testo = testoPuntatore ? testoPuntatore(puntatore_.x(), puntatore_.y())
                                             : testoCoordinate(ws_.vista, puntatore_.x(), puntatore_.y());
    emit coordinateMouse(QString::fromStdString(testo));
    aggiornaCursore();
    update();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    puntatore_ = event->position();
    const bool medio = event->button() == Qt::MiddleButton;
    const bool sinistroInPan = event->button() == Qt::LeftButton && ws_.vista.modoPan == 1;
    if (host_ != nullptr && !trascinamento_ && (medio || sinistroInPan)) {
        pulsanteTrascinamento_ = event->button();
        inizioTrascinamento_ = puntatore_;
    }
    QWidget::mousePressEvent(event);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    puntatore_ = event->position();
    puntatoreDentro_ = true;
    if (host_ == nullptr) return;
    if (event->button() == pulsanteTrascinamento_) {
        pulsanteTrascinamento_ = Qt::NoButton;
        const QPointF d = puntatore_ - inizioTrascinamento_;
        const bool spostato = trascinamento_ || d.manhattanLength() >= 4;
        trascinamento_ = false;
        if (event->button() == Qt::MiddleButton || spostato) {
            if (spostato) {
                // A drag in the pan mode ends it, as its second click would.
                if (event->button() == Qt::LeftButton) ws_.vista.modoPan = 0;
                MantieniVista mantieni(ws_.vista);
                spostaVista(ws_.vista, d.x(), d.y());
                ridisegna(ws_, *this, *host_);
            }
            aggiornaCursore();
            update();
            return;
        }
    }
    const PulsanteMouse pulsante = event->button() == Qt::LeftButton    ? PulsanteMouse::Sinistro
                                   : event->button() == Qt::RightButton ? PulsanteMouse::Destro
                                                                        : PulsanteMouse::Altro;
    const EsitoMouse esito = rilascioMouse(ws_, *this, *host_, pulsante, puntatore_.x(), puntatore_.y());
    aggiornaCursore();
    update();
    if (esito == EsitoMouse::TracciamentoTerminato) emit tracciamentoTerminato();
    if (esito == EsitoMouse::FinestraPlot) emit finestraPlotRichiesta();
}

// The wheel zooms about the pointer, a notch at a time, and saves no view.
void CanvasWidget::wheelEvent(QWheelEvent* event) {
    const double scatti = event->angleDelta().y() / 120.0;
    if (host_ == nullptr || scatti == 0 || trascinamento_) return;
    const QPointF p = event->position();
    if (zoomAttorno(ws_.vista, p.x(), p.y(), std::pow(kFattoreRotella, scatti))) {
        MantieniVista mantieni(ws_.vista);
        ridisegna(ws_, *this, *host_);
    }
    event->accept();
}

void CanvasWidget::leaveEvent(QEvent* event) {
    puntatoreDentro_ = false;
    update();
    QWidget::leaveEvent(event);
}

}  // namespace carvela
