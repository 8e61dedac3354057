#include "cli/export_html.h"

#include "cli/cli_files.h"
#include "cli/media.h"
#include "reports/html_export.h"
#include "store/text_encoding.h"

#include <algorithm>

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

} // namespace

bool IsHtmlOption(std::string_view option) {
    return std::any_of(HtmlExportOptions.begin(), HtmlExportOptions.end(),
                       [&](const Option& o) { return o.name == option; });
}

std::optional<std::string> ReadHtmlOption(std::string_view option, std::string_view value,
                                          HtmlOptions& html) {
    if (option == "--multi-page") {
        html.multiPage = true;
    } else if (option == "--frames") {
        html.frames = true;
    } else if (option == "--image") {
        // "none" is no pictures; "above" is the window's "None" place, the picture centred on top.
        html.pictures = value != "none";
        if (value == "above")
            html.place = PicturePlace::None;
        else if (value == "right")
            html.place = PicturePlace::Right;
        else if (value == "left")
            html.place = PicturePlace::Left;
        else if (value != "none")
            return "--image is none, above, right or left";
    } else if (option == "--text-color" || option == "--background") {
        const auto colour = ColourFromText(value);
        if (!colour) return std::string(option) + " \"" + std::string(value) + "\" is not a colour RRGGBB";
        (option == "--text-color" ? html.textColour : html.backgroundColour) = *colour;
    } else { // --background-image
        html.backgroundImage = Utf8ToCp1252(value);
    }
    return std::nullopt;
}

int WriteHtmlFiles(const std::filesystem::path& out, const ReportContext& context,
                   std::span<const std::uint16_t> browse, const ExportChoices& choices,
                   const HtmlOptions& html, const PictureCodec* codec, std::ostream& err) {
    const ProgramFolders folders = ProgramFoldersAsFound();
    const HtmlExportResult result =
        WriteHtmlExport(out, context, browse, choices, html, HtmlFolders{folders.medias, folders.text});
    std::vector<FileFailure> failures = result.failures;
    for (FileFailure& failure : CopyPictures(result.pictures, out.parent_path(), codec, MessageCatalogue{}))
        failures.push_back(std::move(failure));
    for (const FileFailure& failure : failures)
        ReportFailure(err, failure);
    return failures.empty() ? ExitOk : ExitFailure;
}

} // namespace tavrin::cli
