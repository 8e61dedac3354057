#include "store/files/file_lock.h"

#include "store/day_number.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrin {

std::optional<FileIdentity> ReadFileIdentity(const std::filesystem::path& path) {
#ifdef _WIN32
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec) return std::nullopt;
    FileIdentity id;
    id.size = size;
    id.modified = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
    return id;
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
#ifdef __APPLE__
    const struct timespec& mtime = st.st_mtimespec;
#else
    const struct timespec& mtime = st.st_mtim;
#endif
    FileIdentity id;
    id.size = static_cast<std::uintmax_t>(st.st_size);
    id.modified = static_cast<std::int64_t>(mtime.tv_sec) * 1'000'000'000 + mtime.tv_nsec;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.inode = static_cast<std::uint64_t>(st.st_ino);
    return id;
#endif
}

namespace {

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string LocalTimeText() {
    const std::tm local = LocalTimeNow();
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local) == 0) return {};
    return text;
}

// A field as the lock file can hold it: no comma or line break to split it.
std::string FieldText(std::string text) {
    for (char& c : text)
        if (c == ',' || c == '\n' || c == '\r') c = '_';
    return text;
}

// False only when the process is certainly gone; one that cannot be asked about counts as alive.
bool ProcessAlive(std::int64_t pid) {
#ifdef _WIN32
    if (pid <= 0 || pid > 0xFFFFFFFFll) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool running = !GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    if (pid <= 0 || pid > INT_MAX) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#endif
}

// A lock that holds nobody back: left by a run of this host that is gone, or too damaged to say
// whose it is. One from another host is never judged from here: its process cannot be looked at.
bool LeftByAGoneRun(const std::optional<LockHolder>& found, const LockHolder& me) {
    if (!found) return true;
    if (found->host != me.host) return false;
    return !ProcessAlive(found->pid);
}

// A lock file is one short line; reading stops well past it.
constexpr std::size_t LockFileLimit = 4096;

// Creates the lock file exclusively with its text; 0, or the system's error.
int CreateLockFile(const std::filesystem::path& file, const std::string& text) {
#ifdef _WIN32
    std::FILE* f = _wfopen(file.c_str(), L"wbx");
#else
    std::FILE* f = std::fopen(file.c_str(), "wbx");
#endif
    if (!f) return errno;
    int err = 0;
    if (std::fwrite(text.data(), 1, text.size(), f) != text.size()) err = errno ? errno : EIO;
    if (std::fclose(f) != 0 && err == 0) err = errno ? errno : EIO;
    if (err != 0) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }
    return err;
}

} // namespace

LockHolder ThisRun() {
    LockHolder me;
#ifdef _WIN32
    me.user = EnvironmentText("USERNAME");
    me.host = EnvironmentText("COMPUTERNAME");
    me.pid = _getpid();
#else
    me.user = EnvironmentText("USER");
    if (me.user.empty())
        if (const passwd* account = ::getpwuid(::geteuid())) me.user = account->pw_name;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) me.host = host;
    me.pid = ::getpid();
#endif
    me.since = LocalTimeText();
    return me;
}

std::filesystem::path LockFilePath(const std::filesystem::path& collection) {
    std::filesystem::path name(".~lock.");
    name += collection.filename();
    name += "#";
    return collection.parent_path() / name;
}

std::string LockFileText(const LockHolder& holder) {
    return "," + FieldText(holder.user) + "," + FieldText(holder.host) + "," + std::to_string(holder.pid) +
           "," + FieldText(holder.since) + ",\n";
}

std::optional<LockHolder> ReadLockFileText(std::string_view text) {
    if (const auto end = text.find_first_of("\r\n"); end != std::string_view::npos)
        text = text.substr(0, end);
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (fields.size() < 3 || !fields[0].empty() || fields[2].empty()) return std::nullopt;
    LockHolder holder;
    holder.user = fields[1];
    holder.host = fields[2];
    if (fields.size() > 3) {
        const std::string_view pid = fields[3];
        if (std::from_chars(pid.data(), pid.data() + pid.size(), holder.pid).ptr != pid.data() + pid.size())
            holder.pid = 0;
    }
    if (fields.size() > 4) holder.since = fields[4];
    return holder;
}

Expected<CollectionLock, LockRefusal> CollectionLock::Acquire(const std::filesystem::path& collection) {
    const std::filesystem::path file = LockFilePath(collection);
    const LockHolder me = ThisRun();
    const std::string text = LockFileText(me);
    int err = EEXIST;
    // A few turns: a lock taken over is created exclusively again, and another run may have been
    // quicker, or may have released its own in the meantime.
    for (int attempt = 0; attempt < 3; ++attempt) {
        err = CreateLockFile(file, text);
        if (err == 0) return CollectionLock(file, text);
        if (err != EEXIST) break;
        const auto found = ReadFileBytes(file, LockFileLimit, PastLimit::Ignore);
        if (!found) {
            if (found.error().error == FileError::NotFound) continue;
            return Unexpected{LockRefusal{LockHolder{}, {}}};
        }
        const auto holder =
            ReadLockFileText(std::string_view(reinterpret_cast<const char*>(found->data()), found->size()));
        if (!LeftByAGoneRun(holder, me)) return Unexpected{LockRefusal{*holder, {}}};
        std::error_code ec;
        if (!std::filesystem::remove(file, ec) && ec)
            return Unexpected{
                LockRefusal{std::nullopt, FileFailure{FileError::CannotWrite, PathText(file), ec.message()}}};
    }
    return Unexpected{
        LockRefusal{std::nullopt, FileFailure{FileError::CannotWrite, PathText(file), SystemReason(err)}}};
}

CollectionLock::CollectionLock(std::filesystem::path file, std::string text)
    : file_(std::move(file)), text_(std::move(text)) {}

CollectionLock::CollectionLock(CollectionLock&& other) noexcept
    : file_(std::exchange(other.file_, {})), text_(std::move(other.text_)) {}

CollectionLock& CollectionLock::operator=(CollectionLock&& other) noexcept {
    if (this != &other) {
        Release();
        file_ = std::exchange(other.file_, {});
        text_ = std::move(other.text_);
    }
    return *this;
}

CollectionLock::~CollectionLock() {
    Release();
}

void CollectionLock::Release() {
    if (file_.empty()) return;
    if (const auto found = ReadFileBytes(file_, LockFileLimit, PastLimit::Ignore);
        found && std::string(found->begin(), found->end()) == text_) {
        std::error_code ec;
        std::filesystem::remove(file_, ec);
    }
    file_.clear();
}

} // namespace tavrin
