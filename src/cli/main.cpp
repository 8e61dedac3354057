// tavrin-cli: scripts and checks collection files without the windows. Each subcommand is one row
// of the table below: its name, what it takes, what it does and the function that runs it. What
// it takes is declared beside that function: here it gives the help and the count of arguments,
// checked before the command runs; there ParseArgs reads the options with it.
#include "cli/catalogue.h"
#include "cli/cli_files.h"
#include "cli/convert.h"
#include "cli/dump.h"
#include "cli/exchange.h"
#include "cli/export.h"
#include "cli/from_json.h"
#include "cli/list.h"
#include "cli/media.h"
#include "cli/names.h"
#include "cli/options.h"
#include "cli/stats.h"
#ifdef TAVRIN_CLI_PRINT
#include "cli/print.h"
#include "platform/picture_codec_qt.h"
#endif

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tavrin::cli;

// Covers are converted with Qt's picture readers and writers when the program has them (the
// Tellico export's, an import's covers in formats the program does not show).
const tavrin::PictureCodec* ProgramPictureCodec() {
#ifdef TAVRIN_CLI_PRINT
    static const tavrin::PictureCodec codec = tavrin::QtPictureCodec();
    return &codec;
#else
    return nullptr;
#endif
}

int RunExportCommand(Args args, std::ostream& out, std::ostream& err) {
    return RunExport(args, out, err, ProgramPictureCodec());
}

int RunImportCatalogueCommand(Args args, std::ostream& out, std::ostream& err) {
    return RunImportCatalogue(args, out, err, ProgramPictureCodec());
}

struct Command {
    std::string_view name;
    Syntax syntax;
    std::string_view summary;
    int (*run)(Args args, std::ostream& out, std::ostream& err);
    std::span<const Action> actions = {}; // when the word after the name picks what it does
};

constexpr Command Commands[] = {
    {"dump", DumpSyntax, "print the collection as JSON (older versions as converted on loading)", RunDump},
    {"convert", ConvertSyntax, "read a collection of any version and write it as version KX5", RunConvert},
    {"list", ListSyntax, "print the titles the browse filters keep: record number, TAB, title", RunList},
    {"catalogue", CatalogueSyntax, "print every text of a language as JSON, for translators", RunCatalogue},
    {"names",
     {},
     "the name lists, by the actions below; LIST is a list's name: DirectorList, ActorList, ComposerList, "
     "BoxList, PublisherList, "
     "RetailerList, InfoList, Info2List or MediaList",
     RunNames,
     NamesActions},
    {"from-json", FromJsonSyntax,
     "write the collection that JSON in the form dump prints describes (names as text, dates as "
     "YYYY-MM-DD and left-out fields allowed)",
     RunFromJson},
    {"stats", StatsSyntax, "print a statistics chart as JSON, or null when the window would not draw it",
     RunStats},
    {"price", PriceSyntax, "print the price summary of the listed titles as JSON", RunPrice},
    {"export-title", ExportTitleSyntax, "write the title file of a record (numbered as list prints it)",
     RunExportTitle},
    {"import-title", ImportTitleSyntax, "append the title of a title file, its names re-linked",
     RunImportTitle},
    {"add-list", AddListSyntax, "append every title of a version-5 collection, its names re-linked",
     RunAddList},
    {"rebuild-index", RebuildIndexSyntax, "rebuild the master order from the title texts", RunRebuildIndex},
    {"import-table", ImportTableSyntax,
     "append a title for each row of a CSV or tab-separated table, its names found or appended; nothing "
     "while any cell does not fit its field (the refused cells printed)",
     RunImportTable},
    {"import-catalogue", ImportCatalogueSyntax,
     "append the titles of a Tellico, GCstar, DVD Profiler, Collectorz, Griffith, Data Crow or Ant Movie "
     "Catalog file, covers copied into MEDIAS, everything else kept in each title's review text",
     RunImportCatalogueCommand},
    {"export", ExportSyntax,
     "write the browse list as the export window does, as text, spreadsheet text (with --details), "
     "HTML pages or a Tellico file",
     RunExportCommand},
#ifdef TAVRIN_CLI_PRINT
    {"print", PrintSyntax, "print the browse list as the export window does, into a PDF file", RunPrint},
#endif
    {"media", MediaSyntax,
     "print every multimedia entry with its kind and whether its file is found, as JSON", RunMedia},
    {"picture", PictureSyntax, "decode a TGA or PCX picture and write it as binary PPM", RunPicture},
};

// The arguments after the command's name, as the usage errors name them.
std::string ArgumentsOf(const Command& c) {
    // Every action reads FILE first.
    return c.actions.empty() ? ArgumentsText(c.syntax) : "ACTION FILE ...";
}

std::pair<std::size_t, std::size_t> CountOf(const Command& c) {
    if (c.actions.empty()) return ArgumentCount(c.syntax);
    std::pair<std::size_t, std::size_t> count{SIZE_MAX, 0};
    for (const Action& a : c.actions) {
        const auto [fewest, most] = ArgumentCount(a.syntax);
        count = {std::min(count.first, 1 + fewest), std::max(count.second, 1 + most)};
    }
    return count;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        if (space > start) words.emplace_back(text.substr(start, space - start));
        start = space + 1;
    }
    return words;
}

// Writes words from column on, wrapped within the help's width, continued lines indented; then
// a line end.
void WriteWrapped(std::ostream& out, const std::vector<std::string>& words, std::size_t column,
                  std::size_t indent) {
    constexpr std::size_t Width = 100;
    bool lineStart = true;
    for (const std::string& word : words) {
        if (!lineStart && column + 1 + word.size() > Width) {
            out << '\n' << std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out << ' ';
            ++column;
        }
        out << word;
        column += word.size();
        lineStart = false;
    }
    out << '\n';
}

// A head line, then the text below it, both wrapped.
void WriteEntry(std::ostream& out, const std::string& head, std::string_view text) {
    out << "  ";
    WriteWrapped(out, Words(head), 2, 6);
    if (text.empty()) return;
    out << "      ";
    WriteWrapped(out, Words(text), 6, 6);
}

void WriteSyntax(std::ostream& out, const std::string& head, const Syntax& syntax, std::string_view summary) {
    const std::string arguments = ArgumentsText(syntax);
    WriteEntry(out, arguments.empty() ? head : head + " " + arguments, summary);
    if (syntax.optionsLabel.empty()) return;
    const std::string label = std::string(syntax.optionsLabel) + ":";
    out << "      " << label << ' ';
    WriteWrapped(out, OptionalOptionTexts(syntax), 7 + label.size(), 7 + label.size());
}

void PrintUsage(std::ostream& out) {
    out << "Usage: tavrin-cli COMMAND ARGUMENTS\n"
           "       tavrin-cli --help\n\nCommands:\n";
    std::vector<Option> options; // each once, in the order the commands first take them
    const auto collect = [&](const Syntax& s) {
        for (const Option& o : s.options)
            if (std::none_of(options.begin(), options.end(),
                             [&](const Option& k) { return k.name == o.name; }))
                options.push_back(o);
    };
    for (const Command& c : Commands) {
        const std::string name(c.name);
        if (c.actions.empty()) {
            WriteSyntax(out, name, c.syntax, c.summary);
            collect(c.syntax);
        } else {
            WriteEntry(out, name + " " + ArgumentsOf(c), c.summary);
        }
        for (const Action& a : c.actions) {
            WriteSyntax(out, name + " " + std::string(a.name), a.syntax, a.summary);
            collect(a.syntax);
        }
    }
    out << "\nOptions:\n";
    std::size_t width = 0;
    const auto head = [](const Option& o) {
        return o.value.empty() ? std::string(o.name) : std::string(o.name) + " " + std::string(o.value);
    };
    for (const Option& o : options)
        width = std::max(width, head(o).size());
    for (const Option& o : options) {
        const std::string text = head(o);
        out << "  " << text << std::string(width + 2 - text.size(), ' ');
        WriteWrapped(out, Words(o.help), width + 4, width + 4);
    }
    out << "\nExit status: 0 done, 1 a file could not be read, understood or written, 2 bad usage.\n";
}

int UsageError(std::string_view problem) {
    Refuse(std::cerr, ExitUsage, {}, problem);
    std::cerr << '\n';
    PrintUsage(std::cerr);
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) return UsageError("no command given");
    if (args[0] == "--help" || args[0] == "-h") {
        PrintUsage(std::cout);
        return ExitOk;
    }
    for (const auto& command : Commands) {
        if (args[0] != command.name) continue;
        const auto rest = std::span(args).subspan(1);
        const auto [fewest, most] = CountOf(command);
        if (rest.size() < fewest || rest.size() > most)
            return UsageError(std::string(command.name) + " takes " + ArgumentsOf(command));
        return command.run(rest, std::cout, std::cerr);
    }
    return UsageError("unknown command '" + std::string(args[0]) + "'");
}
