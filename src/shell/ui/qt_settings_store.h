#pragma once
// The settings store of the desktop program: QSettings under an application name and a
// section ("Carvela" / "Impostazioni" for the program's options).
#include <QSettings>
#include <QString>

#include "state/settings.h"

namespace carvela {

class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& applicazione = "Carvela", const QString& sezione = "Impostazioni");

    std::optional<std::string> leggi(const std::string& key) const override;
    void scrivi(const std::string& key, const std::string& value) override;
    // Writes what is pending to disk now.
    void sincronizza();

private:
    mutable QSettings settings_;
    QString sezione_;
};

}  // namespace carvela
