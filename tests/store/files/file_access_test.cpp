// The safe writer's temporary files when a write is killed on its way.
#include "store/files/file_access.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <set>

#include <csignal>
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

} // namespace
} // namespace tavrin
