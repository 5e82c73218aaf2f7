// The survey drawings painted on an image, as the canvas window shows them: a computed closed
// traverse and a triangulation chain. With CARVELA_SCREENSHOT_DIR set, the pictures are
// saved there for a look.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtTest>
#include <cmath>

#include "graphics/canvas.h"
#include "graphics/view.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "survey/survey_drawings.h"
#include "survey/traverse.h"
#include "survey/triangulation.h"

using namespace carvela;

namespace {

// A canvas painting a QImage on black in the palette colours.
class CanvasImmagine : public Canvas {
public:
    CanvasImmagine(int w, int h) : immagine_(w, h, QImage::Format_RGB32) { immagine_.fill(Qt::black); }
    const QImage& immagine() const { return immagine_; }

    int larghezza() const override { return immagine_.width(); }
    int altezza() const override { return immagine_.height(); }
    void clear() override { immagine_.fill(Qt::black); }
    void setForeColor(int colore) override { fore_ = colore; }
    int foreColor() const override { return fore_; }
    void setDrawStyle(StileTratto stile) override { stile_ = stile; }
    void setPixel(int x, int y, int colore) override {
        if (immagine_.rect().contains(x, y)) immagine_.setPixelColor(x, y, qcolore(colore));
    }
    void moveTo(int x, int y) override { penna_ = QPointF(x, y); }
    void lineTo(int x, int y) override {
        QPainter p(&immagine_);
        p.setPen(matita(fore_));
        p.drawLine(penna_, QPointF(x, y));
        penna_ = QPointF(x, y);
    }
    void polyBezier(const std::vector<PuntoCanvas>& punti) override {
        if (punti.empty()) return;
        QPainterPath percorso(QPointF(punti[0].x, punti[0].y));
        for (std::size_t i = 1; i + 2 < punti.size(); i += 3)
            percorso.cubicTo(QPointF(punti[i].x, punti[i].y), QPointF(punti[i + 1].x, punti[i + 1].y),
                             QPointF(punti[i + 2].x, punti[i + 2].y));
        QPainter p(&immagine_);
        p.setPen(matita(fore_));
        p.drawPath(percorso);
    }
    void line(double x1, double y1, double x2, double y2, int colore) override {
        QPainter p(&immagine_);
        p.setPen(matita(colore));
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void box(double x1, double y1, double x2, double y2, int colore, bool pieno) override {
        QPainter p(&immagine_);
        p.setPen(matita(colore));
        if (pieno) p.setBrush(qcolore(colore));
        p.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    }
    void circle(double cx, double cy, double r, int colore, double aspetto) override {
        QPainter p(&immagine_);
        p.setPen(matita(colore));
        p.drawEllipse(ellisse(cx, cy, r, aspetto));
    }
    void arc(double cx, double cy, double r, int colore, double inizio, double fine, double aspetto) override {
        double ampiezza = fine - inizio;
        if (ampiezza < 0) ampiezza += 2 * M_PI;
        QPainter p(&immagine_);
        p.setPen(matita(colore));
        p.drawArc(ellisse(cx, cy, r, aspetto), static_cast<int>(inizio * 180 / M_PI * 16),
                  static_cast<int>(ampiezza * 180 / M_PI * 16));
    }

    static QColor qcolore(int indice) {
        const ColoreRgb c = colorePalette(indice);
        return QColor(c.r, c.g, c.b);
    }

private:
    QPen matita(int colore) const {
        QPen pen(qcolore(colore));
        if (stile_ == StileTratto::Tratteggiato) pen.setStyle(Qt::DashLine);
        return pen;
    }
    static QRectF ellisse(double cx, double cy, double r, double aspetto) {
        const double rx = aspetto > 1 ? r / aspetto : r, ry = aspetto > 1 ? r : r * aspetto;
        return QRectF(cx - rx, cy - ry, 2 * rx, 2 * ry);
    }

    QImage immagine_;
    int fore_ = 15;
    StileTratto stile_ = StileTratto::Continuo;
    QPointF penna_;
};

// The view that frames the world box with a margin.
void inquadra(Vista& v, const Canvas& c, double x0, double y0, double x1, double y1) {
    const double s = 0.8 * std::min(c.larghezza() / (x1 - x0), c.altezza() / (y1 - y0));
    v.scala = static_cast<float>(s);
    v.offsetX = static_cast<float>(c.larghezza() / 2.0 - s * (x0 + x1) / 2);
    v.offsetY = static_cast<float>(c.altezza() / 2.0 + s * (y0 + y1) / 2);
}

int pixelDelColore(const QImage& img, int indice) {
    const QRgb cercato = CanvasImmagine::qcolore(indice).rgb();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == cercato;
    return n;
}

void salva(const QImage& img, const char* nome) {
    const QByteArray cartella = qgetenv("CARVELA_SCREENSHOT_DIR");
    if (!cartella.isEmpty()) QVERIFY(img.save(QString::fromLocal8Bit(cartella) + "/" + nome));
}

}  // namespace

class SurveyRenderTest : public QObject {
    Q_OBJECT

private slots:
    void closedTraverse() {
        // A five-sided loop read in grads, with a few centimetres of misclosure.
        Workspace ws;
        ws.impostazioni.DimensioneQuote = 6;
        ClosedTraverse& p = ws.PoligonaleChiusa;
        const float angoli[] = {102.3456f, 133.4421f, 88.1234f, 134.2001f, 141.8910f};
        const float distanze[] = {180.25f, 140.10f, 160.72f, 120.44f, 150.03f};
        p.NumeroStazioni = 5;
        for (auto* a : {&p.LetturaIndietro, &p.LetturaAvanti, &p.Distanza, &p.AngoloZenitale, &p.AltezzaStrumentale,
                        &p.AltezzaPrisma})
            a->redim(5);
        for (int i = 1; i <= 5; ++i) {
            p.LetturaAvanti[i] = angoli[i - 1];
            p.Distanza[i] = distanze[i - 1];
            p.AngoloZenitale[i] = 99.5f;
            p.AltezzaStrumentale[i] = 1.5f;
            p.AltezzaPrisma[i] = 1.6f;
        }
        p.Ascissa.redim(1);
        p.Ordinata.redim(1);
        p.Quota.redim(1);
        p.Azimut.redim(1);
        p.Ascissa[1] = 1000;
        p.Ordinata[1] = 2000;
        p.Quota[1] = 150;
        p.Azimut[1] = 80;
        p.TolleranzaAngolare = 0.05f;
        p.TolleranzaLineare = 1;
        preparaPoligonaleChiusa(p);
        FakeHost host;
        QVERIFY(calcolaPoligonaleChiusa(p, 200, host));

        CanvasImmagine canvas(900, 700);
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (int i = 1; i <= 5; ++i) {
            x0 = std::min<double>(x0, p.Ascissa[i]);
            x1 = std::max<double>(x1, p.Ascissa[i]);
            y0 = std::min<double>(y0, p.Ordinata[i]);
            y1 = std::max<double>(y1, p.Ordinata[i]);
        }
        inquadra(ws.vista, canvas, x0, y0, x1 + 60, y1 + 10);
        disegnaPoligonaleChiusa(ws, canvas, host);
        salva(canvas.immagine(), "poligonale_chiusa.png");
        QVERIFY(pixelDelColore(canvas.immagine(), 15) > 500);  // the white loop
        QVERIFY(pixelDelColore(canvas.immagine(), 14) > 100);  // the yellow labels
    }

    void triangulationChain() {
        Workspace ws;
        ws.impostazioni.DimensioneQuote = 5;
        TriangulationChain& c = ws.Triangolazione;
        const float a[][3] = {{62.1f, 55.3f, 62.6f}, {58.2f, 63.9f, 57.9f}, {65.0f, 54.4f, 60.6f},
                              {57.7f, 61.8f, 60.5f}, {61.2f, 58.1f, 60.7f}};
        c.NumeroTriangoli = 5;
        for (auto* v : {&c.Angolo1, &c.Angolo2, &c.Angolo3}) v->redim(5);
        for (int t = 1; t <= 5; ++t) {
            c.Angolo1[t] = a[t - 1][0];
            c.Angolo2[t] = a[t - 1][1];
            c.Angolo3[t] = a[t - 1][2];
        }
        c.X.redim(0);
        c.Y.redim(0);
        c.Azimut.redim(0);
        c.Distanza.redim(0);
        c.X[0] = 500;
        c.Y[0] = 300;
        c.Azimut[0] = 70;
        c.Distanza[0] = 120;
        preparaTriangolazione(c);
        FakeHost host;
        QVERIFY(calcolaTriangolazione(c, 180, host));

        CanvasImmagine canvas(900, 700);
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (int v = 0; v <= 6; ++v) {
            x0 = std::min<double>(x0, c.X[v]);
            x1 = std::max<double>(x1, c.X[v]);
            y0 = std::min<double>(y0, c.Y[v]);
            y1 = std::max<double>(y1, c.Y[v]);
        }
        inquadra(ws.vista, canvas, x0 - 10, y0 - 10, x1 + 70, y1 + 15);
        disegnaTriangolazione(ws, canvas, host);
        salva(canvas.immagine(), "triangolazione.png");
        QVERIFY(pixelDelColore(canvas.immagine(), 15) > 300);  // the chain path
        QVERIFY(pixelDelColore(canvas.immagine(), 12) > 100);  // the dashed third sides
        QVERIFY(pixelDelColore(canvas.immagine(), 10) > 50);   // the vertex circles
        QVERIFY(pixelDelColore(canvas.immagine(), 14) > 100);  // the labels
    }
};

QTEST_MAIN(SurveyRenderTest)
#include "survey_render_test.moc"
