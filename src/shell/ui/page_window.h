#pragma once
// The shape every data page shares: a dialog over the program state holding grids, the row
// of buttons "&Applica", "&Esporta TXT", "&Stampa...", "C&hiudi", and the export and print of
// the page's grids. A page builds its own layout and says what it loads, reads and applies.
#include <QDialog>
#include <string>
#include <utility>
#include <vector>

#include "project/griglia.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace carvela {

class FinestraPagina : public QDialog {
    Q_OBJECT
public:
    // The buttons of the row; each is named after what it does ("applica", "esporta",
    // "stampa", "chiudi").
    enum Pulsante { Applica = 1, Esporta = 2, Stampa = 4, Chiudi = 8, TuttiIPulsanti = 15 };

    // The grids "&Esporta TXT" writes, as the page holds them.
    virtual std::vector<const Griglia*> griglie() const { return {}; }
    // The grids "&Stampa..." prints: the exported ones unless the page adds some.
    virtual std::vector<const Griglia*> griglieStampa() { return griglie(); }

    // The button of the row, nullptr when the page has none.
    QPushButton* pulsante(Pulsante quale) const;

    // A one-row table of named values (the boxes of a page) that prints beside its grids:
    // the names as headings, an empty label column.
    static Griglia grigliaValori(const std::vector<std::pair<std::string, std::string>>& valori);

public slots:
    // "&Esporta TXT": the screen read, then the grids to a text file (the page is disabled
    // while the file is written).
    void esporta();
    // "&Stampa...": the screen read, then the grids through the print dialog on the shared
    // printer, titled with the page's caption.
    void stampa();

protected:
    FinestraPagina(ContestoPagina& contesto, const QString& titolo, QWidget* parent);

    // The page filled from the records; called each time the page is opened.
    virtual void carica() {}
    // What is on screen copied into the page's grids and texts.
    virtual void leggiSchermo() {}
    // "&Applica" (reading the screen is the page's own first step).
    virtual void applica() {}

    // A grid on the page, named for tests and scripts; the listed columns take numeric typing.
    TabellaGriglia* nuovaTabella(const char* nome, std::initializer_list<int> colonneNumeriche = {});
    // The row of the chosen buttons (an OR of Pulsante), wired to the slots above and to
    // reject(); actions left, "C&hiudi" at the right end. Enter never presses them.
    QHBoxLayout* rigaPulsanti(int quali = TuttiIPulsanti);
    // A red note under a grid, hidden while empty.
    QLabel* nuovaNota();
    void mostraNota(const std::string& testo);

    Workspace& ws() const { return contesto_.ws; }
    Canvas& canvas() const { return contesto_.canvas; }
    Host& host() const { return contesto_.host; }

    void showEvent(QShowEvent* evento) override;

    // The heavy parts of the project "&Applica" may change, kept for undo with the light ones.
    uint32_t partiApplica_ = 0;

private:
    ContestoPagina contesto_;
    QPushButton* pulsanti_[4] = {};
    QLabel* nota_ = nullptr;
};

}  // namespace carvela
