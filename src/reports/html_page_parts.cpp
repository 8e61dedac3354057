#include "reports/html_page_parts.h"

#include "editing/media_files.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace tavrin {
namespace {

constexpr std::string_view Eol = "\r\n";

void Line(std::string& out, std::string_view text) {
    out += text;
    out += Eol;
}

// The page-name form of a list text: trimmed, with the characters a file name cannot hold
// replaced by "_".
std::string CleanPageName(std::string_view title) {
    const auto first = title.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::string name(title.substr(first, title.find_last_not_of(' ') - first + 1));
    for (char& ch : name) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F || std::string_view(" '()?/\\:*\"<>|").find(ch) != std::string_view::npos)
            ch = '_';
    }
    return name;
}

// Names the same file on a file system that ignores case.
std::string FoldedName(std::string_view name) {
    return UpperCp1252(name);
}

// CON, NUL, COM1 .. : names no file can have on Windows, whatever follows the dot.
bool DeviceName(std::string_view name) {
    const std::string upper = UpperCp1252(name);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

bool PlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char ch) {
        const auto b = static_cast<unsigned char>(ch);
        return b < 0x20 || ch == '/' || ch == '\\' || ch == ':';
    });
}

} // namespace

std::filesystem::path PathFromCp1252(std::string_view name) {
    const std::string utf8 = Cp1252ToUtf8(name);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<std::string> PageFileNames(std::span<const std::string_view> titles,
                                       std::span<const std::string_view> reserved) {
    std::unordered_set<std::string> taken;
    for (std::string_view name : reserved)
        taken.insert(FoldedName(name));
    std::unordered_map<std::string, int> nextNumber; // per cleaned name, where numbering on resumes
    std::vector<std::string> names;
    names.reserve(titles.size());
    std::string previous = "Blabla";
    int counter = 0;
    for (std::string_view title : titles) {
        const std::string clean = CleanPageName(title);
        std::string name = clean;
        if (name == previous) {
            name += std::to_string(++counter);
        } else if (counter > 0) {
            if (name == std::string_view(previous).substr(0, previous.size() - 1))
                name += std::to_string(++counter);
            else
                counter = 0;
        }
        if (DeviceName(name)) name += '_';
        // Ten equal titles in a row, equal titles apart, names equal but for case: number on
        // until the name is free.
        if (taken.contains(FoldedName(name + ".htm"))) {
            int& next = nextNumber[clean];
            next = std::max(next, counter + 1);
            do {
                name = clean + std::to_string(next++);
            } while (taken.contains(FoldedName(name + ".htm")));
            counter = next - 1;
        }
        previous = name;
        name += ".htm";
        taken.insert(FoldedName(name));
        names.push_back(std::move(name));
    }
    return names;
}

std::string PageHead(std::string_view title, const HtmlOptions& options) {
    const std::string text = HtmlColour(options.textColour);
    std::string out =
        "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"
        "<TITLE>";
    AppendHtmlEscaped(out, title);
    out += "</TITLE></HEAD><BODY ";
    if (!options.backgroundImage.empty())
        out += "BACKGROUND=\"" + TypedReference(options.backgroundImage) + "\" ";
    out += "TEXT=\"#" + text + "\" BGCOLOR=\"#" + HtmlColour(options.backgroundColour) + "\" LINK=\"#" +
           text + "\" VLINK=\"#" + text + "\" ALINK=\"#" + text + "\" >";
    out += Eol;
    out += "<CENTER><B>";
    AppendHtmlEscaped(out, title);
    out += "</B></CENTER><BR>";
    out += Eol;
    return out;
}

std::string PageFoot(std::string_view mailAddress) {
    std::string out =
        "<P><HR><CENTER><H5>Made With TAVRIN (<A HREF=\"mailto:" + TypedReference(mailAddress) + "\">";
    AppendHtmlEscaped(out, mailAddress);
    out += "</A>)</H5></CENTER><HR></BODY></HTML>";
    out += Eol;
    return out;
}

std::string FrameSetPage(std::string_view listName, std::string_view firstPage) {
    std::string out =
        "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"
        "<TITLE>";
    AppendHtmlEscaped(out, listName);
    out += "</TITLE></HEAD><FRAMESET ROWS=\"30%,70%\"><FRAME SRC=\"";
    out += FileReference(FrameIndexName);
    out += "\" NAME=\"INDEX\" marginheight=5><FRAME SRC=\"";
    out += firstPage.empty() ? std::string("about:blank") : FileReference(firstPage);
    out += "\" NAME=\"INFO\" marginheight=5></FRAMESET><noframes>Your browser can't handle Frames, "
           "sorry!.</noframes></HTML>";
    out += Eol;
    return out;
}

std::optional<CoverPicture> FindCoverPicture(const Collection& collection, const TitleRecord& title,
                                             const std::filesystem::path& medias) {
    const std::string_view entry = NameAt(collection.List(ListId::Media), EntryFromStored(title.Media1()));
    // A name from the collection is only ever a file of the medias folder: nothing with a folder,
    // a drive or a parent in it.
    if (!PlainFileName(entry)) return std::nullopt;
    const std::string_view kind = entry.substr(entry.size() - std::min<std::size_t>(entry.size(), 3));
    const bool shown = kind == "JPG" || kind == "GIF" || kind == "PNG" || entry.ends_with("JPEG");
    if (!shown && kind != "BMP" && kind != "TGA" && kind != "PCX") return std::nullopt;
    CoverPicture picture{std::string(entry), medias / PathFromCp1252(entry)};
    if (!IsMediaFolderFile(medias, picture.source)) return std::nullopt;
    if (!shown) {
        // "COVER.BMP" becomes "COVER.PNG"; a name without the dot gets one.
        picture.name.resize(entry.size() - (entry.size() > 3 && entry[entry.size() - 4] == '.' ? 4 : 0));
        picture.name += ".PNG";
        picture.convertFrom = kind;
    }
    return picture;
}

void AppendReviewText(std::string& out, std::string_view text) {
    Line(out, "<P>");
    std::size_t pos = 0;
    // The length of the line break at i (CR LF, LF CR, or a lone CR or LF), 0 for none.
    const auto breakAt = [&](std::size_t i) -> std::size_t {
        if (i >= text.size() || (text[i] != '\r' && text[i] != '\n')) return 0;
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != text[i])
            return 2;
        return 1;
    };
    while (true) {
        std::size_t end = pos;
        while (end < text.size() && breakAt(end) == 0)
            ++end;
        AppendHtmlEscaped(out, text.substr(pos, end - pos));
        if (end >= text.size()) {
            Line(out, "<BR>");
            return;
        }
        std::size_t next = end + breakAt(end);
        if (const std::size_t second = breakAt(next); second != 0) {
            Line(out, "<P>");
            next += second;
        } else {
            Line(out, "<BR>");
        }
        pos = next;
    }
}

std::string IndexPage(const Collection& collection, std::span<const std::uint16_t> browse,
                      std::span<const std::string> pageNames, std::string_view listName,
                      const HtmlOptions& options) {
    std::string out = PageHead(listName, options);
    Line(out, "<UL>");
    const std::string_view linkEnd = options.frames ? "\" TARGET=\"INFO\">" : "\">";
    for (std::size_t i = 0; i < browse.size() && i < pageNames.size(); ++i) {
        if (browse[i] >= collection.Count()) continue;
        out += "<LI><A HREF=\"";
        out += FileReference(pageNames[i]);
        out += linkEnd;
        AppendHtmlEscaped(out, collection.RecordAt(browse[i]).TitleView());
        Line(out, "</A>");
    }
    Line(out, "</UL>");
    out += PageFoot(options.mailAddress);
    return out;
}

} // namespace tavrin
