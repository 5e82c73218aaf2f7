#pragma once
// The printer shared by every print of the program: the page setup chosen once applies to
// the grids, the plots and the following prints.
class QPrinter;
class QWidget;

namespace carvela {

QPrinter& stampanteCondivisa();

// "&Imposta stampante...": paper, orientation and margins of the shared printer. Without a
// printer the dialog still sets up the page (for PDF output); nothing fails.
void impostaStampanteQt(QWidget* parent);

}  // namespace carvela
