// The wizard window in the main window: from the sample drawing to a computed road, the
// axis traced with clicks on the canvas, the help, cancelling and the confirmation.
#include "shell/ui/wizard_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include "dxf/ui/ricava_dxf_page.h"
#include "shell/ui/wizard_confirm.h"
#include "shell/ui/wizard_help.h"
#include "support/modal.h"
#include "ui/window_test.h"

using namespace carvela;

namespace {

struct Programma : prova::FinestraDiProva {
    Programma() {
        // The wizard and the recognition window are the real ones; the data pages that the
        // recognition opens afterwards are left shut.
        lasciaAprire = [](Pagina p) { return p == Pagina::Autocomposizione || p == Pagina::RicavaDxf; };
        w.resize(1100, 800);
    }

    FinestraWizard* apriWizard() {
        w.comandi().esegui("autocompStr");
        return qobject_cast<FinestraWizard*>(w.host().pagina(Pagina::Autocomposizione));
    }
};

QString campione(const char* nome) { return QStringLiteral(CARVELA_SOURCE_DIR "/samples/") + nome; }

}  // namespace

class WizardWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir impostazioni_;

private slots:
    void initTestCase() {
        // The wizard's own settings go to a folder of the test, not to the user's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, impostazioni_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, impostazioni_.path());
    }

    void fromADrawingToAComputedRoad() {
        if (!QFile::exists(campione("terreno.dxf"))) QSKIP("sample terrain not present");
        Programma p;
        FinestraWizard* wiz = p.apriWizard();
        // Not modal, but holding the main window until the axis is traced.
        QVERIFY(wiz && wiz->isVisible() && !wiz->isModal());
        QCOMPARE(wiz->windowTitle(), QStringLiteral("Introduzione - Autocomposizione del Carvela"));
        QCOMPARE(wiz->fotogrammaVisibile(), 0);
        QCOMPARE(p.w.workspace().wizardAttivo, int16_t(-1));
        QVERIFY(!p.w.menuBar()->isEnabled() && !p.w.canvas().isEnabled());
        QVERIFY(!wiz->pulsante(FinestraWizard::Indietro)->isEnabled());
        QVERIFY(!wiz->pulsante(FinestraWizard::Fine)->isEnabled());

        // F1: the help at the introduction's context.
        QTest::keyClick(wiz, Qt::Key_F1);
        QVERIFY(wiz->guida() && wiz->guida()->isVisible());
        QCOMPARE(wiz->guida()->contesto(), 1010);
        QVERIFY(wiz->guida()->toPlainText().contains(QStringLiteral("Autocomposizione del Carvela")));

        // Step 1: the file name, then the import.
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Avanti), Qt::LeftButton);
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Avanti), Qt::LeftButton);
        QCOMPARE(p.messaggi, std::vector<std::string>{"Nome file non valido!"});
        QCOMPARE(wiz->fotogrammaVisibile(), 1);
        wiz->campoFile()->setText(campione("terreno.dxf"));
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Avanti), Qt::LeftButton);
        QCOMPARE(wiz->fotogrammaVisibile(), 2);
        QCOMPARE(p.w.workspace().TipoDocumento, kDocDxf);
        QVERIFY(p.w.windowTitle().endsWith(QStringLiteral(" [ ") + campione("terreno.dxf") + QStringLiteral(" ]")));

        // Step 2 -> 3: the recognition window, contour lines from the polylines of their layer.
        bool riconosciuto = false;
        prova::allaFinestraModale<PaginaRicavaDxf>([&](PaginaRicavaDxf* r) {
            QVERIFY(!r->pulsanteChiudi()->isVisible());  // no way out but recognising
            r->gruppoProgetto()->button(0)->setChecked(true);
            r->gruppoSelezione()->button(1)->setChecked(true);  // by layer
            r->elenco(1)->setCurrentIndex(r->elenco(1)->findText(QStringLiteral("CURVE_LIVELLO")));
            r->casellaCurve()->setChecked(true);
            riconosciuto = true;
            r->pulsanteRiconosci()->click();
        });
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Avanti), Qt::LeftButton);
        QVERIFY(riconosciuto && wiz->isVisible());
        QCOMPARE(wiz->fotogrammaVisibile(), 3);
        QVERIFY(p.w.workspace().Piano.NumeroCurveLivello > 10);

        // Step 4: the wizard hides, the canvas takes the clicks of the axis.
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Avanti), Qt::LeftButton);
        QVERIFY(!wiz->isVisible() && p.w.canvas().isEnabled());
        const Vista& v = p.w.workspace().vista;
        CanvasWidget& canvas = p.w.canvas();
        for (auto [x, y] :
             {std::pair{5040.0, 3040.0}, {5190.0, 3150.0}, {5330.0, 3250.0}, {5470.0, 3270.0}, {5570.0, 3370.0}}) {
            const QPoint punto(qRound(v.canvasX(x)), qRound(v.canvasY(y)));
            QVERIFY2(canvas.rect().contains(punto), "axis vertex outside the canvas");
            QTest::mouseMove(&canvas, punto);
            QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, punto);
        }
        QTest::mouseClick(&canvas, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(p.w.workspace().Piano.VerticiAsse.upperBound() >= 5, true);
        QVERIFY(wiz->isVisible());  // tracing over: back to the wizard
        QVERIFY(!p.w.canvas().isEnabled());
        QVERIFY(!wiz->pulsante(FinestraWizard::Fine)->isEnabled());

        // Step 5: the road computation.
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Avanti), Qt::LeftButton);
        QCOMPARE(wiz->fotogrammaVisibile(), 5);
        QCOMPARE(wiz->windowTitle(), QStringLiteral("Processo completato. - Autocomposizione del Carvela"));
        QVERIFY(p.w.workspace().Piano.NumeroIntersezioni > 5);
        QVERIFY(p.w.workspace().Paleggi.NumeroPunti > 5);
        QVERIFY(wiz->opzione(OpzioneFinale::Planimetria)->isChecked());
        QVERIFY(wiz->pulsante(FinestraWizard::Fine)->isEnabled());
        QVERIFY(!wiz->pulsante(FinestraWizard::Avanti)->isEnabled());

        // Finish on the profile; the confirmation is ticked off for the next time.
        wiz->opzione(OpzioneFinale::Profilo)->click();
        bool confermato = false;
        prova::allaFinestraModale<FinestraConferma>([&](FinestraConferma* c) {
            QCOMPARE(c->windowTitle(), QStringLiteral("Progetto completato"));
            c->casella()->setChecked(true);
            confermato = true;
            c->accept();
        });
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Fine), Qt::LeftButton);
        QVERIFY(confermato);
        QVERIFY(!wiz->isVisible() && !wiz->guida()->isVisible());  // the help went with the wizard
        QCOMPARE(p.w.workspace().TipoDocumento, kDocProfilo);
        QCOMPARE(p.w.workspace().wizardAttivo, int16_t(0));
        QVERIFY(p.w.menuBar()->isEnabled() && p.w.canvas().isEnabled());
        // The profile is brought into view.
        const QImage profilo = p.w.canvas().immagine().copy(p.w.canvas().rect());
        int accesi = 0;
        for (int y = 0; y < profilo.height(); y += 2)
            for (int x = 0; x < profilo.width(); x += 2) accesi += (profilo.pixel(x, y) & 0xFFFFFF) != 0;
        QVERIFY(accesi > 500);
        QCOMPARE(QSettings(QSettings::UserScope, QStringLiteral("Wizards"), QStringLiteral("Wizards"))
                     .value(QStringLiteral("WizardTemplate/ConfirmScreen"))
                     .toString(),
                 QStringLiteral("DontShow"));
    }

    void cancelAndReopen() {
        Programma p;
        FinestraWizard* wiz = p.apriWizard();
        QVERIFY(wiz);
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Avanti), Qt::LeftButton);
        QTest::mouseClick(wiz->pulsante(FinestraWizard::Guida), Qt::LeftButton);
        QCOMPARE(wiz->guida()->contesto(), 1020);
        // Esc is "&Interrompi": it asks, and OK closes.
        QTest::keyClick(wiz, Qt::Key_Escape);
        QCOMPARE(p.messaggi.back(), testoWizard(300));
        QVERIFY(!wiz->isVisible() && !wiz->guida()->isVisible());
        QCOMPARE(p.w.workspace().wizardAttivo, int16_t(0));
        QVERIFY(p.w.menuBar()->isEnabled());

        // Opened again it starts from the beginning.
        p.apriWizard();
        QVERIFY(wiz->isVisible() && wiz->fotogrammaVisibile() == 0);
        QCOMPARE(p.w.workspace().wizardAttivo, int16_t(-1));
        // The window's close button closes without asking.
        const std::size_t messaggi = p.messaggi.size();
        wiz->close();
        QCOMPARE(p.messaggi.size(), messaggi);
        QCOMPARE(p.w.workspace().wizardAttivo, int16_t(0));
        QVERIFY(p.w.canvas().isEnabled());
    }
};

QTEST_MAIN(WizardWindowTest)
#include "wizard_window_test.moc"
