// tavrin-cli catalogue: the texts of one language as JSON, for translators.
#include "cli/cli_run.h"
#include "lang/catalogue.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace tavrin {
namespace {

using test::RunCli;
using test::TempDir;
using Json = nlohmann::ordered_json;

Json CatalogueOf(const TempDir& dir, const std::vector<std::string>& args) {
    const auto run = RunCli(dir, args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return Json::parse(run.out);
}

TEST(CliCatalogueTest, PrintsEveryEntryInCatalogueOrder) {
    TempDir dir;
    const Json english = CatalogueOf(dir, {"catalogue"});
    ASSERT_EQ(english.size(), MessageCount());
    std::size_t i = 0;
    for (const auto& [name, text] : english.items()) {
        const auto m = static_cast<Msg>(i++);
        EXPECT_EQ(name, EntryName(m));
        EXPECT_EQ(text.get<std::string>(), MessageText(m, 0)) << name;
    }
    EXPECT_EQ(english, CatalogueOf(dir, {"catalogue", "--lang", "en"}));
}

TEST(CliCatalogueTest, EachLanguageByItsCode) {
    TempDir dir;
    const std::pair<const char*, const char*> expected[] = {
        {"fr", "Voulez vous sauvegarder les changements?"},
        {"de", "Wollen Sie die \xC3\x84nderungen speichern?"},
        {"it", "Salvare le modifiche apportate?"},
        {"fi", "Haluatko tallentaa muutokset?"},
    };
    for (const auto& [code, question] : expected) {
        const Json texts = CatalogueOf(dir, {"catalogue", "--lang", code});
        EXPECT_EQ(texts.at("MsgDoYouWantTo"), question) << code;
        EXPECT_EQ(texts.size(), MessageCount()) << code;
    }
    // Blanks and line breaks come through as they are.
    const Json french = CatalogueOf(dir, {"catalogue", "--lang", "fr"});
    EXPECT_EQ(french.at("MsgChinese"), "Chinois ");
    EXPECT_EQ(french.at("MsgDoYouReallyWantToDelete"), "Voulez vous vraiment \xC3\xA9"
                                                       "ffacer ce titre de votre liste?\n");
}

TEST(CliCatalogueTest, RefusesWhatItDoesNotKnow) {
    TempDir dir;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"catalogue", "--lang", "es"},
                                                 {"catalogue", "--lang"},
                                                 {"catalogue", "fr"},
                                                 {"catalogue", "--language", "fr"},
                                                 {"catalogue", "--lang", "fr", "x"}}) {
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

} // namespace
} // namespace tavrin
