// Pages of positioned lines, as a report lays them out for a printer and the printer draws them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

enum class PrintStyle { Normal, Bold, BoldUnderlined };

struct PrintedLine {
    int x = 0;
    int y = 0; // the top of the line
    PrintStyle style = PrintStyle::Normal;
    std::string text; // 8-bit
};

using PrintedPage = std::vector<PrintedLine>;

// Takes a layout's lines as they are placed, so that a printer draws each page while the next is
// still to be laid out and no list of 65,535 titles is ever held whole.
class PrintedLineSink {
  public:
    virtual ~PrintedLineSink() = default;
    // A new page begins (the first one too); false when the printer cannot go on.
    virtual bool StartPage() = 0;
    // A line of the page begun last.
    virtual void PutLine(const PrintedLine& line) = 0;
};

// What the printer tells the layout, in printer pixels.
struct PrinterMeasures {
    int pointSize = 10; // of the printer's default font
    int dpiY = 72;
    int pageWidth = 0;
    int pageHeight = 0;
    std::function<int(std::string_view text, PrintStyle style)> textWidth;
};

} // namespace tavrin
