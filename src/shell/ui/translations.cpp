#include "shell/ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace carvela {

bool caricaTraduzioniQt(QCoreApplication& app) {
    auto* traduttore = new QTranslator(&app);
    if (!traduttore->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduttore;
        return false;
    }
    return QCoreApplication::installTranslator(traduttore);
}

}  // namespace carvela
