// libFuzzer target for the table reader and the spreadsheet import: any bytes must give a table or
// an unclosed quote, never a crash; the table's header maps its columns, and the import either
// refuses with the collection unchanged, pointing at mapped cells, or adds one linked title per row
// that is not blank, in title order.
#include "exchange_checks.h"
#include "exchange/table_import.h"
#include "store/files/table_reader.h"
#include "store/text_encoding.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace tavrin;
using tavrin::fuzz::Require;

Collection Small() {
    Collection c;
    c.List(ListId::Director) = {"VERDI", "LANG"};
    c.List(ListId::Actor) = {"FORD"};
    // A publisher list one short of full: a second new publisher is refused.
    for (int i = 0; i < 254; ++i)
        c.List(ListId::Publisher).push_back("P" + std::to_string(i));
    TitleRecord t;
    t.SetTitle("METROPOLIS");
    AppendTitle(c, t);
    return c;
}

bool IsText(std::string_view s) {
    for (char ch : s)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) return false;
    return s.size() < TitleTextSize;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool quotes = std::memchr(data, '"', size) != nullptr;
    const auto table = ReadTable({data, size});
    if (!table) {
        Require(table.error().error == TableError::UnclosedQuote && quotes, "only an open quote refuses");
        return 0;
    }
    std::size_t text = 0;
    for (std::size_t r = 0; r < table->RowCount(); ++r)
        for (std::size_t k = 0; k < table->ColumnCount(r); ++k) {
            const std::string_view cell = table->Cell(r, k);
            text += cell.size();
            Require(!table->Unconvertible(r, k) || table->encoding == TableEncoding::Utf8,
                    "only UTF-8 has characters Windows-1252 lacks");
            Require(quotes ||
                        cell.find_first_of(std::string{table->separator, '\r', '\n'}) == std::string::npos,
                    "without quotes no cell holds a separator or a line end");
        }
    Require(text <= size, "the cells hold no more than the file");

    const ColumnMapping mapping = MapColumns(*table);
    Require(mapping.size() == (table->RowCount() ? table->ColumnCount(0) : 0), "one choice per header cell");
    Collection c = Small();
    const Collection before = c;
    const auto done = ImportTable(c, *table, mapping, 40000);
    if (!done) {
        Require(c.titles == before.titles && c.lists == before.lists && c.ListeIndex == before.ListeIndex,
                "a refused import changes nothing");
        for (const RefusedCell& cell : done.error().cells)
            Require(cell.row >= 2 && cell.row <= table->RowCount() && cell.column < mapping.size() &&
                        mapping[cell.column].has_value(),
                    "refusals point at mapped cells of data rows");
        Require((done.error().error == TableImportError::RefusedCells) == !done.error().cells.empty(),
                "refused cells are listed");
        return 0;
    }
    Require(done->first == before.Count() && c.Count() == before.Count() + done->count, "titles appended");
    tavrin::fuzz::RequireLinked(c, before.Count());
    tavrin::fuzz::RequireOrdered(c);
    for (std::size_t r = before.Count(); r < c.Count(); ++r) {
        const std::string_view title = c.RecordAt(r).TitleView();
        Require(!title.empty() && IsText(title) && UpperCp1252(title) == title, "titles are upper-case text");
    }
    for (ListId list : AllLists)
        for (const auto& name : c.List(list))
            Require(IsText(name) && UpperCp1252(name) == name, "names are upper-case text");
    return 0;
}
