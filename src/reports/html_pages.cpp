#include "reports/html_pages.h"

#include "store/review_files.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <system_error>

namespace tavrin {
namespace {

constexpr std::string_view Eol = "\r\n";
constexpr std::string_view Table1 = "<TABLE COLS=1 WIDTH=100% CELLPADDING=0 CELLSPACING=0>";
constexpr std::string_view Table2 = "<TABLE COLS=2 WIDTH=100% CELLPADDING=0 CELLSPACING=0>";

void Line(std::string& out, std::string_view text) {
    out += text;
    out += Eol;
}

void AppendRow(std::string& out, std::string_view shade) {
    out += "<TR BGCOLOR=\"#";
    out += shade;
    out += "\">";
}

} // namespace

HtmlBlockWriter::HtmlBlockWriter(const ReportContext& context, const DetailChoices& details,
                                 const HtmlOptions& options, const HtmlFolders& folders)
    : context_(context), details_(details), options_(options), folders_(folders) {
    for (int step = 1; step <= 3; ++step) {
        std::string row;
        AppendRow(row, RowShade(options.backgroundColour, step));
        row += "<TD>";
        row += Eol;
        firstRows_[step - 1] = std::string(Table1) + row;
        nextRows_[step - 1] = "</TD></TR>" + row;
    }
    pictureOfEntry_.assign(context.collection.List(ListId::Media).size(), -2);
}

const CoverPicture* HtmlBlockWriter::PictureOf(const TitleRecord& title) {
    const int entry = EntryFromStored(title.Media1());
    if (entry < 0 || static_cast<std::size_t>(entry) >= pictureOfEntry_.size()) return nullptr;
    int& known = pictureOfEntry_[static_cast<std::size_t>(entry)];
    if (known == -2) {
        known = -1;
        if (auto picture = FindCoverPicture(context_.collection, title, folders_.medias)) {
            // Two pictures never share a file beside the pages, even where case is ignored:
            // "COVER.BMP" written as "COVER.PNG" and the picture "COVER.PNG", say. The later one
            // is numbered on ("COVER1.PNG").
            const std::size_t dot = std::min(picture->name.rfind('.'), picture->name.size());
            const std::string stem = picture->name.substr(0, dot), extension = picture->name.substr(dot);
            for (int n = 1; !pictureNames_.insert(UpperCp1252(picture->name)).second; ++n)
                picture->name = stem + std::to_string(n) + extension;
            known = static_cast<int>(pictures_.size());
            pictures_.push_back(std::move(*picture));
        }
    }
    return known >= 0 ? &pictures_[static_cast<std::size_t>(known)] : nullptr;
}

void HtmlBlockWriter::AppendBlock(std::string& out, const TitleRecord& title, HtmlForm form) {
    DetailBlockInto(context_, title, details_, BlockForm::Text, lines_);
    const CoverPicture* picture = options_.pictures ? PictureOf(title) : nullptr;
    // The list item holds the whole block, so that the list holds nothing but items.
    if (form == HtmlForm::SinglePage) out += "<LI>";
    std::string pictureLine;
    if (picture) {
        pictureLine = "<CENTER><IMG SRC=\"" + FileReference(picture->name) + "\"><BR></CENTER>";
        switch (options_.place) {
        case PicturePlace::None:
            Line(out, pictureLine);
            break;
        case PicturePlace::Left:
            out += Table2;
            Line(out, "<TR><TD>");
            Line(out, pictureLine);
            Line(out, "</TD><TD>");
            break;
        case PicturePlace::Right:
            out += Table2;
            Line(out, "<TR><TD>");
            break;
        }
    }

    std::size_t step = 1; // the shade of the next row: 0, 1, 2, 0 ..
    const auto newRow = [&] {
        out += nextRows_[step];
        step = step == 2 ? 0 : step + 1;
    };
    out += firstRows_[0];
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const DetailLine& line = lines_[i];
        const bool sectionStart = i > 0 && lines_[i - 1].section != line.section;
        if (sectionStart && line.ticked && !(line.section == DetailSection::Composer && line.text.empty()))
            newRow();
        if (line.section == DetailSection::Heading) {
            if (form == HtmlForm::SinglePage) {
                const std::size_t boldEnd =
                    line.labelCount > 0 ? line.labels[0].begin + line.labels[0].length : 0;
                out += "<B>";
                AppendHtmlEscaped(out, std::string_view(line.text).substr(0, boldEnd));
                out += "</B><BR>";
                AppendHtmlEscaped(out, std::string_view(line.text).substr(boldEnd));
            } else {
                AppendHtmlEscaped(out, line.text);
            }
            Line(out, "<BR>");
            continue;
        }
        std::size_t pos = 0;
        for (const TextRange& label : line.Labels()) {
            AppendHtmlEscaped(out, std::string_view(line.text).substr(pos, label.begin - pos));
            out += "<B>";
            AppendHtmlEscaped(out, line.Piece(label));
            out += "</B>";
            pos = label.begin + label.length;
        }
        AppendHtmlEscaped(out, std::string_view(line.text).substr(pos));
        switch (line.section) {
        case DetailSection::Publisher:
        case DetailSection::Composer:
        case DetailSection::Subtitles:
        case DetailSection::Extras:
        case DetailSection::Marks:
            Line(out, "<P>");
            break;
        default:
            Line(out, "<BR>");
        }
    }
    if (details_.Has(DetailBox::TextT) && title.ReviewNumber() != 0) {
        const auto file = ReviewFilePath(folders_.text, title.TitleView(), title.ReviewNumber());
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) {
            if (const auto text = ReadReviewText(file)) {
                newRow();
                AppendReviewText(out, *text);
            }
        }
    }

    if (!picture) {
        Line(out, "<BR></TD></TR></TABLE>");
    } else {
        switch (options_.place) {
        case PicturePlace::None:
            Line(out, "</TD></TR></TABLE>");
            break;
        case PicturePlace::Left:
            Line(out, "</TD></TR></TABLE></TD></TR></TABLE>");
            break;
        case PicturePlace::Right:
            Line(out, "</TD></TR></TABLE></TD><TD>");
            Line(out, pictureLine);
            Line(out, "</TD></TR></TABLE>");
            break;
        }
    }
    Line(out, "<BR>");
    if (form == HtmlForm::Page) out += PageFoot(options_.mailAddress);
}

void HtmlBlockWriter::AppendTitlePage(std::string& out, const TitleRecord& title) {
    out += PageHead(title.TitleView(), options_);
    AppendBlock(out, title, HtmlForm::Page);
}

bool SinglePageTo(const ReportContext& context, std::span<const std::uint16_t> browse,
                  const ExportChoices& choices, const HtmlOptions& options, const HtmlFolders& folders,
                  const HtmlPieces& emit, std::vector<CoverPicture>* pictures) {
    constexpr std::size_t PieceSize = 256 * 1024;
    std::string out = PageHead(choices.listName, options);
    out.reserve(PieceSize + 64 * 1024);
    Line(out, "<UL>");
    HtmlBlockWriter writer(context, choices.details, options, folders);
    for (const std::uint16_t r : browse) {
        if (r >= context.collection.Count()) continue;
        const TitleRecord& title = context.collection.RecordAt(r);
        if (choices.kind == ExportKind::JustTheTitles) {
            out += "<LI>";
            AppendHtmlEscaped(out, title.TitleView());
            out += Eol;
        } else {
            writer.AppendBlock(out, title, HtmlForm::SinglePage);
        }
        if (out.size() >= PieceSize) {
            if (!emit(out)) return false;
            out.clear();
        }
    }
    Line(out, "</UL>");
    out += PageFoot(options.mailAddress);
    if (pictures) *pictures = writer.Pictures();
    return emit(out);
}

std::string SinglePage(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices, const HtmlOptions& options, const HtmlFolders& folders,
                       std::vector<CoverPicture>* pictures) {
    std::string page;
    SinglePageTo(
        context, browse, choices, options, folders,
        [&page](std::string_view piece) {
            page += piece;
            return true;
        },
        pictures);
    return page;
}

} // namespace tavrin
