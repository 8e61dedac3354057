#include "cli/exchange.h"

#include "cli/cli_files.h"
#include "cli/list.h"
#include "editing/name_list_operations.h"
#include "lang/catalogue.h"
#include "store/title_exchange.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <string>

namespace tavrin::cli {
namespace {

using Args = std::span<const std::string_view>;

int Usage(std::ostream& err, std::string_view command, const std::string& problem) {
    err << "tavrin-cli: " << command << ": " << problem << '\n';
    return ExitUsage;
}

// An English catalogue text, as the refusals of the windows read.
int Refused(std::ostream& err, Msg m) {
    err << "tavrin-cli: " << MessageText(m, 0) << '\n';
    return ExitFailure;
}

int Refused(std::ostream& err, const ExchangeRefusal& refusal) {
    return Refused(err, refusal.error == StoreError::CollectionFull ? Msg::MsgAmazingCollectionButI
                                                                    : ListFullMessage(refusal.list));
}

int Failed(std::ostream& err, const FileFailure& failure) {
    ReportFailure(err, failure);
    return ExitFailure;
}

int Write(std::string_view out, std::span<const std::uint8_t> bytes, std::ostream& err) {
    const auto written = WriteFileReplacing(std::filesystem::path(out), bytes);
    return written ? ExitOk : Failed(err, written.error());
}

// The options after the three arguments: only --today YYYY-MM-DD, once. Gives the problem, if any.
std::optional<std::string> ReadToday(Args a, std::optional<DayNumber>& today) {
    for (std::size_t i = 3; i < a.size(); i += 2) {
        if (a[i] != "--today" || today) return "unknown or repeated option " + std::string(a[i]);
        if (i + 1 >= a.size()) return "--today needs a value";
        today = ParseIsoDate(a[i + 1]);
        if (!today) return "--today \"" + std::string(a[i + 1]) + "\" is not a date YYYY-MM-DD";
    }
    return std::nullopt;
}

// FILE (a[0]) read for a command that writes OUT: refused as bad usage when OUT names FILE, and
// reported when FILE cannot be read; exitCode then tells how the command ends.
std::optional<LoadedCollection> ReadInput(Args a, std::string_view out, std::string_view command,
                                          std::ostream& err, int& exitCode) {
    std::error_code ec;
    if (std::filesystem::equivalent(std::filesystem::path(a[0]), std::filesystem::path(out), ec)) {
        exitCode = Usage(err, command, "OUT names the file read; write to another file");
        return std::nullopt;
    }
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) exitCode = ExitFailure;
    return loaded;
}

// FILE, TITLE-or-OTHER, OUT, then --today: the options read first, then FILE as ReadInput does.
std::optional<LoadedCollection> ReadInputAndToday(Args a, std::string_view command, std::ostream& err,
                                                  std::optional<DayNumber>& today, int& exitCode) {
    if (auto problem = ReadToday(a, today)) {
        exitCode = Usage(err, command, *problem);
        return std::nullopt;
    }
    return ReadInput(a, a[2], command, err, exitCode);
}

} // namespace

int RunExportTitle(Args a, std::ostream&, std::ostream& err) { // FILE RECORD OUT.KXM
    constexpr std::string_view command = "export-title";
    std::size_t record = 0;
    const auto [end, ec] = std::from_chars(a[1].data(), a[1].data() + a[1].size(), record);
    if (ec != std::errc{} || end != a[1].data() + a[1].size())
        return Usage(err, command, "RECORD '" + std::string(a[1]) + "' is not a record number");
    int exitCode = ExitOk;
    auto loaded = ReadInput(a, a[2], command, err, exitCode);
    if (!loaded) return exitCode;
    Collection& c = loaded->collection;
    if (record >= c.Count()) return Refused(err, Msg::MsgChooseATitleFirst);
    return Write(a[2], ExportTitle(c, record), err);
}

int RunImportTitle(Args a, std::ostream&, std::ostream& err) { // FILE TITLE.KXM OUT [--today DAY]
    constexpr std::string_view command = "import-title";
    std::optional<DayNumber> today;
    int exitCode = ExitOk;
    auto loaded = ReadInputAndToday(a, command, err, today, exitCode);
    if (!loaded) return exitCode;
    Collection& c = loaded->collection;
    if (c.Count() >= TitleCapacity) return Refused(err, Msg::MsgAmazingCollectionButI);
    const auto title = LoadTitleFile(std::filesystem::path(a[1]));
    if (!title) return Failed(err, title.error());
    if (const auto imported = ImportTitle(c, *title, today.value_or(SystemToday())); !imported)
        return Refused(err, imported.error());
    return Write(a[2], SerializeCollection(c), err);
}

int RunAddList(Args a, std::ostream&, std::ostream& err) { // FILE OTHER.KXT OUT [--today DAY]
    constexpr std::string_view command = "add-list";
    std::optional<DayNumber> today;
    int exitCode = ExitOk;
    auto loaded = ReadInputAndToday(a, command, err, today, exitCode);
    if (!loaded) return exitCode;
    Collection& c = loaded->collection;
    auto other = LoadForCli(std::filesystem::path(a[1]), err);
    if (!other) return ExitFailure;
    // Only the current version is merged; Open reads the older ones.
    if (other->version != '5')
        return Failed(err, FileFailure{FileError::Invalid, PathText(std::filesystem::path(a[1])), {}});
    if (const auto merged = MergeCollection(c, std::move(other->collection)); !merged)
        return Refused(err, merged.error());
    // --today only moves the earliest purchase date the window shows, which files do not hold.
    return Write(a[2], SerializeCollection(c), err);
}

int RunRebuildIndex(Args a, std::ostream&, std::ostream& err) { // FILE OUT
    constexpr std::string_view command = "rebuild-index";
    int exitCode = ExitOk;
    auto loaded = ReadInput(a, a[1], command, err, exitCode);
    if (!loaded) return exitCode;
    RebuildIndex(loaded->collection);
    return Write(a[1], SerializeCollection(loaded->collection), err);
}

} // namespace tavrin::cli
