// The per-user settings store: the registry key HKEY_CURRENT_USER\Software\Tavrin on Windows, an
// INI file in the user's configuration folder elsewhere. Holds the six one-character values and,
// once chosen, the title view's two.
#pragma once

#include "platform/settings.h"

#include <QString>

#include <memory>
#include <string>

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

    // Reads the six values and the title view's. A store that does not exist yet is created with the
    // defaults; when it cannot be created the defaults apply and the store is never written.
    Settings Read();
    // Writes the six values (and the title view's, once chosen); does nothing when the store could not be
    // created or opened.
    void Write(const Settings& settings);
    // The mail address of the HTML page foot (8-bit): the value "HTML Mail" of the store, the
    // default address when it has none.
    std::string HtmlMailAddress();
    // False once the store proved impossible to create or write.
    bool Usable() const { return usable_; }

  private:
    bool WriteValues(const SettingValues& values);

    std::unique_ptr<QSettings> settings_;
    bool usable_ = true;
};

} // namespace tavrin
