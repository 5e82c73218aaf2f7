#include "shell/ui/icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace carvela {
namespace {

constexpr int kLato = 32;  // drawn at 32 px, shown at 24 or 16

const QColor kInchiostro(40, 48, 60);
const QColor kBlu(40, 100, 190);
const QColor kVerde(60, 150, 70);
const QColor kRosso(200, 60, 50);
const QColor kGiallo(235, 190, 60);
const QColor kTerra(150, 110, 70);

QPen penna(const QColor& c, double larghezza = 2.0) {
    QPen p(c, larghezza);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void lente(QPainter& p, const QString& segno) {
    p.setPen(penna(kInchiostro, 2.5));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.setPen(penna(kInchiostro, 4.5));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(penna(kBlu, 2.5));
    if (segno == "+" || segno == "-") p.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
    if (segno == "+") p.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
    if (segno == "[]") {
        QPen tratteggio = penna(kBlu, 1.5);
        tratteggio.setStyle(Qt::DashLine);
        p.setPen(tratteggio);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(8, 9, 10, 8));
    }
}

void freccia(QPainter& p, QPointF da, QPointF a) {
    p.drawLine(da, a);
    const double ang = std::atan2(a.y() - da.y(), a.x() - da.x());
    for (double d : {2.6, -2.6}) p.drawLine(a, a - QPointF(5 * std::cos(ang + d / 6), 5 * std::sin(ang + d / 6)));
}

void cartella(QPainter& p, const QColor& colore) {
    p.setPen(penna(colore.darker(150), 1.5));
    p.setBrush(colore);
    QPolygonF forma({{3, 8}, {12, 8}, {15, 11}, {29, 11}, {29, 27}, {3, 27}});
    p.drawPolygon(forma);
    p.setBrush(colore.lighter(120));
    p.drawPolygon(QPolygonF({{3, 27}, {7, 15}, {31, 15}, {29, 27}}));
}

void tabella(QPainter& p) {
    p.setPen(penna(kInchiostro, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 6, 24, 20));
    p.fillRect(QRectF(5, 7, 23, 5), QColor(170, 195, 230));
    for (double y : {12.0, 17.0, 22.0}) p.drawLine(QPointF(4, y), QPointF(28, y));
    for (double x : {12.0, 20.0}) p.drawLine(QPointF(x, 6), QPointF(x, 26));
}

void ingranaggio(QPainter& p, QPointF c, double r) {
    p.setPen(penna(kInchiostro, 1.5));
    p.setBrush(QColor(160, 170, 185));
    QPainterPath dente;
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        const double raggio = (i % 2 == 0) ? r : r * 0.72;
        const QPointF q = c + QPointF(raggio * std::cos(a), raggio * std::sin(a));
        if (i == 0)
            dente.moveTo(q);
        else
            dente.lineTo(q);
    }
    dente.closeSubpath();
    p.drawPath(dente);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r * 0.3, r * 0.3);
}

void cerchioConLettera(QPainter& p, const QColor& colore, const QString& lettera) {
    p.setPen(penna(colore.darker(140), 1.5));
    p.setBrush(colore);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(17);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, lettera);
}

void raggi(QPainter& p, const std::vector<QPointF>& stazioni, QPointF punto) {
    p.setPen(penna(kBlu, 1.5));
    for (const QPointF& s : stazioni) p.drawLine(s, punto);
    p.setPen(penna(kInchiostro, 1));
    p.setBrush(kGiallo);
    for (const QPointF& s : stazioni) p.drawRect(QRectF(s.x() - 2.5, s.y() - 2.5, 5, 5));
    p.setBrush(kRosso);
    p.drawEllipse(punto, 3, 3);
}

void disegna(QPainter& p, const QString& n) {
    if (n == "icoNew") {
        p.setPen(penna(kInchiostro, 1.5));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}));
        p.drawPolyline(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
        p.setPen(penna(kGiallo.darker(110), 2));
        p.drawLine(QPointF(22, 18), QPointF(22, 26));
        p.drawLine(QPointF(18, 22), QPointF(26, 22));
    } else if (n == "icoOpen" || n == "IcoPrj") {
        cartella(p, kGiallo);
    } else if (n == "icoSave") {
        p.setPen(penna(kInchiostro, 1.5));
        p.setBrush(kBlu);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 4, 16, 9));
        p.setBrush(QColor(200, 205, 215));
        p.drawRect(QRectF(9, 18, 14, 10));
        p.fillRect(QRectF(18, 6, 3, 5), kInchiostro);
    } else if (n == "icoZoom") {
        lente(p, "[]");
    } else if (n == "icoZX2") {
        lente(p, "+");
    } else if (n == "icoZ05") {
        lente(p, "-");
    } else if (n == "icoPan") {
        p.setPen(penna(kInchiostro, 2.2));
        const QPointF c(16, 16);
        for (QPointF d : {QPointF(0, -12), QPointF(0, 12), QPointF(-12, 0), QPointF(12, 0)}) freccia(p, c, c + d);
    } else if (n == "icoView") {
        p.setPen(penna(kVerde, 1.5));
        p.setBrush(QColor(220, 240, 220));
        p.drawRect(QRectF(10, 10, 12, 12));
        p.setPen(penna(kInchiostro, 2));
        freccia(p, {10, 10}, {3, 3});
        freccia(p, {22, 10}, {29, 3});
        freccia(p, {10, 22}, {3, 29});
        freccia(p, {22, 22}, {29, 29});
    } else if (n == "icoUndo") {
        p.setPen(penna(kBlu, 3));
        p.setBrush(Qt::NoBrush);
        QPainterPath arco;
        arco.moveTo(8, 14);
        arco.cubicTo(12, 4, 28, 6, 26, 18);
        arco.cubicTo(25, 24, 20, 27, 14, 27);
        p.drawPath(arco);
        p.setBrush(kBlu);
        p.setPen(penna(kBlu, 1));
        p.drawPolygon(QPolygonF({{3, 8}, {13, 9}, {6, 18}}));
    } else if (n == "icoDraw" || n == "IcoDraw") {
        p.setPen(penna(kInchiostro, 1.2));
        p.setBrush(kGiallo);
        p.drawPolygon(QPolygonF({{22, 4}, {28, 10}, {12, 26}, {6, 20}}));
        p.setBrush(QColor(240, 210, 170));
        p.drawPolygon(QPolygonF({{6, 20}, {12, 26}, {4, 28}}));
        p.setBrush(kRosso);
        p.drawPolygon(QPolygonF({{22, 4}, {25, 1}, {31, 7}, {28, 10}}));
    } else if (n == "icoPC" || n == "IcoMecc") {
        ingranaggio(p, {16, 16}, 13);
    } else if (n == "icoHelp") {
        cerchioConLettera(p, kBlu, "?");
    } else if (n == "icoInfo") {
        cerchioConLettera(p, kVerde, "i");
    } else if (n == "IcoTable") {
        tabella(p);
    } else if (n == "IcoPlanim") {
        p.setPen(penna(kInchiostro, 1.2));
        p.setBrush(QColor(235, 245, 225));
        p.drawRect(QRectF(3, 4, 26, 24));
        p.setBrush(Qt::NoBrush);
        p.setPen(penna(kTerra, 1.4));
        for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(14, 15), 4.0 + 4 * i, 3.0 + 3 * i);
        p.setPen(penna(kRosso, 2));
        p.drawPolyline(QPolygonF({{4, 26}, {14, 15}, {28, 10}}));
    } else if (n == "IcoProfilo") {
        p.setPen(penna(kTerra, 2));
        p.drawPolyline(QPolygonF({{2, 22}, {8, 16}, {13, 20}, {19, 10}, {24, 15}, {30, 12}}));
        p.setPen(penna(kRosso, 2));
        p.drawPolyline(QPolygonF({{2, 19}, {16, 15}, {30, 13}}));
        p.setPen(penna(kInchiostro, 1));
        p.drawLine(QPointF(2, 28), QPointF(30, 28));
    } else if (n == "IcoSezione") {
        p.setPen(penna(kTerra, 2));
        p.drawPolyline(QPolygonF({{2, 12}, {10, 16}, {22, 20}, {30, 25}}));
        p.setPen(penna(kInchiostro, 1.5));
        p.setBrush(QColor(190, 190, 200));
        p.drawPolygon(QPolygonF({{4, 13}, {9, 19}, {23, 19}, {28, 24}}));
        p.setPen(penna(kRosso, 1));
        p.drawLine(QPointF(16, 6), QPointF(16, 28));
    } else if (n == "IcoVolumi") {
        p.setPen(penna(kInchiostro, 1));
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        p.setBrush(kVerde);
        p.drawRect(QRectF(5, 6, 5, 10));
        p.drawRect(QRectF(11, 10, 5, 6));
        p.setBrush(kRosso);
        p.drawRect(QRectF(17, 16, 5, 9));
        p.drawRect(QRectF(23, 16, 5, 5));
    } else if (n == "IcoPoliA" || n == "IcoPoliC") {
        QPolygonF pt({{4, 24}, {11, 8}, {21, 13}, {28, 5}});
        if (n == "IcoPoliC") pt = QPolygonF({{4, 22}, {9, 6}, {24, 5}, {29, 20}, {16, 28}});
        p.setPen(penna(kBlu, 2));
        if (n == "IcoPoliC")
            p.drawPolygon(pt);
        else
            p.drawPolyline(pt);
        p.setPen(penna(kInchiostro, 1));
        p.setBrush(kGiallo);
        for (const QPointF& q : pt) p.drawEllipse(q, 2.5, 2.5);
    } else if (n == "IcoTriangola") {
        p.setPen(penna(kBlu, 1.6));
        p.setBrush(QColor(210, 225, 245));
        p.drawPolygon(QPolygonF({{3, 26}, {12, 6}, {18, 26}}));
        p.drawPolygon(QPolygonF({{12, 6}, {18, 26}, {26, 8}}));
        p.drawPolygon(QPolygonF({{18, 26}, {26, 8}, {30, 26}}));
    } else if (n == "IcoIntersA") {
        raggi(p, {{4, 27}, {28, 27}}, {16, 6});
    } else if (n == "IcoPotheno") {
        raggi(p, {{4, 6}, {16, 4}, {28, 6}}, {16, 26});
    } else if (n == "IcoHansen") {
        raggi(p, {{5, 5}, {27, 5}}, {10, 26});
        raggi(p, {{5, 5}, {27, 5}}, {24, 24});
    }
}

}  // namespace

QIcon iconaProgramma(const QString& nome) {
    QPixmap pm(kLato, kLato);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        disegna(p, nome);
    }
    return QIcon(pm);
}

QPixmap immagineMarchio(int larghezza, int altezza) {
    QPixmap pm(larghezza, altezza);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient cielo(0, 0, 0, altezza);
    cielo.setColorAt(0, QColor(35, 70, 120));
    cielo.setColorAt(1, QColor(120, 170, 210));
    p.fillRect(pm.rect(), cielo);
    // Hills as contour bands and a road winding across them.
    for (int i = 0; i < 5; ++i) {
        QPainterPath collina;
        const double base = altezza * (0.55 + 0.09 * i);
        collina.moveTo(0, base);
        collina.cubicTo(larghezza * 0.3, base - altezza * 0.18, larghezza * 0.6, base + altezza * 0.1, larghezza,
                        base - altezza * 0.08);
        collina.lineTo(larghezza, altezza);
        collina.lineTo(0, altezza);
        p.fillPath(collina, QColor(70 + 20 * i, 120 + 15 * i, 60 + 5 * i));
    }
    QPainterPath strada;
    strada.moveTo(larghezza * 0.08, altezza);
    strada.cubicTo(larghezza * 0.35, altezza * 0.75, larghezza * 0.55, altezza * 0.85, larghezza * 0.92,
                   altezza * 0.58);
    p.setPen(QPen(QColor(70, 70, 70), altezza * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strada);
    QPen mezzeria(QColor(250, 250, 250), altezza * 0.008, Qt::DashLine, Qt::FlatCap);
    p.setPen(mezzeria);
    p.drawPath(strada);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(std::max(12, altezza / 6));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, altezza / 12, larghezza, altezza / 4), Qt::AlignCenter, "Carvela");
    return pm;
}

}  // namespace carvela
