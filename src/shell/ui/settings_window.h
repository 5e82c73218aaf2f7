#pragma once
// The settings window "Impostazioni": six tabs of fields, "C&hiudi" and "&Appllica". Its
// logic is the page model of shell/settings_page.h; this only shows and reads the fields.
#include <QAbstractSpinBox>
#include <QDialog>

#include "shell/settings_page.h"
#include "shell/ui/page_registry.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace carvela {

// A text field with up-down arrows whose steps follow a rule of the page (the arrows change
// only the text; the field may hold anything typed).
class CampoConFrecce : public QAbstractSpinBox {
    Q_OBJECT
public:
    using Regola = std::string (*)(const std::string& testo, bool su);
    CampoConFrecce(Regola regola, QWidget* parent = nullptr);
    QString testo() const;
    void impostaTesto(const QString& testo);
    void stepBy(int passi) override;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

private:
    Regola regola_;
};

class FinestraImpostazioni : public QDialog {
    Q_OBJECT
public:
    FinestraImpostazioni(ContestoPagina& contesto, QWidget* parent = nullptr);

    // Fields from the settings and the view, as on opening.
    void carica();
    // The fields as typed.
    CampiImpostazioni campi() const;
    // "&Appllica".
    bool applica();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* campo(const char* nome);

    ContestoPagina& contesto_;
    QTabWidget* schede_ = nullptr;
    QRadioButton *centesimali_, *sessagesimali_, *radianti_;
    QLineEdit *scala_, *ascissa_, *ordinata_, *scalaVolumi_;
    QCheckBox *backup_, *autoSave_;
    QLabel* etichettaIntervallo_;
    CampoConFrecce *intervallo_, *sezioniPerColonna_;
    QLineEdit *interasse_, *intervalloColonne_, *puntiTerreno_, *sezioniProfilo_, *curveProfilo_, *raggio_, *picchetti_;
    QLineEdit *larghezza_, *sterro_, *riporto_, *distanzaRicerca_;
    QCheckBox* muro_;
    QCheckBox* mantieniQuote_;
    QLineEdit *intervalloVertici_, *puntiPiano_, *dimensioneQuote_;
    QLineEdit *scalaStampa_, *margineLaterale_, *margineSuperiore_;
    QCheckBox* larghezzaIndividuale_;
    QLineEdit* distanzaMinima_;
    QLineEdit *intervalloRegolare_, *rigonfiamento_, *costipamento_, *trasportoFranco_, *trasportoEconomico_,
        *rapportoCosti_;
};

}  // namespace carvela
