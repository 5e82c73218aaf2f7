#pragma once
// The wizard window "frmWizard": six step frames on top of each other, the navigation
// buttons, F1 for help. It is not modal: while it is open the main window is disabled,
// except during axis tracing, when the wizard hides and gives the canvas back.
#include <QDialog>
#include <QPointer>
#include <memory>
#include <vector>

#include "shell/ui/page_registry.h"
#include "shell/wizard.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace carvela {
class FinestraGuida;
class SettingsStore;

class FinestraWizard : public QDialog, public InterfacciaWizard {
    Q_OBJECT
public:
    // Buttons cmdNav(0..4).
    enum Pulsante { Guida = 0, Interrompi, Indietro, Avanti, Fine };

    FinestraWizard(ContestoPagina& contesto, QWidget* parent = nullptr);
    ~FinestraWizard() override;

    Autocomposizione& modello() { return *modello_; }
    QPushButton* pulsante(Pulsante p) const { return pulsanti_[p]; }
    QLineEdit* campoFile() const { return campoFile_; }
    QPushButton* pulsanteSfoglia() const { return sfoglia_; }
    QRadioButton* opzione(OpzioneFinale o) const { return opzioni_[static_cast<int>(o) - 1]; }
    QCheckBox* casellaIntroduzione() const { return introduzione_; }
    QWidget* fotogramma(int passo) const;
    int fotogrammaVisibile() const;
    FinestraGuida* guida() const { return guida_; }

    // InterfacciaWizard
    void nascondi() override;
    void mostra() override;
    void abilitaPrincipale(bool abilitata) override;
    bool apriGuida(int contesto) override;
    void chiudiGuida() override;
    void chiudiFinestra() override;
    void mostraConferma() override;

public slots:
    // Esc works as "&Interrompi".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* creaFotogramma(int passo);
    void aggiorna();
    void vai(bool avanti);

    ContestoPagina contesto_;
    std::unique_ptr<SettingsStore> impostazioni_;
    std::unique_ptr<Autocomposizione> modello_;
    QStackedWidget* fotogrammi_ = nullptr;
    QPushButton* pulsanti_[5] = {};
    QLineEdit* campoFile_ = nullptr;
    QPushButton* sfoglia_ = nullptr;
    QRadioButton* opzioni_[4] = {};
    QCheckBox* introduzione_ = nullptr;
    FinestraGuida* guida_ = nullptr;
    std::vector<QPointer<QWidget>> disabilitati_;
    bool chiusuraInterna_ = false;
};

}  // namespace carvela
