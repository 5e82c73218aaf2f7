#pragma once
// Plotting: a window of the drawing on paper at the scale and margins of the settings
// ("fattoreScalaPlot", "marginePlotSinistro", "marginePlotSuperiore" in millimetres,
// "AdattaScalaPlot" to fit the page instead), drawn as vectors by running the drawing again
// on the printer, inside a frame with a title block.
#include <QDialog>
#include <QRectF>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPrinter;

namespace carvela {
struct Workspace;
struct Vista;
struct Impostazioni;
class Canvas;
class Host;

// A rectangle of the drawing in world units.
struct AreaPlot {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool valida() const;
};

// The window chosen with the zoom window while the print mark was set (corners and scale kept
// by the canvas); the extent of the last drawing; either not valid when there is none.
AreaPlot areaDaFinestra(const Vista& vista);
AreaPlot areaEstensione(const Vista& vista);

// Where the window goes on the page: device pixels per world unit, the device point of the
// window's top-left corner, the device rectangle it covers, and the scale 1 : fattoreScala.
struct ImpaginazionePlot {
    double pixelPerUnita = 0;
    QRectF area;
    double fattoreScala = 0;
};
// `pagina`: the printable rectangle in device units; `dpi`: device resolution. The title
// block's band at the foot of the page is never drawn over.
ImpaginazionePlot impaginaPlot(const AreaPlot& area, const QRectF& pagina, double dpi, const Impostazioni& imp);

// Paints one plot page. False (with a message) when there is nothing to plot.
bool disegnaPlot(QPainter& pittore, const QRectF& pagina, double dpi, Workspace& ws, Host& host, const AreaPlot& area);
// The plot through the print dialog (which offers a PDF file too) on the shared printer.
bool stampaPlot(QWidget* parent, Workspace& ws, Host& host, const AreaPlot& area);
// The plot written straight to a PDF file.
bool esportaPlotPdf(const QString& percorso, Workspace& ws, Host& host, const AreaPlot& area);

// The plot window: the area (the whole drawing, or a window chosen on the canvas), the
// scale, printing and PDF.
class FinestraPlot : public QDialog {
    Q_OBJECT
public:
    // The result when the user asked to choose a window on the canvas.
    static constexpr int kSceltaFinestra = 2;

    FinestraPlot(Workspace& ws, Canvas& canvas, Host& host, AreaPlot area, QWidget* parent = nullptr);

    const AreaPlot& area() const { return area_; }
    QString testoArea() const;
    QString testoScala() const;

public slots:
    void sceltaFinestra();
    void interoDisegno();
    void stampa();
    void esportaPdf();

private:
    bool leggiScala();
    void aggiorna();

    Workspace& ws_;
    Canvas& canvas_;
    Host& host_;
    AreaPlot area_;
    QLabel* etichettaArea_ = nullptr;
    QLabel* etichettaScala_ = nullptr;
    QLineEdit* fattore_ = nullptr;
    QCheckBox* adatta_ = nullptr;
};

// Opens the plot window on the whole drawing (or the last window chosen). "Seleziona finestra"
// closes it, sets the print mark and the zoom-window mode; the window comes back by itself
// when the canvas reports the corners.
void apriFinestraPlot(QWidget* parent, Workspace& ws, Canvas& canvas, Host& host);
// What the canvas's "plot window requested" calls: opens the plot window on the corners just
// chosen, only while the print mark is set (so a second connection does nothing).
void finestraPlotRichiesta(QWidget* parent, Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
