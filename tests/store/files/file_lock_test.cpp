#include "store/files/file_lock.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <tuple>

#include <sys/wait.h>
#include <unistd.h>

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// A process id no process has: a child's, once it ended and was waited for.
std::int64_t GonePid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

std::string LockText(const fs::path& collection) {
    const auto bytes = test::ReadBytes(LockFilePath(collection));
    return {bytes.begin(), bytes.end()};
}

TEST(FileLockTest, AcquiresAFreeOrAbandonedLockAndReportsALiveHolder) {
    const LockHolder me = ThisRun();
    const std::int64_t gone = GonePid();
    struct Case {
        const char* what;
        std::optional<std::string> lockFile; // the lock file found, if any
        bool acquired;
        LockHolder holder; // when refused
    };
    const LockHolder live{"ann", me.host, getppid(), "2024-01-02T03:04:05"};
    const LockHolder away{"bob", "elsewhere.example", gone, "2024-05-06T07:08:09"};
    const Case cases[] = {
        {"no lock", std::nullopt, true, {}},
        {"a live run of this host", LockFileText(live), false, live},
        {"a gone run of this host", LockFileText({"ann", me.host, gone, "2024-01-02T03:04:05"}), true, {}},
        {"a run of another host", LockFileText(away), false, away},
        {"this host, no process named", "," + me.user + "," + me.host + ",,,\n", true, {}},
        {"damaged", "\x01garbage", true, {}},
        {"empty", "", true, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        test::TempDir dir;
        const fs::path collection = dir / "FILMS.KXT";
        if (k.lockFile) test::WriteBytes(LockFilePath(collection), test::Bytes(*k.lockFile));
        auto lock = CollectionLock::Acquire(collection);
        ASSERT_EQ(lock.has_value(), k.acquired);
        if (!k.acquired) {
            ASSERT_TRUE(lock.error().holder);
            const LockHolder& h = *lock.error().holder;
            EXPECT_EQ(std::tie(h.user, h.host, h.pid, h.since),
                      std::tie(k.holder.user, k.holder.host, k.holder.pid, k.holder.since));
            EXPECT_EQ(LockText(collection), *k.lockFile) << "a refused lock is left as it was";
            continue;
        }
        const auto mine = ReadLockFileText(LockText(collection));
        ASSERT_TRUE(mine);
        EXPECT_EQ(std::tie(mine->user, mine->host, mine->pid), std::tie(me.user, me.host, me.pid));
        // This run holds it now: a second acquire is refused, naming this run.
        const auto again = CollectionLock::Acquire(collection);
        ASSERT_FALSE(again);
        ASSERT_TRUE(again.error().holder);
        EXPECT_EQ(again.error().holder->pid, me.pid);
        lock->Release();
        EXPECT_FALSE(fs::exists(LockFilePath(collection)));
    }
}

TEST(FileLockTest, ReleaseLeavesALockTakenOverByAnotherRun) {
    test::TempDir dir;
    const fs::path collection = dir / "FILMS.KXT";
    auto lock = CollectionLock::Acquire(collection);
    ASSERT_TRUE(lock);
    const std::string other = LockFileText({"ann", "elsewhere.example", 42, "2024-01-02T03:04:05"});
    test::WriteBytes(LockFilePath(collection), test::Bytes(other));
    lock->Release();
    EXPECT_EQ(LockText(collection), other);
}

TEST(FileLockTest, TheLockFileSitsBesideTheCollectionAndKeepsItsFieldsApart) {
    EXPECT_EQ(LockFilePath(fs::path("/data/FILMS.KXT")), fs::path("/data/.~lock.FILMS.KXT#"));
    const auto read = ReadLockFileText(LockFileText({"a,b", "host\nname", 7, "2024-01-02T03:04:05"}));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->user, "a_b");
    EXPECT_EQ(read->host, "host_name");
    EXPECT_EQ(read->pid, 7);
}

TEST(FileIdentityTest, TellsAReplacedOrChangedFileFromTheSameOne) {
    test::TempDir dir;
    const fs::path path = dir / "FILMS.KXT";
    EXPECT_FALSE(ReadFileIdentity(path));
    test::WriteBytes(path, test::Bytes("KX5 first"));
    const auto first = ReadFileIdentity(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size, 9u);
    EXPECT_EQ(ReadFileIdentity(path), first);
    // Replaced by the safe writer with as many bytes: another file under the same name.
    ASSERT_TRUE(WriteFileReplacing(path, test::Bytes("KX5 other"), false));
    EXPECT_NE(ReadFileIdentity(path), first);
}

} // namespace
} // namespace tavrin
