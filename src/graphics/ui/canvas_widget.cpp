#include "graphics/ui/canvas_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainterPath>
#include <QResizeEvent>
#include <cmath>

#include "graphics/canvas_mouse.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

QColor qColore(int indice) {
    const ColoreRgb c = colorePalette(indice);
    return QColor(c.r, c.g, c.b);
}

bool finito(double v) { return std::isfinite(v); }

// Coordinates far outside the canvas are clamped so the painter never sees absurd values.
double limita(double v) { return v > 1e7 ? 1e7 : (v < -1e7 ? -1e7 : v); }

QRectF rettangoloEllisse(double cx, double cy, double raggio, double aspetto) {
    const SemiAssi a = semiAssi(raggio, aspetto);
    return QRectF(cx - a.orizzontale, cy - a.verticale, 2 * a.orizzontale, 2 * a.verticale);
}

}  // namespace

CanvasWidget::CanvasWidget(Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    immagine_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    immagine_.fill(Qt::black);
}

CanvasWidget::~CanvasWidget() { chiudiPittore(); }

void CanvasWidget::setHost(Host* host) { host_ = host; }

const QImage& CanvasWidget::immagine() const {
    chiudiPittore();
    return immagine_;
}

int CanvasWidget::larghezza() const { return width(); }
int CanvasWidget::altezza() const { return height(); }

// One painter stays open on the picture while a drawing runs; it is closed before the
// picture is shown or resized.
QPainter& CanvasWidget::pittore(int colore) {
    if (!pittore_.isActive()) {
        pittore_.begin(&immagine_);
        pittore_.setRenderHint(QPainter::Antialiasing, false);
        pittore_.setBrush(Qt::NoBrush);
        colorePittore_ = -1;
    }
    if (colore != colorePittore_) {
        QPen penna(qColore(colore));
        penna.setWidth(0);
        penna.setStyle(stile_ == StileTratto::Tratteggiato ? Qt::DashLine : Qt::SolidLine);
        pittore_.setPen(penna);
        colorePittore_ = colore;
    }
    update();
    return pittore_;
}

void CanvasWidget::chiudiPittore() const {
    if (pittore_.isActive()) pittore_.end();
}

void CanvasWidget::clear() {
    chiudiPittore();
    immagine_.fill(Qt::black);
    penna_ = QPoint(0, 0);
    update();
}

void CanvasWidget::setForeColor(int colore) { colore_ = colore; }

void CanvasWidget::setDrawStyle(StileTratto stile) {
    stile_ = stile;
    colorePittore_ = -1;  // the pen is rebuilt with the new style
}

void CanvasWidget::setPixel(int x, int y, int colore) {
    if (x < 0 || y < 0 || x >= immagine_.width() || y >= immagine_.height()) return;
    QPainter& p = pittore(colore);
    p.drawPoint(x, y);
}

void CanvasWidget::moveTo(int x, int y) { penna_ = QPoint(x, y); }

void CanvasWidget::lineTo(int x, int y) {
    QPainter& p = pittore(colore_);
    p.drawLine(QPointF(limita(penna_.x()), limita(penna_.y())), QPointF(limita(x), limita(y)));
    penna_ = QPoint(x, y);
}

void CanvasWidget::polyBezier(const std::vector<PuntoCanvas>& punti) {
    if (punti.size() < 4) return;
    QPainterPath percorso(QPointF(limita(punti[0].x), limita(punti[0].y)));
    for (std::size_t i = 1; i + 2 < punti.size(); i += 3)
        percorso.cubicTo(QPointF(limita(punti[i].x), limita(punti[i].y)),
                         QPointF(limita(punti[i + 1].x), limita(punti[i + 1].y)),
                         QPointF(limita(punti[i + 2].x), limita(punti[i + 2].y)));
    pittore(colore_).drawPath(percorso);
}

void CanvasWidget::line(double x1, double y1, double x2, double y2, int colore) {
    if (!finito(x1) || !finito(y1) || !finito(x2) || !finito(y2)) return;
    pittore(colore).drawLine(QPointF(limita(x1), limita(y1)), QPointF(limita(x2), limita(y2)));
}

void CanvasWidget::box(double x1, double y1, double x2, double y2, int colore, bool pieno) {
    if (!finito(x1) || !finito(y1) || !finito(x2) || !finito(y2)) return;
    QPainter& p = pittore(colore);
    const QRectF r = QRectF(QPointF(limita(x1), limita(y1)), QPointF(limita(x2), limita(y2))).normalized();
    if (pieno) {
        p.fillRect(r, qColore(colore));
    } else {
        p.drawRect(r);
    }
}

void CanvasWidget::circle(double cx, double cy, double raggio, int colore, double aspetto) {
    if (!finito(cx) || !finito(cy) || !finito(raggio) || std::fabs(raggio) > 1e7) return;
    pittore(colore).drawEllipse(rettangoloEllisse(limita(cx), limita(cy), raggio, aspetto));
}

void CanvasWidget::arc(double cx, double cy, double raggio, int colore, double inizio, double fine, double aspetto) {
    if (!finito(cx) || !finito(cy) || !finito(raggio) || std::fabs(raggio) > 1e7) return;
    const double ampiezza = ampiezzaArco(inizio, fine);
    if (ampiezza <= 0) return;
    const QRectF r = rettangoloEllisse(limita(cx), limita(cy), raggio, aspetto);
    constexpr double gradi = 57.29577951308232;
    QPainterPath percorso;
    percorso.arcMoveTo(r, inizio * gradi);
    percorso.arcTo(r, inizio * gradi, ampiezza * gradi);
    pittore(colore).drawPath(percorso);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    chiudiPittore();
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

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = std::max(immagine_.width(), width()), h = std::max(immagine_.height(), height());
    if (w == immagine_.width() && h == immagine_.height()) return;
    chiudiPittore();
    QImage cresciuta(w, h, QImage::Format_RGB32);
    cresciuta.fill(Qt::black);
    {
        QPainter p(&cresciuta);
        p.drawImage(0, 0, immagine_);
    }
    immagine_ = std::move(cresciuta);
}

void CanvasWidget::aggiornaCursore() {
    const Vista& v = ws_.vista;
    if (v.modoAsse == 2) {
        setCursor(Qt::BlankCursor);  // the cross-hair lines stand for the cursor
    } else if (v.modoSelezione == 2) {
        setCursor(Qt::BlankCursor);  // the pick square stands for it
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
