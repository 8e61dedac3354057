#include "app/program_folders.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFoldersTest, ChoosesWhereTheProgramKeepsItsFolders) {
    const fs::path program = "/opt/tavrin", user = "/home/u/.local/share/Tavrin", forced = "/tmp/tv";
    EXPECT_EQ(ChooseProgramHome(forced, program, true, user), forced);
    EXPECT_EQ(ChooseProgramHome(forced, program, false, user), forced);
    EXPECT_EQ(ChooseProgramHome(std::nullopt, program, true, user), program);
    EXPECT_EQ(ChooseProgramHome(std::nullopt, program, false, user), user);
    // An empty TAVRIN_HOME counts as unset.
    EXPECT_EQ(ChooseProgramHome(fs::path{}, program, true, user), program);

    const ProgramFolders f = FoldersUnder(program);
    EXPECT_EQ(f.home, program);
    EXPECT_EQ(f.text, program / "TEXT");
    EXPECT_EQ(f.medias, program / "MEDIAS");
}

TEST(ProgramFoldersTest, CreatesTextAndMediasFolders) {
    test::TempDir dir;
    const ProgramFolders f = FoldersUnder(dir / "home" / "deeper");
    ASSERT_TRUE(CreateProgramFolders(f));
    EXPECT_TRUE(fs::is_directory(dir / "home" / "deeper" / "TEXT"));
    EXPECT_TRUE(fs::is_directory(dir / "home" / "deeper" / "MEDIAS"));
    // Existing folders and their content are left alone.
    test::WriteBytes(f.text / "ALIEN1.TXT", test::Bytes("review"));
    EXPECT_TRUE(CreateProgramFolders(f));
    EXPECT_EQ(test::ReadBytes(f.text / "ALIEN1.TXT"), test::Bytes("review"));

    // Below a regular file nothing can be made.
    test::WriteBytes(dir / "plain", test::Bytes("x"));
    EXPECT_FALSE(CreateProgramFolders(FoldersUnder(dir / "plain")));
    EXPECT_FALSE(CreateProgramFolders(FoldersUnder(dir / "plain" / "home")));
}

TEST(ProgramFoldersTest, TellsWritableFolders) {
    test::TempDir dir;
    EXPECT_TRUE(IsWritableFolder(dir.path()));
    EXPECT_TRUE(fs::is_empty(dir.path())) << "the probe file is removed";
    EXPECT_FALSE(IsWritableFolder(dir / "missing"));
    test::WriteBytes(dir / "plain", test::Bytes("x"));
    EXPECT_FALSE(IsWritableFolder(dir / "plain"));
}

} // namespace
} // namespace tavrin
