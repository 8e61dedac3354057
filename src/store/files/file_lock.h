// What tells an open collection's file apart from what is on disk later, and the lock that tells
// other runs (on this machine or, through a shared folder, on another) that a collection is open.
#pragma once

#include "store/expected.h"
#include "store/files/file_access.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// Enough of a file's state to see that it was replaced or changed since it was read. Windows has
// no inode through the standard library: there the size and the time alone.
struct FileIdentity {
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // nanoseconds since the file clock's epoch
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
// Nothing when there is no such file, or it cannot be looked at.
std::optional<FileIdentity> ReadFileIdentity(const std::filesystem::path& path);

// Who holds a lock, as its lock file says. A field the file did not give is empty (pid 0).
struct LockHolder {
    std::string user;
    std::string host;
    std::int64_t pid = 0;
    std::string since; // local time, "YYYY-MM-DDTHH:MM:SS"
};

// This run, as its lock says it: $USER (or the account's name), the host name, the process id and
// the local time now.
LockHolder ThisRun();

// The lock file beside a collection: ".~lock.NAME#", the name office programs give theirs, so that
// file managers and synchronisation tools already leave it out.
std::filesystem::path LockFilePath(const std::filesystem::path& collection);

// The lock file's content, one line: ",USER,HOST,PID,YYYY-MM-DDTHH:MM:SS," and a line feed. A comma
// or a line break inside a field is written as '_', so that every field reads back.
std::string LockFileText(const LockHolder& holder);
// The fields of a lock file's content, as far as they can be read; nothing when not even the host
// can be (an empty or damaged file).
std::optional<LockHolder> ReadLockFileText(std::string_view text);

// Why a collection could not be locked.
struct LockRefusal {
    // Another run holds it: who, as far as its lock file tells (all fields empty when the file
    // cannot be read at all).
    std::optional<LockHolder> holder;
    // Otherwise the lock file could not be made (a read-only folder...): the failure, with the
    // system's reason.
    FileFailure failure;
};

// The lock this run holds on a collection, until it is released or destroyed.
class CollectionLock {
  public:
    // Creates the lock file exclusively. One left by a run that is gone (this host, its process no
    // longer there) or too damaged to name a host is taken over; any other is refused with its
    // holder.
    static Expected<CollectionLock, LockRefusal> Acquire(const std::filesystem::path& collection);

    CollectionLock(CollectionLock&& other) noexcept;
    CollectionLock& operator=(CollectionLock&& other) noexcept;
    CollectionLock(const CollectionLock&) = delete;
    CollectionLock& operator=(const CollectionLock&) = delete;
    ~CollectionLock();

    // Removes the lock file if it is still the one this lock wrote: a lock another run took over
    // meanwhile is left to it.
    void Release();
    const std::filesystem::path& File() const { return file_; }

  private:
    CollectionLock(std::filesystem::path file, std::string text);
    std::filesystem::path file_; // empty once released
    std::string text_;
};

} // namespace tavrin
