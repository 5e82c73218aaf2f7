#include "shell/ui/qt_settings_store.h"

namespace carvela {

QtSettingsStore::QtSettingsStore(const QString& applicazione, const QString& sezione)
    : settings_(QSettings::UserScope, applicazione, applicazione), sezione_(sezione) {}

std::optional<std::string> QtSettingsStore::leggi(const std::string& key) const {
    const QString chiave = sezione_ + "/" + QString::fromStdString(key);
    if (!settings_.contains(chiave)) return std::nullopt;
    return settings_.value(chiave).toString().toStdString();
}

void QtSettingsStore::scrivi(const std::string& key, const std::string& value) {
    settings_.setValue(sezione_ + "/" + QString::fromStdString(key), QString::fromStdString(value));
}

void QtSettingsStore::sincronizza() { settings_.sync(); }

}  // namespace carvela
