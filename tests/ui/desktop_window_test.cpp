// The main window as a desktop program: undo and redo give back the records, every document
// shown is fitted, the wheel zooms about the pointer, Esc disarms, the recent files and the
// window's place outlive a restart, Qt's own buttons speak Italian.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "dxf/ui/ricava_dxf_page.h"
#include "shell/ui/translations.h"
#include "ui/window_test.h"

using namespace carvela;

namespace {

// The records a command may change, to compare before and after.
struct Record {
    Planimetria piano;
    VbArray<Sezione> sezioni;
    Profilo profilo;
    TabellaPaleggi paleggi;
    bool operator==(const Record&) const = default;
};
Record record(const Workspace& ws) { return {ws.Piano, ws.Sezioni, ws.Profilo, ws.Paleggi}; }

// The main window with every page opening for real.
struct Finestra : prova::FinestraDiProva {
    explicit Finestra(SettingsStore* memoria) : FinestraDiProva(memoria) {
        lasciaAprire = [](Pagina) { return true; };
    }
    QAction* azione(const char* nome) { return w.menuBar()->findChild<QAction*>(nome); }
};

// A copy of a sample, so nothing the window does touches the checkout.
QString copia(const QTemporaryDir& dir, const char* nome) {
    const QString path = dir.filePath(nome);
    std::filesystem::copy_file(CARVELA_SOURCE_DIR "/samples/progetto.pln", path.toStdString());
    return path;
}

}  // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The window's memory goes to a folder of the test, not to the user's settings.
        static QTemporaryDir impostazioni;
        for (auto formato : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(formato, QSettings::UserScope, impostazioni.path());
    }

    void annullaERipetiRestituisconoIRecord() {
        MapSettingsStore memoria;
        Finestra f(&memoria);
        QTemporaryDir dir;
        QVERIFY(f.w.apriFile(copia(dir, "strada.pln")));
        Workspace& ws = f.w.workspace();
        const Record aperto = record(ws);
        QCOMPARE(f.azione("annulla")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.azione("ripeti")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));

        // More "&Applica" of the plan's points than the 20 steps a user may take back.
        QDialog* pagina = f.w.host().pagina(Pagina::PuntiPiano);
        QVERIFY(pagina);
        pagina->show();
        auto* tabella = pagina->findChild<TabellaGriglia*>();
        std::vector<Record> dopo;
        for (int i = 0; i < 22; ++i) {
            tabella->impostaTestoCella(1, 1, "100");
            tabella->impostaTestoCella(1, 2, QString::number(50 + i));
            tabella->impostaTestoCella(1, 3, "12");
            prova::pulsante(pagina, "&Applica")->click();
            dopo.push_back(record(ws));
            QVERIFY(dopo.back() != (i ? dopo[i - 1] : aperto));
        }
        pagina->hide();

        // The road computation with a wider road and closer sections changes the records.
        ws.impostazioni.LarghezzaDefaultStrada = 14;
        ws.impostazioni.DistazaMinimaSezioni = 2;
        f.azione("ricavaProfilo")->trigger();
        const Record calcolato = record(ws);
        QVERIFY(calcolato.sezioni != dopo.back().sezioni && calcolato.piano != dopo.back().piano);

        f.azione("annulla")->trigger();
        QVERIFY(record(ws) == dopo.back());
        for (int i = 21; i > 0; --i) {
            f.azione("annulla")->trigger();
            QVERIFY2(record(ws) == dopo[i - 1], qPrintable(QString::number(i)));
        }
        f.azione("annulla")->trigger();
        QVERIFY(record(ws) == aperto);
        QCOMPARE(f.w.storia().passiAnnullabili(), std::size_t(0));
        f.azione("annulla")->trigger();  // nothing left: nothing changes
        QVERIFY(record(ws) == aperto);

        for (int i = 0; i < 22; ++i) f.azione("ripeti")->trigger();
        QVERIFY(record(ws) == dopo.back());
        f.azione("ripeti")->trigger();
        QVERIFY(record(ws) == calcolato);
        // A new step after undoing forgets what redo would have put back.
        f.azione("annulla")->trigger();
        pagina->show();
        tabella->impostaTestoCella(1, 2, "99");
        prova::pulsante(pagina, "&Applica")->click();
        QCOMPARE(f.w.storia().passiRipetibili(), std::size_t(0));
    }

    // The plan made of an imported drawing goes back and comes again; the drawing stays.
    void ilPianoRicavatoDalDxfSiAnnulla() {
        MapSettingsStore memoria;
        Finestra f(&memoria);
        f.lasciaAprire = [](Pagina) { return false; };
        f.w.host().rispostaFile = [](const std::string&, const std::string&) {
            return std::string(CARVELA_SOURCE_DIR "/samples/terreno.dxf");
        };
        f.esegui("ImportDXFin");
        Workspace& ws = f.w.workspace();
        const VbArray<DxfEntity> disegno = ws.DxfDrawing;
        QVERIFY(disegno.upperBound() > 0 && ws.Piano.NumeroCurveLivello == 0);
        auto* pagina = dynamic_cast<PaginaRicavaDxf*>(f.w.host().pagina(Pagina::RicavaDxf));
        QVERIFY(pagina);
        pagina->show();
        pagina->gruppoSelezione()->button(2)->click();
        pagina->elenco(2)->setCurrentIndex(pagina->elenco(2)->findText("POLYLINE"));
        pagina->casellaCurve()->setChecked(true);
        pagina->pulsanteRiconosci()->click();
        QCOMPARE(ws.Piano.NumeroCurveLivello, 53);
        f.azione("annulla")->trigger();
        QCOMPARE(ws.Piano.NumeroCurveLivello, 0);
        QVERIFY(ws.DxfDrawing == disegno);
        f.azione("ripeti")->trigger();
        QCOMPARE(ws.Piano.NumeroCurveLivello, 53);
        QVERIFY(ws.DxfDrawing == disegno);
    }

    void ogniDocumentoAdattatoRotellaPanEsc() {
        MapSettingsStore memoria;
        Finestra f(&memoria);
        QTemporaryDir dir;
        QVERIFY(f.w.apriFile(copia(dir, "strada.pln")));
        Workspace& ws = f.w.workspace();
        CanvasWidget& c = f.w.canvas();
        const Vista& v = ws.vista;

        // The plan, the profile, a section and the mass diagram: each fills the canvas on
        // its longer side and lies wholly inside it.
        std::set<uint8_t> mostrati;
        const std::function<void()> mostra[] = {
            [] {},
            [&] { f.w.comandi().eseguiNodo("OP2001"); },
            [&] {
                ws.TipoDocumento = kDocSezione;  // as the sections page leaves it
                ws.SezioneCorrente = 5;
                f.w.comandi().esegui("risolviSezione");
            },
            [&] { f.w.comandi().eseguiNodo("OP4001"); },
            [&] { f.w.comandi().eseguiNodo("OP1001"); },
        };
        for (const auto& passo : mostra) {
            passo();
            c.adattaSeInSospeso();
            mostrati.insert(ws.TipoDocumento);
            const auto [x0, x1] = std::minmax(v.estMinX, v.estMaxX);
            const auto [y0, y1] = std::minmax(v.estMinY, v.estMaxY);
            const QString dove =
                QString("%1: x %2..%3, y %4..%5").arg(ws.TipoDocumento).arg(x0).arg(x1).arg(y0).arg(y1);
            QVERIFY2(x0 >= 0 && y0 >= 0 && x1 <= c.larghezza() && y1 <= c.altezza(), qPrintable(dove));
            QVERIFY2(std::max((x1 - x0) / c.larghezza(), (y1 - y0) / c.altezza()) > 0.8, qPrintable(dove));
        }

        QCOMPARE(mostrati.size(), std::size_t(4));

        // The wheel zooms in about the pointer: the world point under it stays there.
        const QPointF p(170, 120);
        const double wx = v.mondoX(p.x()), wy = v.mondoY(p.y());
        const float scala = v.scala;
        QWheelEvent rotella(p, c.mapToGlobal(p), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&c, &rotella);
        QVERIFY(v.scala > scala);
        QVERIFY(std::abs(v.canvasX(wx) - p.x()) < 1 && std::abs(v.canvasY(wy) - p.y()) < 1);

        // A middle-button drag carries the drawing with the pointer.
        const float ox = v.offsetX, oy = v.offsetY;
        QTest::mousePress(&c, Qt::MiddleButton, {}, QPoint(100, 100));
        QTest::mouseMove(&c, QPoint(140, 70));
        QTest::mouseRelease(&c, Qt::MiddleButton, {}, QPoint(140, 70));
        QCOMPARE(QPointF(v.offsetX - ox, v.offsetY - oy), QPointF(40, -30));

        // Esc disarms the pan and the zoom window armed from the menu.
        f.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.w));
        c.setFocus();
        for (const char* modo : {"pan", "zoomFinestra"}) {
            f.azione(modo)->trigger();
            QVERIFY(v.modoPan + v.modoZoom == 1);
            QTest::keyClick(&c, Qt::Key_Escape);
            QVERIFY2(v.modoPan + v.modoZoom == 0, modo);
        }
    }

    void fileRecentiEPostoDellaFinestraDopoIlRiavvio() {
        QTemporaryDir dir;
        const QString a = copia(dir, "a.pln"), b = copia(dir, "b.pln");
        QRect posto;
        {
            Finestra f(nullptr);
            QVERIFY(f.w.apriFile(a));
            QVERIFY(f.w.apriFile(b));
            QVERIFY(f.w.apriFile(a));
            f.w.resize(820, 610);
            posto = f.w.geometry();
            QVERIFY(f.w.close());
        }
        Finestra f(nullptr);
        QCOMPARE(f.w.fileRecenti(), QStringList({a, b}));
        QCOMPARE(f.w.size(), posto.size());
        auto* recenti = f.w.findChild<QMenu*>("fileRecenti");
        emit recenti->aboutToShow();
        QCOMPARE(recenti->actions().size(), 2);
        QCOMPARE(recenti->actions()[1]->text(), "&2 " + b);
        recenti->actions()[1]->trigger();
        QCOMPARE(QString::fromStdString(f.w.workspace().NomeFilePln), b);
        QCOMPARE(f.w.fileRecenti(), QStringList({b, a}));
        // A file gone since leaves the list when chosen.
        QVERIFY(QFile::remove(a));
        emit recenti->aboutToShow();
        recenti->actions()[1]->trigger();
        QCOMPARE(f.w.fileRecenti(), QStringList({b}));
    }

    // Last: the translations stay installed for the rest of the process.
    void pulsantiStandardInItaliano() {
        if (!caricaTraduzioniQt(*QCoreApplication::instance()))
            QSKIP("Qt's Italian translations (qt6-translations-l10n) are not installed");
        QDialogButtonBox pulsanti(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
        QCOMPARE(pulsanti.button(QDialogButtonBox::Cancel)->text(), QString("Annulla"));
        QCOMPARE(pulsanti.button(QDialogButtonBox::Help)->text(), QString("Aiuto"));
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
