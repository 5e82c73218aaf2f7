#pragma once
// The wizard's help: one HTML page per step, shown in a small browser window at the step's
// context number. The pages live in a "help" folder next to the program (or in the source
// tree's docs/help when run from the build folder).
#include <QString>
#include <QTextBrowser>

namespace carvela {

// The page of a context number ((step + 101) x 10), empty for an unknown one.
QString paginaGuida(int contesto);
// The folder holding the pages, empty when none is found.
QString cartellaGuida();

class FinestraGuida : public QTextBrowser {
    Q_OBJECT
public:
    explicit FinestraGuida(QWidget* parent = nullptr);
    // Shows the page of the context; false when the page cannot be found.
    bool mostraContesto(int contesto);
    int contesto() const { return contesto_; }

private:
    int contesto_ = 0;
};

}  // namespace carvela
