#include "app/save_question.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

// Records what the question and the save were asked to do.
struct Script {
    SaveAnswer answer = SaveAnswer::Cancel;
    bool saveSucceeds = true;
    int asked = 0;
    int saved = 0;

    bool Run(bool modified) {
        return ConfirmUnsavedChanges(
            modified,
            [this] {
                ++asked;
                return answer;
            },
            [this] {
                ++saved;
                return saveSucceeds;
            });
    }
};

TEST(SaveQuestionTest, AsksOnlyWhenModified) {
    for (auto answer : {SaveAnswer::Yes, SaveAnswer::No, SaveAnswer::Cancel}) {
        Script s{answer};
        EXPECT_TRUE(s.Run(false));
        EXPECT_EQ(s.asked, 0);
        EXPECT_EQ(s.saved, 0);
    }
}

TEST(SaveQuestionTest, FollowsTheAnswer) {
    {
        Script s{SaveAnswer::Cancel};
        EXPECT_FALSE(s.Run(true));
        EXPECT_EQ(s.asked, 1);
        EXPECT_EQ(s.saved, 0);
    }
    {
        Script s{SaveAnswer::No};
        EXPECT_TRUE(s.Run(true));
        EXPECT_EQ(s.asked, 1);
        EXPECT_EQ(s.saved, 0);
    }
    {
        Script s{SaveAnswer::Yes, true};
        EXPECT_TRUE(s.Run(true));
        EXPECT_EQ(s.asked, 1);
        EXPECT_EQ(s.saved, 1);
    }
    {
        // The save failed or its dialog was cancelled: the changes must not be thrown away.
        Script s{SaveAnswer::Yes, false};
        EXPECT_FALSE(s.Run(true));
        EXPECT_EQ(s.asked, 1);
        EXPECT_EQ(s.saved, 1);
    }
}

TEST(SaveQuestionTest, SaveAsksForANameUnlessTheShownFileIsTheCurrentOne) {
    EXPECT_FALSE(SaveNeedsDialog("/data/films.KXT", "/data/films.KXT"));
    EXPECT_TRUE(SaveNeedsDialog("New File", "/data/films.KXT")) << "after New";
    EXPECT_TRUE(SaveNeedsDialog("", "")) << "never saved";
    EXPECT_TRUE(SaveNeedsDialog("New File", ""));
    EXPECT_TRUE(SaveNeedsDialog("/data/other.KXT", "/data/films.KXT"));
}

} // namespace
} // namespace tavrin
