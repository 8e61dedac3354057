#include "cli/export_html.h"

#include "app/program_folders.h"
#include "cli/cli_files.h"
#include "reports/html_export.h"
#include "store/text_encoding.h"

#include <cstdlib>

namespace tavrin::cli {
namespace {

// "RRGGBB" as the user sees the colour: red, green, blue.
std::optional<StoredColour> ColourFromText(std::string_view text) {
    if (text.size() != 6) return std::nullopt;
    int channels[3] = {};
    for (std::size_t i = 0; i < 6; ++i) {
        const char ch = text[i];
        const int digit = ch >= '0' && ch <= '9'   ? ch - '0'
                          : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                          : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                   : -1;
        if (digit < 0) return std::nullopt;
        channels[i / 2] = channels[i / 2] * 16 + digit;
    }
    return ColourFromRgb(channels[0], channels[1], channels[2]);
}

std::filesystem::path EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

bool IsHtmlFlag(std::string_view option) {
    return option == "--multi-page" || option == "--frames";
}

bool IsHtmlOption(std::string_view option) {
    return IsHtmlFlag(option) || option == "--image" || option == "--text-color" ||
           option == "--background" || option == "--background-image";
}

std::optional<std::string> ReadHtmlOption(std::string_view option, std::string_view value,
                                          HtmlOptions& html) {
    if (option == "--multi-page") {
        html.multiPage = true;
    } else if (option == "--frames") {
        html.frames = true;
    } else if (option == "--image") {
        html.pictures = value != "none";
        if (value == "right")
            html.place = PicturePlace::Right;
        else if (value == "left")
            html.place = PicturePlace::Left;
        else if (value != "none")
            return "--image is none, right or left";
    } else if (option == "--text-color" || option == "--background") {
        const auto colour = ColourFromText(value);
        if (!colour) return std::string(option) + " \"" + std::string(value) + "\" is not a colour RRGGBB";
        (option == "--text-color" ? html.textColour : html.backgroundColour) = *colour;
    } else if (option == "--background-image") {
        html.backgroundImage = Utf8ToCp1252(value);
    } else {
        return "unknown option " + std::string(option);
    }
    return std::nullopt;
}

HtmlFolders ProgramHtmlFolders() {
    const std::filesystem::path tavrinHome = EnvironmentPath("TAVRIN_HOME");
    std::error_code ec;
    const std::filesystem::path programDir =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
#ifdef _WIN32
    const std::filesystem::path userData = EnvironmentPath("APPDATA") / "Tavrin";
#else
    std::filesystem::path dataHome = EnvironmentPath("XDG_DATA_HOME");
    if (dataHome.empty()) dataHome = EnvironmentPath("HOME") / ".local" / "share";
    const std::filesystem::path userData = dataHome / "Tavrin";
#endif
    const bool programDirWritable = tavrinHome.empty() && !programDir.empty() && IsWritableFolder(programDir);
    const ProgramFolders folders =
        FoldersUnder(ChooseProgramHome(tavrinHome.empty() ? std::nullopt : std::optional(tavrinHome),
                                       programDir, programDirWritable, userData));
    return {folders.medias, folders.text};
}

int WriteHtmlFiles(const std::filesystem::path& out, const ReportContext& context,
                   std::span<const std::uint16_t> browse, const ExportChoices& choices,
                   const HtmlOptions& html, std::ostream& err) {
    const HtmlExportResult result =
        WriteHtmlExport(out, context, browse, choices, html, ProgramHtmlFolders());
    std::vector<FileFailure> failures = result.failures;
    for (FileFailure& failure : CopyPictures(result.pictures, out.parent_path()))
        failures.push_back(std::move(failure));
    for (const FileFailure& failure : failures)
        ReportFailure(err, failure);
    return failures.empty() ? ExitOk : ExitFailure;
}

} // namespace tavrin::cli
