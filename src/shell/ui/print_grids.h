#pragma once
// Printing data grids: pages with a header (title, date), the grids as ruled tables with
// their heading row repeated on every page, and "Pagina n di N" at the foot.
#include <QRectF>
#include <QString>
#include <vector>

#include "project/griglia.h"

class QPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace carvela {
class Host;

// The grids through the print dialog on the shared printer (the dialog offers printing to a
// PDF file too). False when the user cancels or nothing could be printed.
bool stampaGriglie(QWidget* parent, Host& host, const QString& titolo, const std::vector<const Griglia*>& griglie);
// The same pages written straight to a PDF file (A4 unless the shared printer's page setup
// says otherwise), for tests and batch use. False, with a message, when nothing was written.
bool stampaGrigliePdf(const QString& percorso, Host& host, const QString& titolo,
                      const std::vector<const Griglia*>& griglie);

// The rows of a grid worth printing: 1 .. the last row with a data cell that is not empty.
int righeDaStampare(const Griglia& griglia);

// One piece of a grid on one page: rows primaRiga..ultimaRiga of the given columns (column 0,
// the row labels, opens every piece), its top at `y` in device units.
struct BloccoStampa {
    int griglia = 0;
    int pagina = 0;  // from 0
    int primaRiga = 0, ultimaRiga = 0;
    std::vector<int> colonne;
    std::vector<double> larghezze;
    double y = 0;
    double altezzaIntestazione = 0;  // the heading row, as tall as its wrapped headings
};

struct ImpaginazioneGriglie {
    int pagine = 0;
    double puntiCarattere = 9;  // size of the cell text, reduced so the columns fit the width
    double altezzaRiga = 0;
    std::vector<BloccoStampa> blocchi;
};

// Lays the grids out over pages whose table area is `area` (device units of `dispositivo`).
ImpaginazioneGriglie impaginaGriglie(QPaintDevice& dispositivo, const QRectF& area,
                                     const std::vector<const Griglia*>& griglie);

// Paints every page on a painter already begun on the printer (new pages through it).
// Returns the number of pages.
int disegnaPagineGriglie(QPrinter& stampante, QPainter& pittore, const QString& titolo,
                         const std::vector<const Griglia*>& griglie);

}  // namespace carvela
