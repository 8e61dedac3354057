#include "platform/settings.h"

namespace tavrin {
namespace {

// The first character of a stored value, or nothing when the value is missing or empty.
int FirstChar(const SettingValues& values, std::string_view name) {
    auto it = values.find(name);
    if (it == values.end() || it->second.empty()) return -1;
    return static_cast<unsigned char>(it->second[0]);
}

void ReadYesNo(const SettingValues& values, std::string_view name, bool& setting) {
    const int c = FirstChar(values, name);
    if (c >= 0) setting = c != 'N';
}

std::string YesNo(bool on) {
    return on ? "Y" : "N";
}

// Visits the text values of the views and windows with their stored names.
template <class S, class Visit> void ForEachViewValue(S& s, Visit visit) {
    visit(ViewSettingNames[0], s.TitleView);
    visit(ViewSettingNames[1], s.TableColumns);
    visit(ViewSettingNames[2], s.CoverSize);
    visit(ViewSettingNames[3], s.MainWindow);
    visit(ViewSettingNames[4], s.ListWidth);
    visit(ViewSettingNames[5], s.TableWidths);
    visit(ViewSettingNames[6], s.StatsWindow);
}

} // namespace

Settings SettingsFromValues(const SettingValues& values) {
    Settings s;
    ReadYesNo(values, "Flip Flag", s.FlipFlag);
    ReadYesNo(values, "Video Flag", s.VideoFlag);
    ReadYesNo(values, "Save TXT", s.SaveTxt);
    ReadYesNo(values, "Media Flag", s.MediaFlag);
    ReadYesNo(values, "Keep Backup", s.KeepBackup);
    if (int c = FirstChar(values, "Type Video"); c >= 0) s.TypeVideo = c == 'D' ? 1 : c == 'V' ? 2 : 0;
    if (int c = FirstChar(values, "Language"); c >= 0) s.Language = c - '0';
    ForEachViewValue(s, [&](std::string_view name, std::string& value) {
        if (auto it = values.find(name); it != values.end()) value = it->second;
    });
    return s;
}

SettingValues SettingsToValues(const Settings& s) {
    static constexpr char media[] = {'L', 'D', 'V'};
    const int lang = StartLanguage(s.Language);
    SettingValues values{
        {"Flip Flag", YesNo(s.FlipFlag)},
        {"Video Flag", YesNo(s.VideoFlag)},
        {"Save TXT", YesNo(s.SaveTxt)},
        {"Media Flag", YesNo(s.MediaFlag)},
        {"Type Video", std::string(1, media[s.TypeVideo >= 0 && s.TypeVideo <= 2 ? s.TypeVideo : 0])},
        {"Language", std::string(1, static_cast<char>('0' + lang))},
        {"Keep Backup", YesNo(s.KeepBackup)},
    };
    ForEachViewValue(s, [&](std::string_view name, const std::string& value) {
        if (!value.empty()) values.emplace(name, value);
    });
    return values;
}

std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path) {
    std::erase(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > RecentFileCount) recent.resize(RecentFileCount);
    return recent;
}

int StartLanguage(int language) {
    return language >= 0 && language <= 4 ? language : 0;
}

} // namespace tavrin
