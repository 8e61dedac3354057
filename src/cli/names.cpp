#include "cli/names.h"

#include "cli/cli_files.h"
#include "cli/media.h"
#include "editing/media_files.h"
#include "editing/name_list_operations.h"
#include "store/files/name_list_file.h"
#include "store/text_encoding.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <string>

namespace tavrin::cli {
namespace {

using Args = std::span<const std::string_view>;

int Usage(std::ostream& err, const std::string& problem) {
    err << "tavrin-cli: names: " << problem << '\n';
    return ExitUsage;
}

// An English catalogue text, as the refusals of the windows read.
int Refused(std::ostream& err, Msg m) {
    err << "tavrin-cli: " << MessageText(m, 0) << '\n';
    return ExitFailure;
}

std::optional<ListId> ListNamed(std::string_view name) {
    for (ListId id : AllLists)
        if (ListName(id) == name) return id;
    return std::nullopt;
}

std::optional<int> EntryIn(const Collection& c, ListId list, std::string_view text) {
    int entry = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), entry);
    if (ec != std::errc{} || end != text.data() + text.size() || entry < 0 ||
        static_cast<std::size_t>(entry) >= c.List(list).size())
        return std::nullopt;
    return entry;
}

int Write(const Collection& c, std::string_view out, std::ostream& err) {
    const auto written = WriteFileReplacing(std::filesystem::path(out), SerializeCollection(c));
    if (!written) {
        ReportFailure(err, written.error());
        return ExitFailure;
    }
    return ExitOk;
}

int Save(Args a, std::ostream& err) { // FILE LETTER OUT
    const auto list = a[1].size() == 1 ? ListOfLetter(a[1][0]) : std::nullopt;
    if (!list) return Usage(err, "no list has the letter '" + std::string(a[1]) + "' (D A C P B R I)");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    const auto written = SaveNameListFile(loaded->collection, *list, std::filesystem::path(a[2]));
    if (!written) {
        ReportFailure(err, written.error());
        return ExitFailure;
    }
    return ExitOk;
}

int Load(Args a, std::ostream& err) { // FILE LISTFILE OUT
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    if (!c.titles.empty()) return Refused(err, Msg::MsgYouCannotLoadA);
    auto names = LoadNameListFile(std::filesystem::path(a[1]));
    if (!names) {
        ReportFailure(err, names.error());
        return ExitFailure;
    }
    ApplyNameList(c, *names);
    return Write(c, a[2], err);
}

int Delete(Args a, std::ostream& out, std::ostream& err) { // FILE LIST ENTRY OUT
    const auto list = ListNamed(a[1]);
    if (!list) return Usage(err, "unknown list '" + std::string(a[1]) + "'");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    const auto entry = EntryIn(c, *list, a[2]);
    if (!entry) return Usage(err, std::string(a[1]) + " has no entry '" + std::string(a[2]) + "'");
    for (std::size_t r : DeleteEntry(c, *list, *entry))
        out << Cp1252ToUtf8(ErasedInLine(c, r)) << '\n';
    if (const int written = Write(c, a[3], err); written != ExitOk) return written;
    return FinishOutput(out, err);
}

int Rename(Args a, std::ostream& err) { // FILE LIST ENTRY TEXT OUT
    const auto list = ListNamed(a[1]);
    if (!list) return Usage(err, "unknown list '" + std::string(a[1]) + "'");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    const auto entry = EntryIn(c, *list, a[2]);
    if (!entry) return Usage(err, std::string(a[1]) + " has no entry '" + std::string(a[2]) + "'");
    if (const auto refusal = RenameEntry(c, *list, *entry, Utf8ToCp1252(a[3]))) return Refused(err, *refusal);
    return Write(c, a[4], err);
}

int Clean(Args a, const std::optional<std::filesystem::path>& medias, std::ostream& out,
          std::ostream& err) { // FILE LIST OUT
    const auto list = ListNamed(a[1]);
    if (!list) return Usage(err, "unknown list '" + std::string(a[1]) + "'");
    if (medias && *list != ListId::Media) return Usage(err, "--medias goes with MediaList only");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    EntryGone missing;
    std::optional<MediaFolderIndex> folder;
    if (*list == ListId::Media) {
        folder.emplace(medias.value_or(DefaultMediasFolder()));
        missing = [&folder](std::string_view name) { return !folder->Holds(name); };
    }
    for (const auto& name : CleanList(c, *list, {}, missing).erased)
        out << Cp1252ToUtf8(ErasedLine(name)) << '\n';
    if (const int written = Write(c, a[2], err); written != ExitOk) return written;
    return FinishOutput(out, err);
}

} // namespace

int RunNames(Args args, std::ostream& out, std::ostream& err) {
    const std::string_view action = args[0];
    Args rest = args.subspan(1);
    // clean's folder option comes last.
    std::optional<std::filesystem::path> medias;
    if (action == "clean" && rest.size() == 5 && rest[3] == "--medias") {
        medias = std::filesystem::path(rest[4]);
        rest = rest.first(3);
    }
    auto wrongCount = [&](std::size_t n, const char* what) {
        if (rest.size() == n) return false;
        Usage(err, std::string(action) + " takes " + what);
        return true;
    };
    const bool counted =
        action == "save" || action == "load" || action == "delete" || action == "rename" || action == "clean";
    // The collection read stays as it is: writing the result over it is refused.
    if (counted && rest.size() >= 2) {
        std::error_code ec;
        if (std::filesystem::equivalent(std::filesystem::path(rest.front()),
                                        std::filesystem::path(rest.back()), ec))
            return Usage(err, "OUT names the file read; write the result to another file");
    }
    if (action == "save") return wrongCount(3, "FILE LETTER OUT") ? ExitUsage : Save(rest, err);
    if (action == "load") return wrongCount(3, "FILE LISTFILE OUT") ? ExitUsage : Load(rest, err);
    if (action == "delete") return wrongCount(4, "FILE LIST ENTRY OUT") ? ExitUsage : Delete(rest, out, err);
    if (action == "rename") return wrongCount(5, "FILE LIST ENTRY TEXT OUT") ? ExitUsage : Rename(rest, err);
    if (action == "clean")
        return wrongCount(3, "FILE LIST OUT [--medias DIR]") ? ExitUsage : Clean(rest, medias, out, err);
    return Usage(err, "unknown action '" + std::string(action) + "' (save, load, delete, rename, clean)");
}

} // namespace tavrin::cli
