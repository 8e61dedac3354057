// The detail block in its two HTML forms (in the single page and on a title's own page) and the
// single page of a list.
#pragma once

#include "reports/detail_block.h"
#include "reports/html_page_parts.h"
#include "reports/report_choices.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tavrin {

enum class HtmlForm { SinglePage, Page };

// Builds detail blocks and pages one title after another, reusing its buffers, and gathers the
// pictures they show.
class HtmlBlockWriter {
  public:
    HtmlBlockWriter(const ReportContext& context, const DetailChoices& details, const HtmlOptions& options,
                    const HtmlFolders& folders);

    // The detail block of a title; in page form followed by the page foot.
    void AppendBlock(std::string& out, const TitleRecord& title, HtmlForm form);
    // A title's own page: head, block, foot.
    void AppendTitlePage(std::string& out, const TitleRecord& title);
    // The pictures the blocks so far showed, each once, in first-shown order.
    const std::vector<CoverPicture>& Pictures() const { return pictures_; }

  private:
    const CoverPicture* PictureOf(const TitleRecord& title);

    const ReportContext& context_;
    // Copies: a writer may be built from temporaries and outlive them.
    DetailChoices details_;
    HtmlOptions options_;
    HtmlFolders folders_;
    // The opening of a block's table with its first row, and the break to each next row, in the
    // three shades.
    std::array<std::string, 3> firstRows_;
    std::array<std::string, 3> nextRows_;
    std::vector<DetailLine> lines_;
    std::vector<CoverPicture> pictures_;
    std::vector<int> pictureOfEntry_; // per multimedia entry: -2 not looked at, -1 none, else index
    std::unordered_set<std::string> pictureNames_; // the pictures' file names, upper case
};

// Receives a page's bytes piece by piece, in order; false stops the page.
using HtmlPieces = std::function<bool(std::string_view piece)>;

// The whole list as one page, handed on in pieces of a bounded size (a full list with every box
// ticked makes some 100 MB); false when the receiver stopped it.
bool SinglePageTo(const ReportContext& context, std::span<const std::uint16_t> browse,
                  const ExportChoices& choices, const HtmlOptions& options, const HtmlFolders& folders,
                  const HtmlPieces& emit, std::vector<CoverPicture>* pictures = nullptr);
// The same page whole.
std::string SinglePage(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices, const HtmlOptions& options, const HtmlFolders& folders,
                       std::vector<CoverPicture>* pictures = nullptr);

} // namespace tavrin
