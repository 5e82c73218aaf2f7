#pragma once
// The confirmation window "Progetto completato" shown after the wizard finishes; its check
// box switches it off for the next times.
#include <QDialog>

class QCheckBox;

namespace carvela {
class SettingsStore;

class FinestraConferma : public QDialog {
    Q_OBJECT
public:
    FinestraConferma(SettingsStore& impostazioniWizard, QWidget* parent = nullptr);
    QCheckBox* casella() const { return casella_; }

private:
    QCheckBox* casella_;
};

}  // namespace carvela
