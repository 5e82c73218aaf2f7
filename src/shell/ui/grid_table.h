#pragma once
// A data page's grid on screen. It shows a Griglia (row 0 as the column headings,
// column 0 as the row labels) and takes typing straight into the current cell through
// the program's keystroke rules, as the pages expect: there is no cell editor.
#include <QTableWidget>
#include <map>

#include "project/griglia.h"

namespace carvela {

class TabellaGriglia : public QTableWidget {
    Q_OBJECT
public:
    enum class Digitazione {
        Nessuna,   // keys do nothing
        Numerica,  // digits, '-' and ',' appended, Backspace removes the last character
        Libera,    // any character appended, Backspace removes the last character
    };

    explicit TabellaGriglia(QWidget* parent = nullptr);

    // Shows the grid: sizes, headings, labels and cells; column widths and row heights come
    // from the grid's hints in twips.
    void mostra(const Griglia& griglia);
    // Copies the texts on screen back into the grid (same size as shown); the cell a past
    // check found wrong is forgotten.
    void leggi(Griglia& griglia) const;
    // After a failed check: the cell the grid notes as wrong becomes the current one and
    // takes the focus. False when the grid notes none.
    bool mostraErrore(const Griglia& griglia);
    // Typing rule of one column (grid numbering: column 1 is the first data column).
    void impostaDigitazione(int colonna, Digitazione modo);

    // Text of a cell in grid numbering (row 1 / column 1 = first data cell).
    QString testoCella(int riga, int colonna) const;
    void impostaTestoCella(int riga, int colonna, const QString& testo);

signals:
    // A click on a data cell, in grid numbering.
    void cellaCliccata(int riga, int colonna);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::map<int, Digitazione> digitazione_;
};

// Twips of the original layouts to pixels at the usual 15 twips per pixel.
inline int twipsInPixel(int twips) { return (twips + 7) / 15; }

}  // namespace carvela
