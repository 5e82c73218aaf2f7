#include "shell/ui/wizard_help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace carvela {

QString paginaGuida(int contesto) {
    switch (contesto) {
    case 1010: return QStringLiteral("introduzione.html");
    case 1020: return QStringLiteral("fase1.html");
    case 1030: return QStringLiteral("fase2.html");
    case 1040: return QStringLiteral("fase3.html");
    case 1050: return QStringLiteral("fase4.html");
    case 1060: return QStringLiteral("completato.html");
    default: return QString();
    }
}

QString cartellaGuida() {
    const QString programma = QCoreApplication::applicationDirPath();
    // A folder named by the environment, the copy installed beside the program or in the usual
    // share folder, or, for a program run from a build folder inside the source tree, the
    // source tree's docs/help.
    QStringList candidate;
    const QString ambiente = qEnvironmentVariable("CARVELA_HELP_DIR");
    if (!ambiente.isEmpty()) candidate << ambiente;
    candidate << programma + QStringLiteral("/help") << programma + QStringLiteral("/../share/carvela/help")
              << programma + QStringLiteral("/../docs/help") << programma + QStringLiteral("/../../docs/help");
    for (const QString& c : candidate)
        if (QFileInfo::exists(c + QStringLiteral("/introduzione.html"))) return QDir(c).canonicalPath();
    return QString();
}

FinestraGuida::FinestraGuida(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("GuidaAutocomposizione"));
    setWindowFlag(Qt::Window, true);
    setWindowTitle(QStringLiteral("Guida - Autocomposizione del Carvela"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
    resize(560, 480);
}

bool FinestraGuida::mostraContesto(int contesto) {
    const QString cartella = cartellaGuida(), pagina = paginaGuida(contesto);
    if (cartella.isEmpty() || pagina.isEmpty() || !QFileInfo::exists(cartella + '/' + pagina)) return false;
    setSearchPaths({cartella});
    setSource(QUrl::fromLocalFile(cartella + '/' + pagina));
    contesto_ = contesto;
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace carvela
