#pragma once
// "Imposta tipo di calcolo della livelletta" (impostaProfilo): one tab per grade-line method.
#include <array>

#include "profile/grade_method_page.h"
#include "shell/ui/page_window.h"

class QLineEdit;
class QTabWidget;

namespace carvela {

class FinestraTipoProfilo : public FinestraPagina {
    Q_OBJECT
public:
    FinestraTipoProfilo(ContestoPagina& contesto, QWidget* parent = nullptr);

    QTabWidget* schede() const { return schede_; }
    TabellaGriglia* tabella(int scheda) const { return tabelle_[static_cast<std::size_t>(scheda)]; }
    QLineEdit* quotaPartenza() const { return quota_; }
    void applica() override;

protected:
    void carica() override;
    void leggiSchermo() override;

private:
    PaginaTipoProfilo pagina_;
    QTabWidget* schede_ = nullptr;
    std::array<TabellaGriglia*, 4> tabelle_{};
    QLineEdit* quota_ = nullptr;
};

}  // namespace carvela
