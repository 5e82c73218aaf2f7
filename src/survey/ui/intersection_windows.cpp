// The three intersection windows: "Intersezione in avanti" (IntersezAvanti), "Intersezione di
// Pothèno" (IntersezPotheno) and "Intersezione di Hansen" (IntersezHansen).
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>
#include <map>

#include "shell/ui/page_registry.h"
#include "state/workspace.h"
#include "survey/intersection_pages.h"
#include "survey/ui/survey_widgets.h"

namespace carvela {
namespace {

// The picture of the scheme: the known points, the new ones and the measured angles.
class SchemaIntersezione : public QWidget {
public:
    SchemaIntersezione(TipoIntersezione tipo, QWidget* parent) : QWidget(parent), tipo_(tipo) {
        setObjectName("schema");
        setFixedSize(220, 170);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        std::map<QString, QPointF> punti;
        std::vector<std::pair<QString, QString>> linee;
        std::vector<std::pair<QString, QString>> angoli;  // label, near which point
        switch (tipo_) {
        case TipoIntersezione::Avanti:
            punti = {{"A", {25, 140}}, {"B", {195, 140}}, {"P", {110, 30}}};
            linee = {{"A", "B"}, {"A", "P"}, {"B", "P"}};
            angoli = {{"α", "A"}, {"β", "B"}};
            break;
        case TipoIntersezione::Potheno:
            punti = {{"A", {25, 40}}, {"B", {110, 20}}, {"C", {195, 40}}, {"P", {110, 145}}};
            linee = {{"P", "A"}, {"P", "B"}, {"P", "C"}};
            angoli = {{"α  β", "P"}};
            break;
        case TipoIntersezione::Hansen:
            punti = {{"A", {30, 30}}, {"B", {190, 30}}, {"P", {60, 140}}, {"Q", {165, 150}}};
            linee = {{"P", "Q"}, {"P", "A"}, {"P", "B"}, {"Q", "A"}, {"Q", "B"}};
            angoli = {{"α α1", "P"}, {"β β1", "Q"}};
            break;
        }
        p.setPen(QPen(Qt::darkGray, 1));
        for (const auto& [da, a] : linee) p.drawLine(punti[da], punti[a]);
        for (const auto& [nome, punto] : punti) {
            const bool nuovo = nome == "P" || nome == "Q";
            p.setPen(QPen(nuovo ? Qt::red : Qt::blue, 1));
            p.setBrush(nuovo ? Qt::red : Qt::blue);
            p.drawEllipse(punto, 3, 3);
            p.drawText(punto + QPointF(6, -4), nome);
        }
        p.setPen(Qt::darkGreen);
        for (const auto& [etichetta, vicino] : angoli) {
            const QPointF c = punti[vicino];
            p.drawText(c + QPointF(c.x() < 110 ? 8 : -40, c.y() < 85 ? 22 : -12), etichetta);
        }
    }

private:
    TipoIntersezione tipo_;
};

class FinestraIntersezione : public QDialog {
public:
    FinestraIntersezione(TipoIntersezione tipo, ContestoPagina& contesto, QWidget* parent)
        : QDialog(parent), ws_(contesto.ws), host_(contesto.host), modello_(tipo) {
        setWindowTitle(QString::fromUtf8(modello_.titolo()));
        setModal(true);
        caselle_.assign(ModelloIntersezione::kCaselle, nullptr);
        auto* cornici = new QVBoxLayout;
        for (const CorniceIntersezione& cornice : modello_.cornici()) {
            std::vector<int> indici;
            std::vector<const char*> etichette;
            for (const auto& c : cornice.caselle) {
                indici.push_back(c.indice);
                etichette.push_back(c.etichetta);
            }
            cornici->addWidget(corniceCaselle(this, cornice.titolo, indici, etichette, caselle_));
        }
        for (int i : modello_.caselleRisultato()) caselle_[static_cast<std::size_t>(i)]->setReadOnly(true);

        auto* calcola = pulsanteRilievo(this, ModelloIntersezione::kCalcola, "calcola");
        auto* chiudi = pulsanteRilievo(this, ModelloIntersezione::kChiudi, "chiudi");
        auto* pulsanti = new QHBoxLayout;
        pulsanti->addStretch();
        pulsanti->addWidget(calcola);
        pulsanti->addWidget(chiudi);

        auto* sinistra = new QVBoxLayout;
        sinistra->addWidget(new SchemaIntersezione(tipo, this));
        sinistra->addStretch();
        auto* corpo = new QHBoxLayout;
        corpo->addLayout(sinistra);
        corpo->addLayout(cornici, 1);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(corpo);
        layout->addLayout(pulsanti);

        connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
        connect(calcola, &QPushButton::clicked, this, [this] {
            for (std::size_t i = 0; i < caselle_.size(); ++i)
                if (caselle_[i]) modello_.Text1[i] = caselle_[i]->text().toStdString();
            if (modello_.calcola(ws_.impostazioni.AngoloPiatto, host_)) {
                for (int i : modello_.caselleRisultato())
                    caselle_[static_cast<std::size_t>(i)]->setText(qtesto(modello_.Text1[static_cast<std::size_t>(i)]));
            } else if (modello_.casellaErrata >= 0) {
                // The box the message refers to, its text selected for retyping.
                QLineEdit* casella = caselle_[static_cast<std::size_t>(modello_.casellaErrata)];
                casella->setFocus(Qt::OtherFocusReason);
                casella->selectAll();
            }
        });
    }

private:
    Workspace& ws_;
    Host& host_;
    ModelloIntersezione modello_;
    std::vector<QLineEdit*> caselle_;
};

class FinestraIntersezioneAvanti : public FinestraIntersezione {
public:
    FinestraIntersezioneAvanti(ContestoPagina& c, QWidget* p) : FinestraIntersezione(TipoIntersezione::Avanti, c, p) {}
};
class FinestraIntersezionePotheno : public FinestraIntersezione {
public:
    FinestraIntersezionePotheno(ContestoPagina& c, QWidget* p)
        : FinestraIntersezione(TipoIntersezione::Potheno, c, p) {}
};
class FinestraIntersezioneHansen : public FinestraIntersezione {
public:
    FinestraIntersezioneHansen(ContestoPagina& c, QWidget* p) : FinestraIntersezione(TipoIntersezione::Hansen, c, p) {}
};

CARVELA_REGISTRA_PAGINA(Pagina::IntersezioneAvanti, FinestraIntersezioneAvanti)
CARVELA_REGISTRA_PAGINA(Pagina::IntersezionePotheno, FinestraIntersezionePotheno)
CARVELA_REGISTRA_PAGINA(Pagina::IntersezioneHansen, FinestraIntersezioneHansen)

}  // namespace
}  // namespace carvela
