#include "shell/ui/print_grids.h"

#include <QDate>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "project/vbtext.h"
#include "shell/ui/print_setup.h"
#include "state/host.h"

namespace carvela {
namespace {

constexpr double kPuntiCella = 9, kPuntiMinimi = 6;

double millimetri(const QPaintDevice& d, double mm) { return mm * d.logicalDpiX() / 25.4; }

QFont carattere(double punti, bool grassetto = false) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

QString testo(const Griglia& g, int r, int c) { return QString::fromStdString(g.testo(r, c)); }

bool numerico(const QString& t) {
    double v;
    return leggiNumero(t.toStdString(), v);
}

// Column widths of one grid at a text size: the widest printed cell, the longest word of the
// heading (headings wrap), and a margin on each side.
std::vector<double> larghezzeNaturali(QPaintDevice& d, const Griglia& g, int righe, double punti) {
    QFontMetricsF normale(carattere(punti), &d), grassetto(carattere(punti, true), &d);
    const double margine = millimetri(d, 1.6);
    std::vector<double> l(static_cast<std::size_t>(g.colonne()), 0.0);
    for (int c = 0; c < g.colonne(); ++c) {
        double w = 0;
        for (const QString& parola : testo(g, 0, c).split(' ', Qt::SkipEmptyParts))
            w = std::max(w, grassetto.horizontalAdvance(parola));
        for (int r = 1; r <= righe; ++r) w = std::max(w, normale.horizontalAdvance(testo(g, r, c)));
        l[static_cast<std::size_t>(c)] = std::max(w, millimetri(d, 6)) + 2 * margine;
    }
    return l;
}

double altezzaIntestazione(QPaintDevice& d, const Griglia& g, const std::vector<int>& colonne,
                           const std::vector<double>& larghezze, double punti) {
    QFontMetricsF grassetto(carattere(punti, true), &d);
    const double margine = millimetri(d, 1.6);
    double h = grassetto.height();
    for (std::size_t i = 0; i < colonne.size(); ++i) {
        QRectF r = grassetto.boundingRect(QRectF(0, 0, larghezze[i] - 2 * margine, 1e6),
                                          Qt::TextWordWrap | Qt::AlignHCenter, testo(g, 0, colonne[i]));
        h = std::max(h, r.height());
    }
    return h + 2 * millimetri(d, 1.2);
}

// Groups of columns that fit the width; column 0 opens every group.
std::vector<std::vector<int>> gruppiColonne(const std::vector<double>& larghezze, double disponibile) {
    std::vector<std::vector<int>> gruppi;
    std::vector<int> corrente{0};
    double usato = larghezze.empty() ? 0 : larghezze[0];
    for (int c = 1; c < static_cast<int>(larghezze.size()); ++c) {
        if (corrente.size() > 1 && usato + larghezze[static_cast<std::size_t>(c)] > disponibile) {
            gruppi.push_back(corrente);
            corrente = {0};
            usato = larghezze[0];
        }
        corrente.push_back(c);
        usato += larghezze[static_cast<std::size_t>(c)];
    }
    gruppi.push_back(corrente);
    return gruppi;
}

// Header and foot bands of a page.
struct Bande {
    double testata, piede;
};
Bande bande(QPaintDevice& d) {
    QFontMetricsF titolo(carattere(13, true), &d), piccolo(carattere(8), &d);
    return {titolo.height() + millimetri(d, 6), piccolo.height() + millimetri(d, 4)};
}

void disegnaTestata(QPainter& p, const QRectF& pagina, const QString& titolo, int numero, int totale) {
    QPaintDevice& d = *p.device();
    const double h = QFontMetricsF(carattere(13, true), &d).height();
    p.setPen(Qt::black);
    p.setFont(carattere(13, true));
    p.drawText(QRectF(pagina.left(), pagina.top(), pagina.width() * 0.75, h), Qt::AlignLeft | Qt::AlignVCenter, titolo);
    p.setFont(carattere(8));
    p.drawText(QRectF(pagina.left(), pagina.top(), pagina.width(), h), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Data: ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    const double riga = pagina.top() + h + millimetri(d, 2);
    p.setPen(QPen(Qt::black, millimetri(d, 0.3)));
    p.drawLine(QPointF(pagina.left(), riga), QPointF(pagina.right(), riga));

    const double hp = QFontMetricsF(carattere(8), &d).height();
    const QRectF piede(pagina.left(), pagina.bottom() - hp, pagina.width(), hp);
    p.setPen(QPen(QColor(90, 90, 90), millimetri(d, 0.2)));
    p.drawLine(QPointF(pagina.left(), piede.top() - millimetri(d, 1.5)),
               QPointF(pagina.right(), piede.top() - millimetri(d, 1.5)));
    p.setPen(QColor(60, 60, 60));
    p.setFont(carattere(8));
    p.drawText(piede, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Carvela"));
    p.drawText(piede, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Pagina %1 di %2").arg(numero).arg(totale));
}

void disegnaBlocco(QPainter& p, const Griglia& g, const BloccoStampa& b, const ImpaginazioneGriglie& imp,
                   double sinistra) {
    QPaintDevice& d = *p.device();
    const double margine = millimetri(d, 1.6);
    const QFont normale = carattere(imp.puntiCarattere), grassetto = carattere(imp.puntiCarattere, true);
    double larghezza = 0;
    for (double l : b.larghezze) larghezza += l;
    const int righe = b.ultimaRiga - b.primaRiga + 1;
    const double altezza = b.altezzaIntestazione + righe * imp.altezzaRiga;

    // Shading: the heading row, then every other data row.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(QRectF(sinistra, b.y, larghezza, b.altezzaIntestazione));
    p.setBrush(QColor(244, 244, 244));
    for (int i = 1; i < righe; i += 2)
        p.drawRect(QRectF(sinistra, b.y + b.altezzaIntestazione + i * imp.altezzaRiga, larghezza, imp.altezzaRiga));
    p.setBrush(QColor(236, 236, 236));
    p.drawRect(QRectF(sinistra, b.y + b.altezzaIntestazione, b.larghezze[0], righe * imp.altezzaRiga));
    p.setBrush(Qt::NoBrush);

    // Texts.
    p.setPen(Qt::black);
    double x = sinistra;
    for (std::size_t i = 0; i < b.colonne.size(); ++i) {
        const int c = b.colonne[i];
        const double w = b.larghezze[i];
        p.setFont(grassetto);
        p.drawText(QRectF(x + margine, b.y, w - 2 * margine, b.altezzaIntestazione),
                   Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignVCenter, testo(g, 0, c));
        p.setFont(c == 0 ? grassetto : normale);
        for (int r = b.primaRiga; r <= b.ultimaRiga; ++r) {
            const QString t = testo(g, r, c);
            const double y = b.y + b.altezzaIntestazione + (r - b.primaRiga) * imp.altezzaRiga;
            const Qt::Alignment allineamento =
                c == 0 ? Qt::AlignHCenter : (numerico(t) ? Qt::AlignRight : Qt::AlignLeft);
            p.drawText(QRectF(x + margine, y, w - 2 * margine, imp.altezzaRiga), allineamento | Qt::AlignVCenter, t);
        }
        x += w;
    }

    // Rules: thin inside, a firmer frame and line under the headings.
    p.setPen(QPen(QColor(150, 150, 150), millimetri(d, 0.12)));
    for (int i = 1; i < righe; ++i) {
        const double y = b.y + b.altezzaIntestazione + i * imp.altezzaRiga;
        p.drawLine(QPointF(sinistra, y), QPointF(sinistra + larghezza, y));
    }
    x = sinistra;
    for (std::size_t i = 0; i + 1 < b.larghezze.size(); ++i) {
        x += b.larghezze[i];
        p.drawLine(QPointF(x, b.y), QPointF(x, b.y + altezza));
    }
    p.setPen(QPen(Qt::black, millimetri(d, 0.3)));
    p.drawRect(QRectF(sinistra, b.y, larghezza, altezza));
    p.drawLine(QPointF(sinistra, b.y + b.altezzaIntestazione),
               QPointF(sinistra + larghezza, b.y + b.altezzaIntestazione));
}

bool qualcosaDaStampare(const std::vector<const Griglia*>& griglie) {
    for (const Griglia* g : griglie)
        if (g && righeDaStampare(*g) > 0) return true;
    return false;
}

const char* const kNienteDaStampare = "Nessun dato da stampare.";

}  // namespace

int righeDaStampare(const Griglia& g) {
    for (int r = g.righe() - 1; r >= 1; --r)
        for (int c = 1; c < g.colonne(); ++c)
            if (!g.cella(r, c).empty()) return r;
    return 0;
}

ImpaginazioneGriglie impaginaGriglie(QPaintDevice& d, const QRectF& area, const std::vector<const Griglia*>& griglie) {
    ImpaginazioneGriglie imp;
    // The largest text size (down to a floor) at which every grid fits the width.
    double punti = kPuntiCella;
    for (;; punti -= 0.5) {
        bool entra = true;
        for (const Griglia* g : griglie) {
            if (!g || g->colonne() == 0) continue;
            double somma = 0;
            for (double l : larghezzeNaturali(d, *g, righeDaStampare(*g), punti)) somma += l;
            entra = entra && somma <= area.width();
        }
        if (entra || punti <= kPuntiMinimi) break;
    }
    imp.puntiCarattere = punti;
    imp.altezzaRiga = QFontMetricsF(carattere(punti), &d).height() * 1.45;

    int pagina = 0;
    double y = area.top();
    bool paginaVuota = true;
    for (int gi = 0; gi < static_cast<int>(griglie.size()); ++gi) {
        const Griglia* g = griglie[static_cast<std::size_t>(gi)];
        if (!g || g->colonne() == 0) continue;
        const int righe = righeDaStampare(*g);
        if (righe == 0) continue;
        const std::vector<double> larghezze = larghezzeNaturali(d, *g, righe, punti);
        for (const std::vector<int>& colonne : gruppiColonne(larghezze, area.width())) {
            std::vector<double> l;
            for (int c : colonne) l.push_back(larghezze[static_cast<std::size_t>(c)]);
            const double testa = altezzaIntestazione(d, *g, colonne, l, punti);
            int riga = 1;
            while (riga <= righe) {
                // A heading with at least one row under it, or a new page.
                if (!paginaVuota && y + testa + imp.altezzaRiga > area.bottom()) {
                    ++pagina;
                    y = area.top();
                    paginaVuota = true;
                }
                const int entrano = std::max(1, static_cast<int>((area.bottom() - y - testa) / imp.altezzaRiga));
                BloccoStampa b;
                b.griglia = gi;
                b.pagina = pagina;
                b.primaRiga = riga;
                b.ultimaRiga = std::min(righe, riga + entrano - 1);
                b.colonne = colonne;
                b.larghezze = l;
                b.y = y;
                b.altezzaIntestazione = testa;
                imp.blocchi.push_back(b);
                y += testa + (b.ultimaRiga - riga + 1) * imp.altezzaRiga;
                paginaVuota = false;
                riga = b.ultimaRiga + 1;
                if (riga <= righe) {
                    ++pagina;
                    y = area.top();
                    paginaVuota = true;
                }
            }
            y += imp.altezzaRiga;  // a gap before the next table
        }
    }
    imp.pagine = imp.blocchi.empty() ? 0 : pagina + 1;
    return imp;
}

int disegnaPagineGriglie(QPrinter& stampante, QPainter& p, const QString& titolo,
                         const std::vector<const Griglia*>& griglie) {
    QPaintDevice& d = stampante;
    const QRectF pagina(0, 0, stampante.width(), stampante.height());
    const Bande b = bande(d);
    const QRectF area(pagina.left(), pagina.top() + b.testata, pagina.width(), pagina.height() - b.testata - b.piede);
    ImpaginazioneGriglie imp = impaginaGriglie(d, area, griglie);
    for (int n = 0; n < imp.pagine; ++n) {
        if (n > 0) stampante.newPage();
        disegnaTestata(p, pagina, titolo, n + 1, imp.pagine);
        for (const BloccoStampa& blocco : imp.blocchi) {
            if (blocco.pagina != n) continue;
            double larghezza = 0;
            for (double l : blocco.larghezze) larghezza += l;
            // Tables are centred on the page.
            disegnaBlocco(p, *griglie[static_cast<std::size_t>(blocco.griglia)], blocco, imp,
                          pagina.left() + (pagina.width() - larghezza) / 2);
        }
    }
    return imp.pagine;
}

bool stampaGriglie(QWidget* parent, Host& host, const QString& titolo, const std::vector<const Griglia*>& griglie) {
    if (!qualcosaDaStampare(griglie)) {
        host.messaggio(kNienteDaStampare);
        return false;
    }
    QPrinter& stampante = stampanteCondivisa();
    stampante.setDocName(titolo);
    QPrintDialog dialogo(&stampante, parent);
    dialogo.setWindowTitle(QStringLiteral("Stampa"));
    if (dialogo.exec() != QDialog::Accepted) return false;
    QPainter p;
    if (!p.begin(&stampante)) {
        host.messaggio("Impossibile avviare la stampa.", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    disegnaPagineGriglie(stampante, p, titolo, griglie);
    return p.end();
}

bool stampaGrigliePdf(const QString& percorso, Host& host, const QString& titolo,
                      const std::vector<const Griglia*>& griglie) {
    if (!qualcosaDaStampare(griglie)) {
        host.messaggio(kNienteDaStampare);
        return false;
    }
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(percorso);
    pdf.setPageLayout(stampanteCondivisa().pageLayout());
    pdf.setDocName(titolo);
    pdf.setCreator(QStringLiteral("Carvela"));
    QPainter p;
    bool riuscita = p.begin(&pdf);
    if (riuscita) {
        disegnaPagineGriglie(pdf, p, titolo, griglie);
        riuscita = p.end();
    }
    if (!riuscita || !QFileInfo(percorso).isFile()) {
        host.messaggio("Impossibile scrivere il file " + percorso.toStdString() + ".", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    return true;
}

}  // namespace carvela
