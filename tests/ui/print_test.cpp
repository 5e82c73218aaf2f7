// Printing: grids in pages, and plots at scale or fitted to the page.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>

#include "dxf/dxf_sample_road.h"
#include "graphics/redraw.h"
#include "road/road_sample.h"
#include "sections/volumes.h"
#include "shell/ui/print_grids.h"
#include "shell/ui/print_plot.h"
#include "shell/ui/print_setup.h"
#include "ui/window_test.h"

using namespace carvela;

namespace {

int pagineNelPdf(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray dati = f.readAll();
    int n = 0;
    for (qsizetype i = dati.indexOf("/Type /Page"); i >= 0; i = dati.indexOf("/Type /Page", i + 1))
        if (dati.mid(i + 11, 1) != "s") ++n;
    return dati.startsWith("%PDF") ? n : -1;
}

// Square contour lines of a hill, the foot 400 m wide at (500, 500), and a three-vertex axis.
void pianoCollina(Workspace& ws) {
    for (int k = 0; k < 8; ++k) {
        const double r = 200 - 22 * k, a = 500 - r, b = 500 + r;
        prova::aggiungiCurva(ws.Piano, {{a, a}, {b, a}, {b, b}, {a, b}, {a, a}}, 100 + 2 * k);
    }
    prova::impostaAsse(ws.Piano, {{260, 300}, {500, 480}, {760, 700}});
    ws.TipoDocumento = kDocPianta;
}

// Columns of the image holding any dark pixel on row y, between x0 and x1.
std::vector<int> colonneScure(const QImage& img, int y, int x0, int x1) {
    std::vector<int> out;
    for (int x = x0; x < x1; ++x)
        if (qGray(img.pixel(x, y)) < 128) out.push_back(x);
    return out;
}

// A dark pixel on row y within 3 pixels of column x.
bool scuroVicino(const QImage& img, int x, int y) { return !colonneScure(img, y, x - 3, x + 4).empty(); }

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file_(const char* nome) const { return dir_.filePath(QString::fromLatin1(nome)); }

private slots:
    void gridsArePagedShrunkAndSplit() {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(file_("layout.pdf"));
        const QRectF area(0, 0, pdf.width(), pdf.height() * 0.85);

        // Seven columns of 90 rows under a heading; the window's grid holds empty rows beyond
        // the data: they are not printed.
        Griglia volumi(151, 7);
        for (int r = 0; r <= 90; ++r)
            for (int c = 0; c < 7; ++c) volumi.imposta(r, c, r == 0 ? "Volume " + std::to_string(c) : "-1234,56");
        const int righeDati = 90;
        QCOMPARE(righeDaStampare(volumi), righeDati);
        ImpaginazioneGriglie imp = impaginaGriglie(pdf, area, {&volumi});
        QVERIFY(imp.pagine >= 2);
        QCOMPARE(imp.puntiCarattere, 9.0);  // seven columns fit an A4 page at full size
        int attesa = 1;
        for (const BloccoStampa& b : imp.blocchi) {
            QCOMPARE(b.primaRiga, attesa);  // every row once, in order
            attesa = b.ultimaRiga + 1;
            QCOMPARE(b.colonne.size(), std::size_t(7));
            QVERIFY(b.y + b.altezzaIntestazione + (b.ultimaRiga - b.primaRiga + 1) * imp.altezzaRiga <=
                    area.bottom() + 1e-6);
        }
        QCOMPARE(attesa, righeDati + 1);
        QCOMPARE(imp.blocchi.back().pagina, imp.pagine - 1);

        FakeHost host;
        QVERIFY(
            stampaGrigliePdf(file_("volumi.pdf"), host, QStringLiteral("Tabella dei volumi paleggiabili"), {&volumi}));
        QVERIFY(host.messaggi.empty());
        QVERIFY(pagineNelPdf(file_("volumi.pdf")) >= 2);

        // Too wide: the text shrinks, then the columns split into pieces.
        Griglia larga(6, 24);
        for (int c = 0; c < 24; ++c) larga.imposta(0, c, "Colonna numero " + std::to_string(c));
        for (int r = 1; r < 6; ++r)
            for (int c = 0; c < 24; ++c) larga.imposta(r, c, "12345,6789");
        imp = impaginaGriglie(pdf, area, {&larga});
        QCOMPARE(imp.puntiCarattere, 6.0);
        QVERIFY(imp.blocchi.size() >= 2);
        std::vector<int> viste(24, 0);
        for (const BloccoStampa& b : imp.blocchi) {
            QCOMPARE(b.colonne.front(), 0);  // the row labels open every piece
            double w = 0;
            for (double l : b.larghezze) w += l;
            QVERIFY(w <= area.width() + 1e-6);
            for (int c : b.colonne) ++viste[static_cast<std::size_t>(c)];
        }
        for (int c = 1; c < 24; ++c) QCOMPARE(viste[static_cast<std::size_t>(c)], 1);

        // Nothing to print: a message, no file.
        Griglia vuota(10, 3);
        vuota.imposta(0, 1, "Quota");
        const QString file = file_("vuota.pdf");
        QVERIFY(!stampaGrigliePdf(file, host, QStringLiteral("Vuota"), {&vuota, nullptr}));
        QCOMPARE(host.testiMessaggi(), std::vector<std::string>{"Nessun dato da stampare."});
        QVERIFY(!QFile::exists(file));
        QVERIFY(!stampaGrigliePdf("/nonexistent-dir/x.pdf", host, QStringLiteral("T"), {&larga}));
        QCOMPARE(host.testiMessaggi().back(), std::string("Impossibile scrivere il file /nonexistent-dir/x.pdf."));
    }

    void plotScaleMarginsAndFit() {
        Impostazioni imp;
        AreaPlot area{1000, 2000, 1400, 2200};  // 400 x 200 m
        const double mm = 1200 / 25.4;
        const QRectF pagina(0, 0, 297 * mm, 210 * mm);  // A4 landscape at 1200 dpi
        imp.AdattaScalaPlot = false;
        imp.fattoreScalaPlot = 2000;
        imp.marginePlotSinistro = 10;
        imp.marginePlotSuperiore = 20;
        ImpaginazionePlot r = impaginaPlot(area, pagina, 1200, imp);
        QCOMPARE(r.pixelPerUnita, 0.5 * mm);  // 1 m = 0.5 mm at 1:2000
        QCOMPARE(r.fattoreScala, 2000.0);
        QCOMPARE(r.area, QRectF(10 * mm, 20 * mm, 200 * mm, 100 * mm));

        // At 1:500 the window is larger than the page: clipped to it.
        imp.fattoreScalaPlot = 500;
        r = impaginaPlot(area, pagina, 1200, imp);
        QVERIFY(r.area.right() <= pagina.right() + 1e-6);
        QCOMPARE(r.fattoreScala, 500.0);

        // Fitted: the wider side fills the room between the margin and the page edge.
        imp.AdattaScalaPlot = true;
        r = impaginaPlot(area, pagina, 1200, imp);
        QCOMPARE(r.area.width(), pagina.width() - 10 * mm);
        QVERIFY(r.area.bottom() < pagina.bottom());
        QCOMPARE(r.fattoreScala, 400000.0 / (297 - 10));

        // A scale that is not a number and absurd margins: fitted (the scale is unusable) below
        // a top margin cut to half the page, and centred. An empty window: nothing to draw.
        imp.AdattaScalaPlot = false;
        imp.fattoreScalaPlot = std::nanf("");
        imp.marginePlotSinistro = -50;
        imp.marginePlotSuperiore = 1e9f;
        r = impaginaPlot(area, pagina, 1200, imp);
        QVERIFY(r.pixelPerUnita > 0 && std::isfinite(r.fattoreScala));
        QCOMPARE(r.area.top(), pagina.height() / 2);
        QCOMPARE(r.area.left(), (pagina.width() - r.area.width()) / 2);
        QCOMPARE(impaginaPlot(AreaPlot{5, 5, 5, 9}, pagina, 1200, imp).pixelPerUnita, 0.0);
    }

    void plotDrawsTheWindowAtItsScale() {
        Workspace ws;
        pianoCollina(ws);
        ws.vista.scala = 0.9f, ws.vista.offsetX = 13, ws.vista.offsetY = 700;
        const Vista prima = ws.vista;
        FakeHost host;
        // The window holds the foot contour (300..700) with 20 m around it.
        AreaPlot area{280, 280, 720, 720};
        ws.impostazioni.AdattaScalaPlot = false;
        ws.impostazioni.fattoreScalaPlot = 2000;  // 1 m = 0.5 mm
        ws.impostazioni.marginePlotSinistro = 0;
        ws.impostazioni.marginePlotSuperiore = 0;
        const double dpi = 254;  // 10 pixels a millimetre
        QImage img(2970, 2100, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            QVERIFY(disegnaPlot(p, QRectF(0, 0, 2970, 2100), dpi, ws, host, area));
        }
        // The frame at 0 and 2200 px (440 m = 220 mm), 5 px a metre from the window's corner
        // (280, 720): the axis leg from (260, 300) to (500, 480) crosses x = 380 at y = 390,
        // device (500, 1650); its vertex (500, 480) is at device (1100, 1200).
        const std::vector<int> bordo = colonneScure(img, 300, 0, 2300);
        QVERIFY(!bordo.empty() && bordo.front() <= 3 && std::abs(bordo.back() - 2200) <= 3);
        QVERIFY(scuroVicino(img, 500, 1650) && scuroVicino(img, 1100, 1200) && !scuroVicino(img, 700, 1650));
        // The screen's view and document are given back.
        QVERIFY(ws.vista.scala == prima.scala && ws.vista.offsetY == prima.offsetY && ws.TipoDocumento == kDocPianta);

        // The whole plan as a PDF, fitted to the page.
        RecordingCanvas schermo(800, 600);
        ridisegna(ws, schermo, host);
        const AreaPlot tutto = areaEstensione(ws.vista);
        QVERIFY(tutto.valida() && tutto.minX < 300 && tutto.maxX > 700);
        ws.impostazioni.AdattaScalaPlot = true;
        const QString file = file_("plot.pdf");
        QVERIFY(esportaPlotPdf(file, ws, host, tutto));
        QCOMPARE(pagineNelPdf(file), 1);
        QVERIFY(host.messaggi.empty());

        // Nothing drawn yet: nothing to plot.
        Workspace vuoto;
        QVERIFY(!areaEstensione(vuoto.vista).valida());
        QVERIFY(!esportaPlotPdf(file, vuoto, host, areaEstensione(vuoto.vista)));
        QCOMPARE(host.testiMessaggi(), std::vector<std::string>{"Nessun disegno da stampare."});
    }

    // The sample road computed, its volume table printed and its plan plotted: the files an
    // engineer hands in.
    void sampleRoadPrintedAndPlotted() {
        if (!QFile::exists(QString::fromStdString(test::fileCampione("terreno.dxf"))))
            QSKIP("sample terrain not present");
        Workspace ws;
        FakeHost host;
        RecordingCanvas schermo(1000, 700);
        inizializzaVista(ws.vista, schermo);
        QVERIFY(test::calcolaCampione(ws, schermo, host));
        QVERIFY(ws.Paleggi.NumeroPunti > 5);

        const Griglia volumi = grigliaPaleggi(ws.Paleggi);
        const QString tabella = file_("campione_volumi.pdf");
        QVERIFY(stampaGrigliePdf(tabella, host, QStringLiteral("Tabella dei volumi paleggiabili"), {&volumi}));
        QVERIFY(pagineNelPdf(tabella) >= 1);

        ws.impostazioni.AdattaScalaPlot = false;
        ws.impostazioni.fattoreScalaPlot = 2000;
        ws.impostazioni.marginePlotSinistro = 10;
        ws.impostazioni.marginePlotSuperiore = 10;
        const QString plot = file_("campione_pianta.pdf");
        QVERIFY(esportaPlotPdf(plot, ws, host, AreaPlot{4990, 2990, 5610, 3410}));
        QCOMPARE(pagineNelPdf(plot), 1);
        QCOMPARE(ws.TipoDocumento, kDocPianta);
    }

    void windowChosenOnTheCanvasBecomesThePlotArea() {
        Vista v;
        v.scala = 2, v.offsetX = 100, v.offsetY = 500;
        v.plotX1 = 300, v.plotY1 = 100, v.plotX2 = 100, v.plotY2 = 300, v.plotScala = 2;
        const AreaPlot a = areaDaFinestra(v);
        QCOMPARE(QRectF(a.minX, a.minY, a.maxX - a.minX, a.maxY - a.minY), QRectF(0, 100, 100, 100));
        v.plotScala = 0;
        QVERIFY(!areaDaFinestra(v).valida());

        // Without the print mark the canvas's request opens nothing.
        Workspace ws;
        RecordingCanvas canvas;
        FakeHost host;
        finestraPlotRichiesta(nullptr, ws, canvas, host);
        QVERIFY(host.messaggi.empty());
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
