// The safe writer's temporary files when a write is killed on its way.
#include "store/files/file_access.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <set>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavrin {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

// A write of FILMS.KXT in another process, stopped halfway through its bytes; then killed, or left
// to live while this process saves the same file.
TEST(FileAccessTest, AWriteRemovesOnlyTheTemporariesKilledWritesOfTheSameFileLeft) {
    for (const bool killed : {true, false}) {
        SCOPED_TRACE(killed ? "killed" : "still writing");
        test::TempDir dir;
        const fs::path path = dir / "FILMS.KXT";
        // Another file's leftover, and a file that only looks like one: never touched.
        test::WriteBytes(TemporaryPath(dir / "FILMS.KXT.bak", "1-0"), test::Bytes("other"));
        test::WriteBytes(dir / "FILMS.KXT.old.tmp", test::Bytes("mine"));
        const std::set<std::string> others = Names(dir.path());

        int halfway[2];
        ASSERT_EQ(pipe(halfway), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            (void)WriteFileReplacingWith(
                path,
                [&](const ByteWriter& write) {
                    write(test::Bytes("half"));
                    (void)!::write(halfway[1], "h", 1);
                    for (;;)
                        pause();
                    return true;
                },
                false);
            _exit(1);
        }
        char c = 0;
        ASSERT_EQ(::read(halfway[0], &c, 1), 1);
        if (killed) {
            ::kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        std::set<std::string> before = Names(dir.path());
        ASSERT_EQ(before.size(), others.size() + 1) << "the other write's temporary";

        ASSERT_TRUE(WriteFileReplacing(path, test::Bytes("KX5"), false));
        std::set<std::string> expected = killed ? others : before;
        expected.insert("FILMS.KXT");
        EXPECT_EQ(Names(dir.path()), expected);
        if (!killed) {
            ::kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        ::close(halfway[0]);
        ::close(halfway[1]);
    }
}

// The writer of many files into one folder: each file in turn new, holding its bytes already,
// holding others, or a link; and the leftovers of killed writes.
TEST(FolderWriterTest, WritesEachFileWholeAndLeavesOneThatHoldsItsBytesAlready) {
    test::TempDir dir;
    const auto inode = [&dir](const char* name) {
        struct stat st {};
        return ::lstat((dir / name).c_str(), &st) == 0 ? st.st_ino : 0;
    };
    test::WriteBytes(dir / "SAME.htm", test::Bytes("page"));
    test::WriteBytes(dir / "OTHER.htm", test::Bytes("older page"));
    fs::permissions(dir / "OTHER.htm", fs::perms::owner_read | fs::perms::owner_write);
    test::WriteBytes(dir / "ELSEWHERE.txt", test::Bytes("page"));
    fs::create_symlink(dir / "ELSEWHERE.txt", dir / "LINK.htm");
    test::WriteBytes(TemporaryPath(dir / "NEW.htm", "1-0"), test::Bytes("killed"));
    test::WriteBytes(TemporaryPath(dir / "UNWRITTEN.htm", "1-0"), test::Bytes("killed"));
    test::WriteBytes(dir / "SOURCE.JPG", test::Bytes("picture"));
    const auto sameInode = inode("SAME.htm"), otherInode = inode("OTHER.htm");

    FolderWriter writer(dir.path());
    for (const char* name : {"SAME.htm", "OTHER.htm", "LINK.htm", "NEW.htm"})
        ASSERT_TRUE(writer.Write(name, test::Bytes("page"))) << name;
    ASSERT_TRUE(writer.Copy(dir / "SOURCE.JPG", "COVER.JPG", 1u << 20));
    const auto missing = writer.Copy(dir / "MISSING.JPG", "LOST.JPG", 1u << 20);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().error, FileError::CannotRead);
    EXPECT_EQ(missing.error().path, (dir / "MISSING.JPG").string());
    const auto large = writer.Copy(dir / "SOURCE.JPG", "LARGE.JPG", 3);
    ASSERT_FALSE(large);
    EXPECT_EQ(large.error().error, FileError::TooLarge);

    EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"COVER.JPG", "ELSEWHERE.txt", "LINK.htm", "NEW.htm",
                                                        "OTHER.htm", "SAME.htm", "SOURCE.JPG",
                                                        TemporaryPath("UNWRITTEN.htm", "1-0").string()}));
    for (const char* name : {"SAME.htm", "OTHER.htm", "LINK.htm", "NEW.htm", "ELSEWHERE.txt"})
        EXPECT_EQ(test::ReadBytes(dir / name), test::Bytes("page")) << name;
    EXPECT_EQ(test::ReadBytes(dir / "COVER.JPG"), test::Bytes("picture"));
    EXPECT_EQ(inode("SAME.htm"), sameInode);   // left as it was
    EXPECT_NE(inode("OTHER.htm"), otherInode); // replaced whole, keeping its permissions
    EXPECT_EQ(fs::status(dir / "OTHER.htm").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "LINK.htm"))); // the link replaced, not followed
}

} // namespace
} // namespace tavrin
