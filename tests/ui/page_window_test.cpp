// What every data page shares: its buttons, the print of its grids under its caption on the
// shared printer (the screen read first), the export of its grids, and Enter that never
// applies or closes a page.
#include "shell/ui/page_window.h"

#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>

#include "shell/ui/print_setup.h"
#include "support/modal.h"
#include "support/sample_records.h"
#include "ui/window_test.h"

using namespace carvela;

namespace {

struct DialogoStampa {
    bool aperto = false;
    QPrinter* stampante = nullptr;
    QString documento;
};

// Notes the print dialog that the next step opens, and cancels it (or confirms it).
std::shared_ptr<DialogoStampa> annullaLaStampa(bool conferma = false) {
    auto visto = std::make_shared<DialogoStampa>();
    prova::allaFinestraModale<QPrintDialog>([visto, conferma](QPrintDialog* d) {
        *visto = {true, d->printer(), d->printer()->docName()};
        if (conferma) d->accept();
    });
    return visto;
}

QStringList intestazioni(const Griglia& g) {
    QStringList out;
    for (int c = 0; c < g.colonne(); ++c) out << QString::fromStdString(g.testo(0, c));
    return out;
}

}  // namespace

class PageWindowTest : public QObject {
    Q_OBJECT

private:
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;

    FinestraPagina* apri(Pagina id) {
        ContestoPagina contesto{ws, canvas, host};
        auto* pagina = qobject_cast<FinestraPagina*>(creaPagina(id, contesto, nullptr));
        if (pagina) pagina->show();
        return pagina;
    }

private slots:
    void init() {
        ws = Workspace();
        ws.impostazioni.numeroPuntiPianoQDefault = 10;
        ws.impostazioni.numeroPuntiPoligoDefault = 10;
        ws.impostazioni.numeroPuntiTriangolDefault = 10;
        ws.Piano = campioni::piano(3);
        ws.Sezioni.redim(1);
        ws.Sezioni[1] = campioni::sezione(1);
        ws.SezioneCorrente = 1;
        ws.Profilo = campioni::profilo();
        ws.Paleggi = campioni::paleggi();
        ws.PoligonaleAperta = campioni::poligonaleAperta();
        ws.PoligonaleChiusa = campioni::poligonaleChiusa();
        ws.Triangolazione = campioni::triangolazione();
        host.pulisci();
    }

    void everyPagePrintsItsGridsUnderItsCaptionOnTheSharedPrinter() {
        const Pagina pagine[] = {Pagina::PuntiPiano,       Pagina::CoordinateAsse, Pagina::Profilo,
                                 Pagina::Sezione,          Pagina::TabellaVolumi,  Pagina::PoligonaleAperta,
                                 Pagina::PoligonaleChiusa, Pagina::Triangolazione};
        for (Pagina id : pagine) {
            std::unique_ptr<FinestraPagina> pagina(apri(id));
            QVERIFY(pagina);
            const QByteArray nome = pagina->windowTitle().toUtf8();
            // The row: the volume table only reads, the other pages also apply.
            const std::pair<FinestraPagina::Pulsante, const char*> attesi[] = {
                {FinestraPagina::Applica, "&Applica"},
                {FinestraPagina::Esporta, "&Esporta TXT"},
                {FinestraPagina::Stampa, "&Stampa..."},
                {FinestraPagina::Chiudi, "C&hiudi"}};
            for (const auto& [quale, testo] : attesi) {
                QPushButton* b = pagina->pulsante(quale);
                if (id == Pagina::TabellaVolumi && quale == FinestraPagina::Applica) {
                    QVERIFY2(!b, nome.constData());
                    continue;
                }
                QVERIFY2(b && b->text() == testo, nome.constData());
                QVERIFY2(!b->autoDefault(), nome.constData());
            }
            QVERIFY2(!pagina->griglieStampa().empty(), nome.constData());

            auto visto = annullaLaStampa();
            pagina->pulsante(FinestraPagina::Stampa)->click();
            QVERIFY2(visto->aperto, nome.constData());
            QCOMPARE(visto->stampante, &stampanteCondivisa());
            QCOMPARE(visto->documento, pagina->windowTitle());
            QVERIFY2(host.messaggi.empty(), nome.constData());
            QVERIFY(pagina->isEnabled());
        }

        // Confirmed, the dialog prints the pages: here to the PDF file the shared printer names.
        const QString pdf = QDir::temp().filePath("carvela_pagina_volumi.pdf");
        QFile::remove(pdf);
        stampanteCondivisa().setOutputFormat(QPrinter::PdfFormat);
        stampanteCondivisa().setOutputFileName(pdf);
        std::unique_ptr<FinestraPagina> tabella(apri(Pagina::TabellaVolumi));
        annullaLaStampa(true);
        tabella->stampa();
        QFile stampato(pdf);
        QVERIFY(stampato.open(QIODevice::ReadOnly));
        QVERIFY(stampato.readAll().startsWith("%PDF"));
        stampato.close();
        QFile::remove(pdf);
        stampanteCondivisa().setOutputFileName(QString());

        // A table with no rows has nothing to print: said so, no dialog.
        ws.Paleggi = TabellaPaleggi();
        std::unique_ptr<FinestraPagina> volumi(apri(Pagina::TabellaVolumi));
        volumi->pulsante(FinestraPagina::Stampa)->click();
        QCOMPARE(host.testiMessaggi(), std::vector<std::string>{"Nessun dato da stampare."});
    }

    void printReadsTheScreenAndHeadsTheGridsWithTheBoxes() {
        // Closed traverse: the closing errors shown, then the grids as typed (not applied).
        std::unique_ptr<FinestraPagina> chiusa(apri(Pagina::PoligonaleChiusa));
        auto* g1 = chiusa->findChild<TabellaGriglia*>("Grid1");
        g1->impostaTestoCella(6, 3, "");
        prova::digita(g1, 6, 3, "42,5");
        annullaLaStampa();
        chiusa->stampa();
        std::vector<const Griglia*> stampate = chiusa->griglieStampa();
        QCOMPARE(stampate.size(), std::size_t(3));
        QCOMPARE(intestazioni(*stampate[0]),
                 QStringList({"", "Errore di chiusura angolare", "Errore di chiusura lineare"}));
        QCOMPARE(QString::fromStdString(stampate[0]->testo(1, 1)),
                 chiusa->findChild<QLabel*>("erroreAngolare")->text());
        QCOMPARE(QString::fromStdString(stampate[0]->testo(1, 2)), chiusa->findChild<QLabel*>("erroreLineare")->text());
        QCOMPARE(stampate[1]->testo(6, 3), std::string("42,5"));
        QCOMPARE(ws.PoligonaleChiusa.NumeroStazioni, campioni::poligonaleChiusa().NumeroStazioni);

        // Section: its four boxes as typed head its ground points.
        std::unique_ptr<FinestraPagina> sezione(apri(Pagina::Sezione));
        sezione->findChild<QLineEdit*>("quota")->setText("123,25");
        annullaLaStampa();
        sezione->stampa();
        stampate = sezione->griglieStampa();
        QCOMPARE(stampate.size(), std::size_t(2));
        QCOMPARE(intestazioni(*stampate[0]),
                 QStringList({"", "Numero progressivo della sezione", "Distanza progressiva della sezione",
                              "Quota di progetto in asse", "Larghezza della strada"}));
        QCOMPARE(stampate[0]->testo(1, 3), std::string("123,25"));
        QCOMPARE(intestazioni(*stampate[1]), intestazioni(*sezione->griglie()[0]));
        QCOMPARE(ws.Sezioni[1].QuotaProgetto, campioni::sezione(1).QuotaProgetto);
    }

    void exportWritesThePageGridsAndEnterNeitherAppliesNorCloses() {
        std::unique_ptr<FinestraPagina> aperta(apri(Pagina::PoligonaleAperta));
        const QString percorso = QDir::temp().filePath("carvela_pagina_aperta.txt");
        QFile::remove(percorso);
        host.fileSalvati.push_back(percorso.toStdString());
        aperta->pulsante(FinestraPagina::Esporta)->click();
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray testo = file.readAll();
        file.close();
        QFile::remove(percorso);
        for (const Griglia* g : aperta->griglie())  // every cell, headings and figures
            for (int r = 0; r < g->righe(); ++r)
                for (int c = 0; c < g->colonne(); ++c)
                    QVERIFY2(testo.contains(QString::fromStdString(g->testo(r, c)).toLatin1()), g->testo(r, c).c_str());
        QVERIFY(aperta->isEnabled());

        // Enter in a box of the section page leaves the section and the page as they were.
        std::unique_ptr<FinestraPagina> sezione(apri(Pagina::Sezione));
        QLineEdit* quota = sezione->findChild<QLineEdit*>("quota");
        quota->setText("999");
        quota->setFocus();
        QTest::keyClick(quota, Qt::Key_Return);
        QCOMPARE(ws.Sezioni[1].QuotaProgetto, campioni::sezione(1).QuotaProgetto);
        QVERIFY(sezione->isVisible());
        QVERIFY(host.messaggi.empty());
    }
};

QTEST_MAIN(PageWindowTest)
#include "page_window_test.moc"
