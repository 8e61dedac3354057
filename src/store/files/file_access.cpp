#include "store/files/file_access.h"

#include "store/large_blocks.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrin {

std::string PathText(const std::filesystem::path& p) {
    const auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

std::string SystemReason(int err) {
    return std::generic_category().message(err);
}

namespace {

Unexpected<FileFailure> ReadFailure(FileError error, const std::filesystem::path& path,
                                    std::string detail = {}) {
    return Unexpected{FileFailure{error, PathText(path), std::move(detail)}};
}

Unexpected<FileFailure> TooLarge(const std::filesystem::path& path, std::uintmax_t size,
                                 std::uintmax_t limit) {
    return Unexpected{FileFailure{FileError::TooLarge, PathText(path), {}, size, limit}};
}

// The failure of an open or a look at path that the system refused with err.
Unexpected<FileFailure> OpenFailure(const std::filesystem::path& path, int err) {
    if (err == ENOENT || err == ENOTDIR) return ReadFailure(FileError::NotFound, path);
    return ReadFailure(FileError::CannotRead, path, SystemReason(err));
}

} // namespace

Expected<ReadableFile, FileFailure> OpenForReading(const std::filesystem::path& path,
                                                   std::uintmax_t sizeLimit, PastLimit past) {
    ReadableFile opened;
#ifdef _WIN32
    struct _stat64 named {};
    if (_wstat64(path.c_str(), &named) != 0) return OpenFailure(path, errno);
    if ((named.st_mode & _S_IFMT) != _S_IFREG) return ReadFailure(FileError::NotRegular, path);
    opened.file.reset(_wfopen(path.c_str(), L"rb"));
    if (!opened.file) return OpenFailure(path, errno);
    struct _stat64 st {};
    if (_fstat64(_fileno(opened.file.get()), &st) != 0) return OpenFailure(path, errno);
    if ((st.st_mode & _S_IFMT) != _S_IFREG) return ReadFailure(FileError::NotRegular, path);
#else
    // Looked at before it is opened: opening a pipe waits for a writer, and opening a device may
    // do something to it (rewind a tape).
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0) return OpenFailure(path, errno);
    if (!S_ISREG(named.st_mode)) return ReadFailure(FileError::NotRegular, path);
    // Without waiting, should it have become a pipe in between; checked again once open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return OpenFailure(path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return OpenFailure(path, err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadFailure(FileError::NotRegular, path);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    opened.file.reset(::fdopen(fd, "rb"));
    if (!opened.file) {
        const int err = errno;
        ::close(fd);
        return OpenFailure(path, err);
    }
#endif
    opened.size = static_cast<std::uintmax_t>(st.st_size);
    if (past == PastLimit::Refuse && opened.size > sizeLimit) return TooLarge(path, opened.size, sizeLimit);
    return opened;
}

Expected<std::vector<std::uint8_t>, FileFailure> ReadFileBytes(const std::filesystem::path& path,
                                                               std::size_t sizeLimit, PastLimit past) {
    auto opened = OpenForReading(path, sizeLimit, past);
    if (!opened) return Unexpected{opened.error()};
    std::FILE* f = opened->file.get();
    // The size found on opening only sizes the buffer: the reads decide, so a file that grows
    // meanwhile is still held to the limit. A refusing reader asks for one byte past the limit,
    // to see whether the file has it.
    const std::size_t wanted = past == PastLimit::Ignore || sizeLimit == SIZE_MAX ? sizeLimit : sizeLimit + 1;
    std::size_t room = static_cast<std::size_t>(std::min<std::uintmax_t>(opened->size, sizeLimit)) + 1;
    room = std::min(room, wanted);
    std::vector<std::uint8_t> bytes;
    ReserveLargeBlock(bytes, room);
    std::size_t got = 0;
    int err = 0;
    while (got < wanted) {
        if (got == bytes.size()) bytes.resize(std::min(wanted, std::max(room, 2 * bytes.size())));
        const std::size_t asked = bytes.size() - got;
        const std::size_t read = std::fread(bytes.data() + got, 1, asked, f);
        got += read;
        if (read < asked) { // the end of the file, or an error
            err = errno;
            break;
        }
    }
    if (std::ferror(f) != 0) return ReadFailure(FileError::CannotRead, path, SystemReason(err ? err : EIO));
    if (got > sizeLimit) {
        if (past == PastLimit::Refuse)
            return TooLarge(path, std::max<std::uintmax_t>(opened->size, got), sizeLimit);
        got = sizeLimit;
    }
    bytes.resize(got);
    return bytes;
}

namespace {

std::FILE* CreateExclusive(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

std::size_t WriteBytes(const void* data, std::size_t size, std::FILE* f) {
    return std::fwrite(data, 1, size, f);
}

int FlushFile(std::FILE* f) {
    return std::fflush(f);
}

int SyncToDisk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f));
#else
    return fsync(fileno(f));
#endif
}

int CloseFile(std::FILE* f) {
    return std::fclose(f);
}

void RenameFile(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec) {
    std::filesystem::rename(from, to, ec);
}

void LinkFile(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec) {
    std::filesystem::create_hard_link(from, to, ec);
}

} // namespace

WriterCalls SystemWriterCalls() {
    return {CreateExclusive, WriteBytes, FlushFile, SyncToDisk, CloseFile, RenameFile, LinkFile};
}

WriterCalls& CurrentWriterCalls() {
    static WriterCalls calls = SystemWriterCalls();
    return calls;
}

namespace {

// Flushes a folder's entries (a rename just done in it) to the disk, where the platform allows.
// A file system that cannot flush folders is no failure: the data itself is on the disk already.
void FlushFolder([[maybe_unused]] const std::filesystem::path& folder) {
#ifndef _WIN32
    const std::filesystem::path dir = folder.empty() ? std::filesystem::path(".") : folder;
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#endif
}

// The process id tells whose temporary it was when one is found; the random part keeps two writes
// of the same file (two threads, two windows) apart.
std::string RandomSuffix() {
    static thread_local std::mt19937_64 rng{std::random_device{}()};
#ifdef _WIN32
    const long long pid = _getpid();
#else
    const long long pid = ::getpid();
#endif
    char text[48];
    std::snprintf(text, sizeof text, "%lld-%016llx", pid, static_cast<unsigned long long>(rng()));
    return text;
}

constexpr std::string_view TemporaryMarker = ".~tavrin-";
constexpr std::string_view TemporaryEnd = ".tmp";

// The lock a writer holds on its temporary from its creation until it is renamed or removed. The
// system drops it when the process ends, however it ends, so an unlocked temporary is a leftover.
// An flock lock (not fcntl) is held by the open file, so another write in the same process sees it
// too, and it outlives the stream's close through a duplicate of the descriptor, up to the rename.
// Windows needs none: a file open for writing there cannot be removed.
class TemporaryLock {
  public:
    TemporaryLock() = default;
    ~TemporaryLock() { Release(); }
    TemporaryLock(const TemporaryLock&) = delete;
    TemporaryLock& operator=(const TemporaryLock&) = delete;

    // Locks the temporary just created as temp. False when it is not ours any more: a cleaning
    // write took it for a leftover in the moment before the lock, and is removing it.
    bool Take([[maybe_unused]] std::FILE* f, [[maybe_unused]] const std::filesystem::path& temp) {
        Release();
#ifndef _WIN32
        const int fd = ::dup(fileno(f));
        if (fd < 0) return true; // no lock to be had: unlocked, the file is still ours to write
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool taken = errno == EWOULDBLOCK;
            ::close(fd);
            // A file system without locks: no cleaning write can lock it either, so none removes it.
            return !taken;
        }
        fd_ = fd;
        struct stat mine {};
        struct stat named {};
        return ::fstat(fd, &mine) == 0 && ::lstat(temp.c_str(), &named) == 0 && mine.st_dev == named.st_dev &&
               mine.st_ino == named.st_ino;
#else
        return true;
#endif
    }

    // Locks a temporary made some other way (the backup's link); the rename after it finds out if
    // that failed.
    void Take([[maybe_unused]] const std::filesystem::path& temp) {
        Release();
#ifndef _WIN32
        const int fd = ::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            fd_ = fd;
        else
            ::close(fd);
#endif
    }

    void Release() {
#ifndef _WIN32
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
#endif
    }

  private:
    [[maybe_unused]] int fd_ = -1;
};

// Removes one temporary unless a live writer holds it.
void RemoveIfUnlocked(const std::filesystem::path& temp) {
#ifdef _WIN32
    std::error_code ec;
    std::filesystem::remove(temp, ec); // fails, and is left, while its writer has it open
#else
    const int fd = ::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        ::lstat(temp.c_str(), &named) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino)
        ::unlink(temp.c_str());
    ::close(fd);
#endif
}

// Removes what earlier writes of path that were killed left beside it: their temporaries, which no
// live writer holds. Done before the new temporary is written, so that a disk filled by leftovers
// has their room back for it.
void RemoveStaleTemporaries(const std::filesystem::path& path) {
    const std::string prefix = PathText(path.filename()) + std::string(TemporaryMarker);
    const std::filesystem::path folder =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    std::error_code ec;
    std::filesystem::directory_iterator entries(folder, ec);
    for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
        const std::filesystem::directory_entry& entry = *entries;
        const std::string name = PathText(entry.path().filename());
        if (name.size() <= prefix.size() + TemporaryEnd.size() || !name.starts_with(prefix) ||
            !name.ends_with(TemporaryEnd))
            continue;
        std::error_code typeError;
        if (entry.symlink_status(typeError).type() == std::filesystem::file_type::regular)
            RemoveIfUnlocked(entry.path());
    }
}

// The reason of a failed call by its errno; one that set none still failed. A filesystem error
// code gives its own message instead, as on Windows it is the system's code and not an errno.
std::string ErrnoReason(int err) {
    return SystemReason(err != 0 ? err : EIO);
}

// How many fresh names are tried before giving up on a folder where every one exists already.
constexpr int TemporaryNameAttempts = 100;

// Hands the pieces to the writer one after the other.
std::function<bool(const ByteWriter&)> ProducerOf(std::span<const std::span<const std::uint8_t>> pieces) {
    return [pieces](const ByteWriter& write) {
        for (const auto piece : pieces)
            if (!write(piece)) return false;
        return true;
    };
}

// Whether earlier writes' leftovers are looked for before a write: always, but for a FolderWriter,
// which looked for them in the whole folder once.
enum class Leftovers { Remove, RemovedAlready };

// Every public writer ends here: the temporary file, its data, the rename and the flushes.
Expected<Done, FileFailure> WriteReplacing(const std::filesystem::path& path,
                                           const std::function<bool(const ByteWriter&)>& produce,
                                           bool flushToDisk, const std::function<std::string()>& freshSuffix,
                                           const std::filesystem::path* backup = nullptr,
                                           Leftovers leftovers = Leftovers::Remove);

} // namespace

Expected<Done, FileFailure> WriteFileReplacing(const std::filesystem::path& path,
                                               std::span<const std::uint8_t> bytes, bool flushToDisk) {
    const std::span<const std::uint8_t> pieces[] = {bytes};
    return WriteFileReplacing(path, pieces, flushToDisk);
}

Expected<Done, FileFailure> WriteFileReplacing(const std::filesystem::path& path,
                                               std::span<const std::span<const std::uint8_t>> pieces,
                                               bool flushToDisk) {
    return WriteFileReplacingWith(path, ProducerOf(pieces), flushToDisk);
}

Expected<Done, FileFailure> WriteFileReplacingWith(const std::filesystem::path& path,
                                                   std::span<const std::uint8_t> bytes, bool flushToDisk,
                                                   const std::function<std::string()>& freshSuffix) {
    const std::span<const std::uint8_t> pieces[] = {bytes};
    return WriteReplacing(path, ProducerOf(pieces), flushToDisk, freshSuffix);
}

std::filesystem::path TemporaryPath(const std::filesystem::path& path, std::string_view part) {
    std::filesystem::path temp = path;
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about joined std::strings in Release.
    temp += std::string(TemporaryMarker);
    temp += std::string(part);
    temp += std::string(TemporaryEnd);
    return temp;
}

Expected<Done, FileFailure> WriteFileReplacingWith(const std::filesystem::path& path,
                                                   const std::function<bool(const ByteWriter&)>& produce,
                                                   bool flushToDisk) {
    return WriteReplacing(path, produce, flushToDisk, RandomSuffix);
}

Expected<Done, FileFailure> CopyFileReplacing(const std::filesystem::path& source,
                                              const std::filesystem::path& path, std::uintmax_t sourceLimit) {
    auto in = OpenForReading(source, sourceLimit);
    if (!in) return Unexpected{in.error()};
    std::FILE* f = in->file.get();
    int readError = 0;
    auto done = WriteFileReplacingWith(
        path,
        [&](const ByteWriter& write) {
            std::uint8_t block[64 * 1024];
            for (;;) {
                const std::size_t got = std::fread(block, 1, sizeof block, f);
                if (got > 0 && !write(std::span(block, got))) return false;
                if (got < sizeof block) {
                    if (!std::ferror(f)) return true;
                    readError = errno ? errno : EIO;
                    return false;
                }
            }
        },
        false);
    if (readError)
        return Unexpected{FileFailure{FileError::CannotRead, PathText(source), SystemReason(readError)}};
    return done;
}

Expected<Done, FileFailure> WriteFileReplacingKeeping(const std::filesystem::path& path,
                                                      std::span<const std::span<const std::uint8_t>> pieces,
                                                      const std::filesystem::path& backup) {
    return WriteReplacing(path, ProducerOf(pieces), true, RandomSuffix, &backup);
}

namespace {

// A temporary name beside path that no file has yet, created exclusively, locked and open for
// writing.
std::FILE* CreateTemporary(const std::filesystem::path& path, const std::function<std::string()>& freshSuffix,
                           std::filesystem::path& temp, TemporaryLock& lock) {
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temp = TemporaryPath(path, freshSuffix());
        std::FILE* f = CurrentWriterCalls().create(temp);
        if (!f && errno != EEXIST) return nullptr;
        if (f && lock.Take(f, temp)) return f;
        if (f) std::fclose(f); // being removed by another write: another name
        errno = EEXIST;
    }
    return nullptr;
}

// Keeps the file at path as backup before it is replaced. The old file is linked (copied where
// the file system has no links) to a temporary beside the backup, which is then renamed over it:
// the previous backup stays whole until the new one takes its name. Nothing to keep is no failure.
Expected<Done, FileFailure> KeepBackup(const std::filesystem::path& path, const std::filesystem::path& backup,
                                       const std::function<std::string()>& freshSuffix) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return Done{};
    auto fail = [&backup](std::string reason) {
        return Unexpected{FileFailure{FileError::CannotWrite, PathText(backup), std::move(reason)}};
    };
    std::filesystem::path temp;
    const WriterCalls& calls = CurrentWriterCalls();
    TemporaryLock lock;
    std::FILE* f = CreateTemporary(backup, freshSuffix, temp, lock);
    if (!f) return fail(ErrnoReason(errno));
    if (calls.close(f) != 0) {
        const int err = errno;
        std::filesystem::remove(temp, ec);
        return fail(ErrnoReason(err));
    }
    // The link takes the name the exclusive creation reserved.
    std::filesystem::remove(temp, ec);
    calls.link(path, temp, ec);
    if (ec) {
        ec.clear();
        std::filesystem::copy_file(path, temp, std::filesystem::copy_options::overwrite_existing, ec);
    }
    if (!ec) {
        lock.Take(temp);
        calls.rename(temp, backup, ec);
        // A save killed between keeping its backup and renaming its new file leaves the backup a
        // link to the file itself: rename does nothing between two links to one file, and leaves
        // the temporary name in place.
        std::error_code ignored;
        if (!ec) std::filesystem::remove(temp, ignored);
    }
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return fail(ec.message());
    }
    return Done{};
}

Expected<Done, FileFailure> WriteReplacing(const std::filesystem::path& path,
                                           const std::function<bool(const ByteWriter&)>& produce,
                                           bool flushToDisk, const std::function<std::string()>& freshSuffix,
                                           const std::filesystem::path* backup, Leftovers leftovers) {
    const std::string name = PathText(path);
    auto fail = [&name](std::string reason) {
        return Unexpected{FileFailure{FileError::CannotWrite, name, std::move(reason)}};
    };

    // The temporary file is created exclusively: a name already taken (a leftover, another save)
    // is never opened, and a fresh one is tried instead.
    if (leftovers == Leftovers::Remove) RemoveStaleTemporaries(path);
    if (backup) RemoveStaleTemporaries(*backup);
    const WriterCalls& calls = CurrentWriterCalls();
    std::filesystem::path temp;
    TemporaryLock lock;
    std::FILE* f = CreateTemporary(path, freshSuffix, temp, lock);
    if (!f) return fail(ErrnoReason(errno));
    int err = 0;
    const ByteWriter write = [f, &err, &calls](std::span<const std::uint8_t> piece) {
        if (piece.empty() || calls.write(piece.data(), piece.size(), f) == piece.size()) return true;
        err = errno;
        return false;
    };
    bool ok = produce(write);
    if (!ok && err == 0) err = EIO; // abandoned by the producer
    if (ok && calls.flush(f) != 0) {
        ok = false;
        err = errno;
    }
    if (ok && flushToDisk) {
        ok = calls.sync(f) == 0;
        if (!ok) err = errno;
    }
    if (calls.close(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    std::error_code ec;
    std::string renameReason;
    if (ok) {
        // A file being replaced keeps its permissions.
        const auto st = std::filesystem::status(path, ec);
        if (!ec && std::filesystem::exists(st))
            std::filesystem::permissions(temp, st.permissions(), std::filesystem::perm_options::replace, ec);
        ec.clear();
        if (backup) {
            if (auto kept = KeepBackup(path, *backup, freshSuffix); !kept) {
                std::filesystem::remove(temp, ec);
                return kept;
            }
        }
        calls.rename(temp, path, ec);
        if (ec) {
            ok = false;
            renameReason = ec.message();
        }
    }
    if (!ok) {
        std::filesystem::remove(temp, ec);
        return fail(renameReason.empty() ? ErrnoReason(err) : renameReason);
    }
    if (flushToDisk) FlushFolder(path.parent_path());
    return Done{};
}

} // namespace

FolderWriter::FolderWriter(std::filesystem::path folder)
    : folder_(folder.empty() ? std::filesystem::path(".") : std::move(folder)) {
    std::error_code ec;
    std::filesystem::directory_iterator entries(folder_, ec);
    for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
        std::string name = PathText(entries->path().filename());
        const std::size_t marker = name.rfind(TemporaryMarker);
        std::error_code typeError;
        if (marker != std::string::npos && marker > 0 && name.ends_with(TemporaryEnd) &&
            name.size() > marker + TemporaryMarker.size() + TemporaryEnd.size() &&
            entries->symlink_status(typeError).type() == std::filesystem::file_type::regular)
            stale_.emplace_back(name.substr(0, marker), entries->path());
        names_.insert(std::move(name));
    }
}

Expected<Done, FileFailure> FolderWriter::Write(const std::filesystem::path& name,
                                                std::span<const std::uint8_t> bytes) {
    const std::filesystem::path path = folder_ / name;
    if (!stale_.empty()) {
        const std::string file = PathText(name);
        std::erase_if(stale_, [&file](const auto& leftover) {
            if (leftover.first != file) return false;
            RemoveIfUnlocked(leftover.second);
            return true;
        });
    }
    const Found found = names_.contains(PathText(name)) ? Existing(path, bytes) : Found::None;
    if (found == Found::Same) return Done{};
    if (found == Found::None && unnamedFiles_) {
        int err = 0;
        switch (WriteUnnamed(path, bytes, err)) {
        case Unnamed::Written:
            return Done{};
        case Unnamed::Failed:
            return Unexpected{FileFailure{FileError::CannotWrite, PathText(path), ErrnoReason(err)}};
        case Unnamed::Exists: // another writer was quicker: replaced as any older file
            break;
        case Unnamed::Unavailable:
            unnamedFiles_ = false;
            break;
        }
    }
    const std::span<const std::uint8_t> pieces[] = {bytes};
    return WriteReplacing(path, ProducerOf(pieces), false, RandomSuffix, nullptr, Leftovers::RemovedAlready);
}

Expected<Done, FileFailure> FolderWriter::Copy(const std::filesystem::path& source,
                                               const std::filesystem::path& name,
                                               std::uintmax_t sourceLimit) {
    // Pictures and the like are read whole; a larger file is copied a block at a time.
    constexpr std::size_t WholeLimit = 64u << 20;
    auto bytes = ReadFileBytes(source, static_cast<std::size_t>(std::min<std::uintmax_t>(WholeLimit, sourceLimit)));
    if (!bytes && bytes.error().error == FileError::TooLarge && sourceLimit > WholeLimit)
        return CopyFileReplacing(source, folder_ / name, sourceLimit);
    if (!bytes) {
        FileFailure failure = bytes.error();
        if (failure.error == FileError::NotFound) {
            failure.error = FileError::CannotRead;
            if (failure.detail.empty()) failure.detail = SystemReason(ENOENT);
        }
        return Unexpected{std::move(failure)};
    }
    return Write(name, *bytes);
}

FolderWriter::Found FolderWriter::Existing(const std::filesystem::path& path,
                                           std::span<const std::uint8_t> bytes) {
#ifdef _WIN32
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::exists(status)) return Found::None;
    if (status.type() != std::filesystem::file_type::regular ||
        std::filesystem::file_size(path, ec) != bytes.size() || ec)
        return Found::Other;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(OpenForReading(path), &std::fclose);
    if (!f) return Found::Other;
    existing_.resize(bytes.size() + 1);
    const std::size_t got = std::fread(existing_.data(), 1, existing_.size(), f.get());
#else
    // Not followed: a link at the name is replaced by the file, as WriteFileReplacing replaces it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? Found::None : Found::Other;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) != bytes.size()) {
        ::close(fd);
        return Found::Other;
    }
    // One byte more than expected tells a file that grew meanwhile.
    existing_.resize(bytes.size() + 1);
    std::size_t got = 0;
    for (ssize_t n;
         got < existing_.size() && (n = ::read(fd, existing_.data() + got, existing_.size() - got)) > 0;)
        got += static_cast<std::size_t>(n);
    ::close(fd);
#endif
    return got == bytes.size() && std::equal(bytes.begin(), bytes.end(), existing_.begin()) ? Found::Same
                                                                                            : Found::Other;
}

FolderWriter::Unnamed FolderWriter::WriteUnnamed([[maybe_unused]] const std::filesystem::path& path,
                                                 [[maybe_unused]] std::span<const std::uint8_t> bytes,
                                                 [[maybe_unused]] int& err) {
#if defined(__linux__) && defined(O_TMPFILE)
    const int fd = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        err = errno;
        // A file system without unnamed files says so in one of these ways.
        return err == EOPNOTSUPP || err == EISDIR || err == EINVAL ? Unnamed::Unavailable : Unnamed::Failed;
    }
    const WriterCalls& calls = CurrentWriterCalls();
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        err = errno;
        ::close(fd);
        return Unnamed::Failed;
    }
    bool ok = bytes.empty() || calls.write(bytes.data(), bytes.size(), f) == bytes.size();
    if (ok) ok = calls.flush(f) == 0;
    if (!ok) {
        err = errno;
        calls.close(f);
        return Unnamed::Failed;
    }
    // The name is given once every byte is written: before, the file has none.
    char self[48];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        err = errno;
        calls.close(f);
        if (err == EEXIST) return Unnamed::Exists;
        // No /proc, or links refused: the temporary name it is.
        return err == ENOENT || err == EPERM || err == EXDEV || err == ENOTDIR ? Unnamed::Unavailable
                                                                               : Unnamed::Failed;
    }
    if (calls.close(f) != 0) {
        err = errno;
        ::unlink(path.c_str()); // a new name that never held an older file
        return Unnamed::Failed;
    }
    return Unnamed::Written;
#else
    return Unnamed::Unavailable;
#endif
}

} // namespace tavrin
