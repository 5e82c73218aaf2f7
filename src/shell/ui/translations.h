#pragma once
// Qt's own Italian texts (Debian qt6-translations-l10n), so the standard dialogs and buttons
// ("Annulla", "Cerca in:") speak the program's language.
class QCoreApplication;

namespace carvela {

// Installs the Italian catalogue of Qt's widgets into the application; false when it is not
// on the machine (the standard texts then stay English).
bool caricaTraduzioniQt(QCoreApplication& app);

}  // namespace carvela
