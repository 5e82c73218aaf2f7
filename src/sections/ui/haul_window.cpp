#include "sections/ui/haul_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphics/haul_report.h"
#include "graphics/pdf_writer.h"
#include "sections/mass_diagram.h"
#include "shell/ui/page_window.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

const char* const kTitolo = "Movimenti di terra e trasporti";

class FinestraTrasporti : public FinestraPagina {
public:
    FinestraTrasporti(ContestoPagina& contesto, QWidget* parent) : FinestraPagina(contesto, kTitolo, parent) {
        formula_ = new QLabel(this);
        formula_->setObjectName("formula");
        parametri_ = nuovaTabella("parametri");
        totali_ = nuovaTabella("totali");
        tratti_ = nuovaTabella("tratti");
        for (TabellaGriglia* t : {parametri_, totali_}) t->setMaximumHeight(70);
        auto* principale = new QVBoxLayout(this);
        principale->addWidget(formula_);
        principale->addWidget(parametri_);
        principale->addWidget(totali_);
        principale->addWidget(new QLabel("Tratti compensati (linea di compenso a ordinata 0)", this));
        principale->addWidget(tratti_, 1);
        principale->addWidget(nuovaNota());
        QHBoxLayout* riga = rigaPulsanti(Esporta | Stampa | Chiudi);
        auto* pdf = new QPushButton("Esporta &PDF...", this);
        pdf->setObjectName("pdf");
        pdf->setAutoDefault(false);
        connect(pdf, &QPushButton::clicked, this, [this] { esportaPdf(); });
        riga->insertWidget(2, pdf);
        principale->addLayout(riga);
        resize(900, 520);
    }

    std::vector<const Griglia*> griglie() const override { return rapporto_.griglie(); }

protected:
    // Computed afresh each time it opens, so it follows the settings and the last road.
    void carica() override {
        const Movimento m = movimentoPaleggi(ws().Paleggi, parametriStrada(ws()));
        rapporto_ = rapportoTrasporti(m);
        // The form heads the text export too, as a grid of its own.
        formula_->setText(QString::fromStdString(rapporto_.formula));
        parametri_->mostra(rapporto_.parametri);
        totali_->mostra(rapporto_.totali);
        tratti_->mostra(rapporto_.tratti);
        // The headings are long and the grids carry no width hints: columns fit their texts.
        for (TabellaGriglia* t : {parametri_, totali_, tratti_}) t->resizeColumnsToContents();
        mostraNota(ws().Paleggi.NumeroPunti < 2 ? "Nessun volume calcolato: risolvere prima il tracciato stradale."
                                                : "");
    }

private:
    void esportaPdf() {
        const std::string percorso = host().salvaFile("trasporti.pdf", "Documento PDF (*.pdf) | *.PDF", "Esporta PDF");
        if (percorso.empty()) return;
        PdfWriter pdf;
        pdf.titolo(kTitolo);
        const std::string progetto = ws().NomeFilePln.empty() ? std::string() : " - " + ws().NomeFilePln;
        disegnaRapportoTrasporti(pdf, rapporto_, std::string(kTitolo) + progetto);
        const std::string errore = pdf.salva(percorso);
        if (!errore.empty()) host().messaggio(errore, Pulsanti::Ok, Icona::Critico);
    }

    RapportoTrasporti rapporto_;
    QLabel* formula_;
    TabellaGriglia *parametri_, *totali_, *tratti_;
};

}  // namespace

void apriRapportoTrasporti(QWidget* parent, Workspace& ws, Canvas& canvas, Host& host) {
    ContestoPagina contesto{ws, canvas, host};
    FinestraTrasporti finestra(contesto, parent);
    finestra.exec();
}

}  // namespace carvela
