#include "platform/settings.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(SettingsTest, FirstRunDefaults) {
    const Settings s = SettingsFromValues({});
    EXPECT_FALSE(s.FlipFlag);
    EXPECT_FALSE(s.VideoFlag);
    EXPECT_FALSE(s.SaveTxt);
    EXPECT_TRUE(s.MediaFlag);
    EXPECT_EQ(s.TypeVideo, 0);
    EXPECT_EQ(s.Language, 0);
    EXPECT_TRUE(s.KeepBackup);
    // What a first run writes into the new key.
    EXPECT_EQ(SettingsToValues(s), (SettingValues{{"Flip Flag", "N"},
                                                  {"Video Flag", "N"},
                                                  {"Save TXT", "N"},
                                                  {"Media Flag", "Y"},
                                                  {"Type Video", "L"},
                                                  {"Language", "0"},
                                                  {"Keep Backup", "Y"}}));
    for (auto name : SettingNames)
        EXPECT_EQ(SettingsToValues(s).count(name), 1u) << name;
}

TEST(SettingsTest, ReadsOnlyTheFirstCharacter) {
    // A yes/no value is off only for "N"; anything else, even "n", is on.
    const struct {
        std::string value;
        bool on;
    } yesNo[] = {{"Y", true}, {"N", false}, {"NO", false}, {"n", true},
                 {"X", true}, {"YN", true}, {"0", true}};
    for (const auto& v : yesNo) {
        SCOPED_TRACE(v.value);
        const Settings s = SettingsFromValues({{"Flip Flag", v.value},
                                               {"Video Flag", v.value},
                                               {"Save TXT", v.value},
                                               {"Media Flag", v.value},
                                               {"Keep Backup", v.value}});
        EXPECT_EQ(s.KeepBackup, v.on);
        EXPECT_EQ(s.FlipFlag, v.on);
        EXPECT_EQ(s.VideoFlag, v.on);
        EXPECT_EQ(s.SaveTxt, v.on);
        EXPECT_EQ(s.MediaFlag, v.on);
    }
    // Each value is read under its own name.
    const Settings mixed = SettingsFromValues({{"Flip Flag", "Y"}, {"Media Flag", "N"}});
    EXPECT_TRUE(mixed.FlipFlag);
    EXPECT_FALSE(mixed.VideoFlag);
    EXPECT_FALSE(mixed.SaveTxt);
    EXPECT_FALSE(mixed.MediaFlag);

    const struct {
        std::string value;
        int medium;
    } media[] = {{"L", 0}, {"D", 1}, {"V", 2}, {"DVD", 1}, {"VHS", 2}, {"d", 0}, {"X", 0}, {"2", 0}};
    for (const auto& v : media)
        EXPECT_EQ(SettingsFromValues({{"Type Video", v.value}}).TypeVideo, v.medium) << v.value;

    EXPECT_EQ(SettingsFromValues({{"Language", "3"}}).Language, 3);
    EXPECT_EQ(SettingsFromValues({{"Language", "42"}}).Language, 4);
}

TEST(SettingsTest, ALanguageOutOfRangeStartsInEnglishAndIsWrittenBackAsEnglish) {
    const Settings s = SettingsFromValues({{"Language", "7"}});
    EXPECT_EQ(s.Language, 7) << "read as stored; the first activation mends it";
    EXPECT_EQ(StartLanguage(s.Language), 0);
    EXPECT_EQ(SettingsToValues(s).at("Language"), "0");

    EXPECT_EQ(StartLanguage(SettingsFromValues({{"Language", "/"}}).Language), 0); // '0' - 1
    for (int lang = 0; lang <= 4; ++lang)
        EXPECT_EQ(StartLanguage(lang), lang);
    EXPECT_EQ(StartLanguage(5), 0);
    EXPECT_EQ(StartLanguage(-1), 0);
}

TEST(SettingsTest, WritesOneCharacterPerValue) {
    Settings s;
    s.FlipFlag = true;
    s.VideoFlag = true;
    s.SaveTxt = false;
    s.MediaFlag = true;
    s.TypeVideo = 2;
    s.Language = 4;
    s.KeepBackup = false;
    EXPECT_EQ(SettingsToValues(s), (SettingValues{{"Flip Flag", "Y"},
                                                  {"Video Flag", "Y"},
                                                  {"Save TXT", "N"},
                                                  {"Media Flag", "Y"},
                                                  {"Type Video", "V"},
                                                  {"Language", "4"},
                                                  {"Keep Backup", "N"}}));
    s.TypeVideo = 1;
    EXPECT_EQ(SettingsToValues(s).at("Type Video"), "D");

    // What is written reads back as the same settings.
    for (int medium = 0; medium < 3; ++medium)
        for (int lang = 0; lang < 5; ++lang)
            for (int flags = 0; flags < 16; ++flags) {
                Settings w;
                w.FlipFlag = flags & 1;
                w.VideoFlag = flags & 2;
                w.SaveTxt = flags & 4;
                w.MediaFlag = flags & 8;
                w.TypeVideo = medium;
                w.Language = lang;
                EXPECT_EQ(SettingsFromValues(SettingsToValues(w)), w);
            }
}

// The views' and windows' values are stored as they are, once they have one.
TEST(SettingsTest, ViewValuesAreKeptAsText) {
    Settings s;
    s.TitleView = "T";
    s.MainWindow = "120,80,900,640,max";
    s.StatsWindow = "0,0,700,560";
    const SettingValues values = SettingsToValues(s);
    EXPECT_EQ(values.at("Main Window"), "120,80,900,640,max");
    EXPECT_EQ(values.count("List Width"), 0u) << "none yet";
    EXPECT_EQ(SettingsFromValues(values), s);
    s.ListWidth = "330";
    s.TableWidths = "Title=240";
    s.TableColumns = "Title,Year";
    s.CoverSize = "128";
    EXPECT_EQ(SettingsFromValues(SettingsToValues(s)), s);
    EXPECT_EQ(SettingsToValues(s).size(), SettingNames.size() + ViewSettingNames.size());
}

// The FILES menu's collections opened last: the one just opened first, each once, eight at most.
TEST(SettingsTest, RecentFiles) {
    using Files = std::vector<std::string>;
    const struct {
        Files before;
        std::string opened;
        Files after;
    } cases[] = {
        {{}, "a", {"a"}},
        {{"a", "b"}, "c", {"c", "a", "b"}},
        {{"a", "b", "c"}, "b", {"b", "a", "c"}},
        {{"a", "b"}, "a", {"a", "b"}},
        {{"1", "2", "3", "4", "5", "6", "7", "8"}, "9", {"9", "1", "2", "3", "4", "5", "6", "7"}},
        {{"1", "2", "3", "4", "5", "6", "7", "8"}, "8", {"8", "1", "2", "3", "4", "5", "6", "7"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithRecentFile(c.before, c.opened), c.after) << c.opened;
}

} // namespace
} // namespace tavrin
