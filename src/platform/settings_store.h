// The per-user settings store: the registry key HKEY_CURRENT_USER\Software\Tavrin on Windows, an
// INI file in the user's configuration folder elsewhere. Holds the one-character values
// of the settings, the views and the windows' places, the mail address of the HTML pages and the collections
// opened last.
#pragma once

#include "platform/settings.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace tavrin {

class SettingsStore {
  public:
    // The user's own store.
    SettingsStore();
    // An INI file at this path (tests, portable set-ups).
    explicit SettingsStore(const QString& iniFile);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Reads the values (those of the views and windows once they have one). A store that does not exist yet
    // is created with the defaults; when it cannot be created the defaults apply and the store is never
    // written.
    Settings Read();
    // Writes the values (those of the views and windows once they have one); does nothing when the store
    // could not be created or opened.
    void Write(const Settings& settings);
    // The mail address of the HTML page foot (8-bit): the value "HTML Mail" of the store, the
    // default address when it has none.
    std::string HtmlMailAddress();
    // The collections opened last (UTF-8 paths), the last one first.
    std::vector<std::string> RecentFiles();
    void WriteRecentFiles(const std::vector<std::string>& files);
    // False once the store proved impossible to create or write.
    bool Usable() const { return usable_; }

  private:
    bool WriteValues(const SettingValues& values);

    std::unique_ptr<QSettings> settings_;
    bool usable_ = true;
};

} // namespace tavrin
