#include "cli/names.h"

#include "cli/cli_files.h"
#include "cli/media.h"
#include "editing/media_files.h"
#include "editing/name_list_operations.h"
#include "lang/unstorable_text.h"
#include "store/files/name_list_file.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <string>

namespace tavrin::cli {
namespace {

int Usage(std::ostream& err, const std::string& problem) {
    return Refuse(err, ExitUsage, "names", problem);
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
    return written ? ExitOk : ReportFailure(err, written.error());
}

int Save(const ParsedArgs& p, std::ostream&, std::ostream& err) { // FILE LETTER OUT
    const auto& a = p.positionals;
    const auto list = a[1].size() == 1 ? ListOfLetter(a[1][0]) : std::nullopt;
    if (!list) return Usage(err, "no list has the letter '" + std::string(a[1]) + "' (D A C P B R I)");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    const auto written = SaveNameListFile(loaded->collection, *list, std::filesystem::path(a[2]));
    return written ? ExitOk : ReportFailure(err, written.error());
}

int Load(const ParsedArgs& p, std::ostream&, std::ostream& err) { // FILE LISTFILE OUT
    const auto& a = p.positionals;
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    if (!c.titles.empty()) return RefuseAsTheWindows(err, Msg::MsgYouCannotLoadA);
    auto names = LoadNameListFile(std::filesystem::path(a[1]));
    if (!names) return ReportFailure(err, names.error());
    ApplyNameList(c, *names);
    return Write(c, a[2], err);
}

int Delete(const ParsedArgs& p, std::ostream& out, std::ostream& err) { // FILE LIST ENTRY OUT
    const auto& a = p.positionals;
    const auto list = ListNamed(a[1]);
    if (!list) return Usage(err, "unknown list '" + std::string(a[1]) + "'");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    const auto entry = EntryIn(c, *list, a[2]);
    if (!entry) return Usage(err, std::string(a[1]) + " has no entry '" + std::string(a[2]) + "'");
    for (std::size_t r : DeleteEntry(c, *list, *entry))
        out << Cp1252ToUtf8(ErasedInLine(MessageCatalogue{}, c, r)) << '\n';
    if (const int written = Write(c, a[3], err); written != ExitOk) return written;
    return FinishOutput(out, err);
}

int Rename(const ParsedArgs& p, std::ostream&, std::ostream& err) { // FILE LIST ENTRY TEXT OUT
    const auto& a = p.positionals;
    const auto list = ListNamed(a[1]);
    if (!list) return Usage(err, "unknown list '" + std::string(a[1]) + "'");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    const auto entry = EntryIn(c, *list, a[2]);
    if (!entry) return Usage(err, std::string(a[1]) + " has no entry '" + std::string(a[2]) + "'");
    // As the rename window: a character the collection cannot store is named, never made '?'.
    if (const std::string unstorable = UnstorableTextMessage(MessageText(ListFieldName(*list), 0), a[3], 0);
        !unstorable.empty())
        return Refuse(err, ExitFailure, {}, unstorable);
    if (const auto refusal = RenameEntry(c, *list, *entry, Utf8ToCp1252(a[3])))
        return RefuseAsTheWindows(err, *refusal);
    return Write(c, a[4], err);
}

int Clean(const ParsedArgs& p, std::ostream& out, std::ostream& err) { // FILE LIST OUT [--medias DIR]
    const auto& a = p.positionals;
    const auto medias = p.Value(MediasOption.name);
    const auto list = ListNamed(a[1]);
    if (!list) return Usage(err, "unknown list '" + std::string(a[1]) + "'");
    if (medias && *list != ListId::Media) return Usage(err, "--medias goes with MediaList only");
    auto loaded = LoadForCli(std::filesystem::path(a[0]), err);
    if (!loaded) return ExitFailure;
    Collection& c = loaded->collection;
    EntryGone missing;
    std::optional<MediaFolderIndex> folder;
    if (*list == ListId::Media) {
        folder.emplace(medias ? std::filesystem::path(*medias) : ProgramFoldersAsFound().medias);
        missing = [&folder](std::string_view name) { return !folder->Holds(name); };
    }
    for (const auto& name : CleanList(c, *list, {}, missing).erased)
        out << Cp1252ToUtf8(ErasedLine(MessageCatalogue{}, name)) << '\n';
    if (const int written = Write(c, a[2], err); written != ExitOk) return written;
    return FinishOutput(out, err);
}

// What each of NamesActions runs, in the same order.
using ActionRun = int (*)(const ParsedArgs&, std::ostream& out, std::ostream& err);
constexpr std::pair<std::string_view, ActionRun> ActionRuns[] = {
    {"save", Save}, {"load", Load}, {"delete", Delete}, {"rename", Rename}, {"clean", Clean},
};
static_assert([] {
    if (std::size(ActionRuns) != std::size(NamesActions)) return false;
    for (std::size_t i = 0; i < std::size(ActionRuns); ++i)
        if (ActionRuns[i].first != NamesActions[i].name) return false;
    return true;
}());

} // namespace

int RunNames(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const std::string_view name = args[0];
    const auto action = std::find_if(std::begin(NamesActions), std::end(NamesActions),
                                     [&](const Action& a) { return a.name == name; });
    if (action == std::end(NamesActions))
        return Usage(err, "unknown action '" + std::string(name) + "' (save, load, delete, rename, clean)");
    const auto rest = args.subspan(1);
    const auto parsed = ParseArgs(action->syntax, rest);
    // The collection read stays as it is: writing the result over it is refused first, even on a
    // line that does not fit.
    const std::span<const std::string_view> files = parsed ? std::span(parsed->positionals) : rest;
    if (files.size() >= 2 &&
        SameFile(std::filesystem::path(files.front()), std::filesystem::path(files.back())))
        return Usage(err, "OUT names the file read; write the result to another file");
    if (!parsed) return Usage(err, TakesText(action->name, action->syntax));
    return ActionRuns[action - std::begin(NamesActions)].second(*parsed, out, err);
}

} // namespace tavrin::cli
