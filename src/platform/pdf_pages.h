// The printed list written straight into a PDF file, for a printer that prints into one: the
// lines shaped by Qt as QPainter would draw them, the words of a line shaped once for the whole
// list where the font allows it, and the glyphs written by PdfFile instead of Qt's PDF engine,
// which spends most of a large list's time placing every glyph on its own.
#pragma once

#include "platform/printer.h"

#include <filesystem>

class QPrinter;

namespace tavrin {

enum class PdfOutcome {
    Written,
    Failed,      // the file could not be written, or the layout stopped
    Unsupported, // a font that cannot be embedded this way: Qt's PDF engine must print it
};

// Writes the pages into path for the printer's page and default font.
PdfOutcome WritePdfPages(const QPrinter& printer, const std::filesystem::path& path,
                         const PageLayout& layOut);

} // namespace tavrin
