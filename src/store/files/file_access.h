// What the file readers and writers share: how a file failed, a path as the UTF-8 text messages
// show, the system's reason for a failure, opening only what a reader can take, reading a whole
// file within a size limit and replacing a file safely on every platform.
#pragma once

#include "store/expected.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_set>
#include <vector>

namespace tavrin {

enum class FileError {
    NotFound,    // no such file: callers stay silent
    CannotRead,  // exists but could not be opened or read
    NotRegular,  // a folder, a pipe, a device: nothing a reader can take
    TooLarge,    // larger than the reader takes: the size and the limit given
    Invalid,     // not a collection file, or a damaged one: "Invalid file!"
    CannotWrite, // could not be created, written or put in place
};

struct FileFailure {
    FileError error;
    std::string path;         // the file concerned, as given
    std::string detail = {};  // the system's reason, when there is one
    std::uintmax_t size = 0;  // TooLarge: the file's size in bytes
    std::uintmax_t limit = 0; // TooLarge: the most the reader takes
};

std::string PathText(const std::filesystem::path& p);
std::string SystemReason(int err);

// What a reader does with a file longer than its limit.
enum class PastLimit {
    Refuse, // TooLarge: the whole file is the content, and it is too large to be any
    Ignore, // the first sizeLimit bytes: the format ignores whatever follows its content
};

// A file open for binary reading, closed when dropped.
struct ReadableFile {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, &std::fclose};
    std::uintmax_t size = 0; // its size when it was opened
};

// Opens path for binary reading when it is a file a reader can take, and refuses at once, without
// ever waiting, anything else: NotFound for no such file, NotRegular for a folder, a pipe or a
// device (never opened, so a pipe without a writer cannot hold the reader up), CannotRead with the
// system's reason ("Permission denied"), and TooLarge when a refusing reader's limit is passed,
// before a byte is read.
Expected<ReadableFile, FileFailure> OpenForReading(const std::filesystem::path& path,
                                                   std::uintmax_t sizeLimit,
                                                   PastLimit past = PastLimit::Refuse);

// Reads a whole file into memory, never more than sizeLimit bytes of it (and one more to tell a
// longer file), opened as OpenForReading does. A file longer than sizeLimit is refused as TooLarge
// or cut to its first sizeLimit bytes, as past says.
Expected<std::vector<std::uint8_t>, FileFailure>
ReadFileBytes(const std::filesystem::path& path, std::size_t sizeLimit, PastLimit past = PastLimit::Refuse);

// Writes bytes to a temporary file beside path and renames it over path, so the previous file
// survives any failure. The temporary file gets a fresh name that no file has (created exclusively,
// another name tried when one is taken), TemporaryPath(path, "<process id>-<random>"), and is held
// locked while it is written. Every write first removes the temporaries of path that no writer holds
// any more: what a save killed on its way left behind. flushToDisk forces the data out before the
// rename and the folder's entries after it.
Expected<Done, FileFailure> WriteFileReplacing(const std::filesystem::path& path,
                                               std::span<const std::uint8_t> bytes, bool flushToDisk = true);
// The same with the bytes given as pieces, written one after the other: a large block that is
// already in memory (the title store) is written from where it is, without a copy.
Expected<Done, FileFailure> WriteFileReplacing(const std::filesystem::path& path,
                                               std::span<const std::span<const std::uint8_t>> pieces,
                                               bool flushToDisk = true);
// The same, keeping the file it replaces (when there is one) as backup, one generation: the old
// file becomes the backup before the new one takes its name, so that path holds the complete old
// file or the complete new one at every moment, and backup the previous backup or the old file.
// A backup that cannot be made fails the write (naming the backup) and leaves path as it was.
Expected<Done, FileFailure> WriteFileReplacingKeeping(const std::filesystem::path& path,
                                                      std::span<const std::span<const std::uint8_t>> pieces,
                                                      const std::filesystem::path& backup);
// The same with the temporary names' middle part (TemporaryPath(path, suffix)) from freshSuffix,
// which is asked again for each name found taken.
Expected<Done, FileFailure> WriteFileReplacingWith(const std::filesystem::path& path,
                                                   std::span<const std::uint8_t> bytes, bool flushToDisk,
                                                   const std::function<std::string()>& freshSuffix);

// The name of a temporary file of path: "<path>.~tavrin-<part>.tmp". The marker lets a later write of
// the same file tell its own leftovers from anything else in the folder.
std::filesystem::path TemporaryPath(const std::filesystem::path& path, std::string_view part);

// The same for bytes made piece by piece: produce hands each piece to write, which says whether
// it was written, and gives false to abandon the file.
using ByteWriter = std::function<bool(std::span<const std::uint8_t>)>;
Expected<Done, FileFailure> WriteFileReplacingWith(const std::filesystem::path& path,
                                                   const std::function<bool(const ByteWriter&)>& produce,
                                                   bool flushToDisk = true);

// Copies source over path the same way, a block at a time (path holds the older file or the
// complete copy whatever fails), without forcing it out to the disk. A source that cannot be read
// (opened as OpenForReading does, within sourceLimit) is the failure named, and path is left as
// it was.
Expected<Done, FileFailure> CopyFileReplacing(const std::filesystem::path& source,
                                              const std::filesystem::path& path,
                                              std::uintmax_t sourceLimit = UINTMAX_MAX);

// Writes many files into one folder, each as WriteFileReplacing does without forcing it to the
// disk: at every moment a name holds its older file or the complete new one. Made for exports of
// thousands of files: the folder is searched once for the temporaries killed writes left behind,
// instead of once a file; a file that already holds exactly the new bytes is left as it is; and
// where the system allows it (Linux), a new file is written without a name and given its own once
// complete, sparing the temporary name and the rename.
class FolderWriter {
  public:
    explicit FolderWriter(std::filesystem::path folder);

    // Writes the file of that name in the folder.
    Expected<Done, FileFailure> Write(const std::filesystem::path& name, std::span<const std::uint8_t> bytes);
    // Copies source, at most sourceLimit bytes, as the file of that name in the folder; a source
    // that cannot be read is the failure named, and the file is left as it was.
    Expected<Done, FileFailure> Copy(const std::filesystem::path& source, const std::filesystem::path& name,
                                     std::uintmax_t sourceLimit);

  private:
    enum class Found { Same, Other, None };
    enum class Unnamed { Written, Failed, Exists, Unavailable };

    Found Existing(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
    Unnamed WriteUnnamed(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, int& err);

    std::filesystem::path folder_;
    // The names in the folder when the writer began: any other is written without looking for an
    // older file first (one made meanwhile is still found, as the new file cannot take its name).
    std::unordered_set<std::string> names_;
    // The leftovers of killed writes, by the name of the file each was for.
    std::vector<std::pair<std::string, std::filesystem::path>> stale_;
    std::vector<std::uint8_t> existing_; // an older file's bytes, its room kept from file to file
    bool unnamedFiles_ = true;           // whether new files can be written without a name here
};

// The system calls the safe writer makes, one pointer each, so that a test can make any one of
// them fail and see that the target file stays whole. The program never changes them.
struct WriterCalls {
    // Creates path exclusively for binary writing; null (with errno set) when it cannot.
    std::FILE* (*create)(const std::filesystem::path& path);
    // fwrite's contract: the bytes written, fewer with errno set on a failure.
    std::size_t (*write)(const void* data, std::size_t size, std::FILE* f);
    int (*flush)(std::FILE* f);
    int (*sync)(std::FILE* f); // forces the file's data out to the disk
    int (*close)(std::FILE* f);
    void (*rename)(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);
    void (*link)(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);
};
// The real calls.
WriterCalls SystemWriterCalls();
// The calls in use: the real ones unless a test replaced them.
WriterCalls& CurrentWriterCalls();

} // namespace tavrin
