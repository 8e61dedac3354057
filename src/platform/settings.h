// The user settings and their one-character stored values, kept under Software\Tavrin.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

struct Settings {
    bool FlipFlag = false;  // page flipping
    bool VideoFlag = false; // video in a full-size window
    bool SaveTxt = false;   // the editor saves the title's text
    bool MediaFlag = true;  // multimedia loading
    int TypeVideo = 0;      // preferred medium: 0 LASERDISC, 1 DVD, 2 VHS
    int Language = 0;       // may be out of range until the first activation mends it
    bool KeepBackup = true; // Save keeps the file it replaces as NAME.KXT.bak
    // The main window's title view and the title table's columns, as stored: empty until the user
    // first chooses them, and then written back with the others.
    std::string TitleView;    // "L" the title list, "T" the title table, "G" the cover grid
    std::string TableColumns; // the columns shown, in order, by name ("Title,Year,Director")
    std::string CoverSize;    // the cover grid's covers, their side in pixels ("128")
    // Where the windows were when the program last ended, as stored: empty until then.
    std::string MainWindow;  // the main window's place and state ("120,80,900,640,max")
    std::string ListWidth;   // the title list's side of the main window's split, in pixels
    std::string TableWidths; // the title table's column widths ("Title=240,Year=52")
    std::string StatsWindow; // the statistics window's place; only its size is used

    friend bool operator==(const Settings&, const Settings&) = default;
};

inline constexpr std::array<std::string_view, 7> SettingNames{
    "Flip Flag", "Video Flag", "Save TXT", "Media Flag", "Type Video", "Language", "Keep Backup"};

// The values of the views and windows, stored only once the user has chosen them or a window has
// been closed.
inline constexpr std::array<std::string_view, 7> ViewSettingNames{
    "Title View", "Table Columns", "Cover Size", "Main Window", "List Width", "Table Widths", "Stats Window"};

// Value name to stored text.
using SettingValues = std::map<std::string, std::string, std::less<>>;

// Only the first character counts: a Y/N value is off only for "N"; "Type Video" is 1 for "D",
// 2 for "V", else 0; "Language" is the character code minus '0'. Missing values keep defaults.
Settings SettingsFromValues(const SettingValues& values);
SettingValues SettingsToValues(const Settings& s);

// The address the HTML pages' foot links to until the user sets another ("HTML Mail").
inline constexpr std::string_view DefaultMailAddress = "tavrin@example.org";

// The FILES menu lists this many collections opened last.
inline constexpr std::size_t RecentFileCount = 8;
// The collections opened last once path is opened or saved: path first, each name once, at most
// RecentFileCount.
std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path);

// The language index the program starts with: anything outside 0 .. 4 becomes English.
int StartLanguage(int language);

} // namespace tavrin
