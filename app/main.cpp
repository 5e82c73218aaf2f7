// carvela: the desktop program. One instance per user; the splash for 2000 ms, then the
// main window, which opens the project file given on the command line, if any.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

#include "graphics/ui/canvas_widget.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_host.h"
#include "shell/ui/splash_window.h"
#include "shell/ui/translations.h"

namespace {

QString percorsoBlocco() {
    QString cartella = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (cartella.isEmpty()) cartella = QDir::tempPath();
    return QDir(cartella).filePath(QString("carvela-%1.lock").arg(qEnvironmentVariable("USER", "utente")));
}

// "--istantanea OUT.png [FILE]": the main window drawn into a picture, for the documentation;
// "--istantanea-impostazioni OUT.png": the settings window.
int istantanea(const QString& uscita, const QString& file, bool impostazioni) {
    auto finestra = std::make_unique<carvela::FinestraPrincipale>();
    finestra->resize(1280, 800);
    finestra->show();
    QTimer::singleShot(300, [&] {
        if (!file.isEmpty() && finestra->apriFile(file)) finestra->comandi().esegui("zoomEstenzione");
        if (impostazioni) finestra->host().pagina(carvela::Pagina::Impostazioni)->show();
    });
    QTimer::singleShot(1200, [&] {
        QWidget* soggetto = finestra.get();
        if (impostazioni) soggetto = finestra->host().pagina(carvela::Pagina::Impostazioni);
        const bool ok = soggetto->grab().save(uscita);
        finestra->host().rispostaMessaggio = [](const std::string&, carvela::Pulsanti, carvela::Icona) {
            return carvela::Risposta::Ok;
        };
        QCoreApplication::exit(ok ? 0 : 1);
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Carvela");
    QCoreApplication::setApplicationName("Carvela");
    QCoreApplication::setApplicationVersion(CARVELA_VERSION);
    carvela::caricaTraduzioniQt(app);

    QStringList argomenti = QCoreApplication::arguments().mid(1);
    if (argomenti.size() >= 2 && argomenti[0] == "--istantanea")
        return istantanea(argomenti[1], argomenti.size() > 2 ? argomenti[2] : QString(), false);
    if (argomenti.size() >= 2 && argomenti[0] == "--istantanea-impostazioni")
        return istantanea(argomenti[1], QString(), true);

    QLockFile blocco(percorsoBlocco());
    // Only a lock whose program has ended is stale, however old it is.
    blocco.setStaleLockTime(0);
    if (!blocco.tryLock(0)) {
        QMessageBox box(QMessageBox::Warning, "Carvela",
                        "Un'istanza dell'applicazione è già in esecuzione! "
                        "Non è possibile procedere con il caricamento!",
                        QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        return 1;
    }

    const QString file = argomenti.isEmpty() ? QString() : argomenti.first();
    std::unique_ptr<carvela::FinestraPrincipale> finestra;
    auto* avvio = new carvela::FinestraAvvio([&] {
        finestra = std::make_unique<carvela::FinestraPrincipale>();
        finestra->show();
        // The file opens once the canvas has its size and the view is set up.
        // A project named on the command line is shown whole.
        if (!file.isEmpty())
            QTimer::singleShot(0, finestra.get(), [&finestra, file] {
                if (finestra->apriFile(file)) finestra->comandi().esegui("zoomEstenzione");
            });
    });
    avvio->show();
    const int esito = QApplication::exec();
    finestra.reset();
    return esito;
}
