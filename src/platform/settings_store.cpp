#include "platform/settings_store.h"

#include "platform/text.h"

#include <QSettings>
#include <QStringList>

namespace tavrin {

SettingsStore::SettingsStore()
#ifdef Q_OS_WIN
    : settings_(std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Tavrin"),
                                            QSettings::NativeFormat))
#else
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Tavrin"), QStringLiteral("Tavrin")))
#endif
{
}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

Settings SettingsStore::Read() {
    if (settings_->status() != QSettings::NoError) {
        usable_ = false;
        return Settings{};
    }
    SettingValues values;
    for (std::string_view name : SettingNames) {
        const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        if (settings_->contains(key))
            values.emplace(std::string(name), settings_->value(key).toString().toStdString());
    }
    if (values.empty()) {
        // No key yet: this is the first run, so the defaults are stored at once.
        const Settings defaults;
        usable_ = WriteValues(SettingsToValues(defaults));
        return defaults;
    }
    for (std::string_view name : ViewSettingNames) {
        const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        if (settings_->contains(key))
            values.emplace(std::string(name), settings_->value(key).toString().toStdString());
    }
    return SettingsFromValues(values);
}

void SettingsStore::Write(const Settings& settings) {
    if (!usable_) return;
    usable_ = WriteValues(SettingsToValues(settings));
}

std::string SettingsStore::HtmlMailAddress() {
    const QString key = QStringLiteral("HTML Mail");
    const QString address = settings_->value(key).toString().trimmed();
    return address.isEmpty() ? std::string(DefaultMailAddress) : Cp1252FromQString(address);
}

namespace {
const QString RecentFilesKey = QStringLiteral("Recent Files");
}

std::vector<std::string> SettingsStore::RecentFiles() {
    std::vector<std::string> files;
    for (const QString& file : settings_->value(RecentFilesKey).toStringList())
        if (!file.isEmpty() && files.size() < RecentFileCount) files.push_back(file.toStdString());
    return files;
}

void SettingsStore::WriteRecentFiles(const std::vector<std::string>& files) {
    if (!usable_ || !settings_->isWritable()) return;
    QStringList list;
    for (const std::string& file : files)
        list.append(QString::fromStdString(file));
    settings_->setValue(RecentFilesKey, list);
    settings_->sync();
}

bool SettingsStore::WriteValues(const SettingValues& values) {
    if (!settings_->isWritable()) return false;
    for (const auto& [name, text] : values)
        settings_->setValue(QString::fromStdString(name), QString::fromStdString(text));
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace tavrin
