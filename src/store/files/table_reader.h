// Tables as spreadsheets write them: CSV (RFC 4180: quoted cells may hold the separator, doubled
// quotes and line breaks; comma or semicolon) and tab-separated text, this program's spreadsheet
// export among them. The separator is the one the header line uses most (TAB, then semicolon, then
// comma on a tie); rows end with CR LF, LF or a lone CR. The text is UTF-8 when it is valid UTF-8
// throughout (after a byte-order mark, if any), Windows-1252 otherwise; the cells come out as
// Windows-1252, the records' encoding.
//
//   auto bytes = ReadTableFile(path);           // the whole file
//   auto table = ReadTable(*bytes);             // header in row 0, cells by row and column
//   std::string_view title = table->Cell(1, 0);
#pragma once

#include "store/expected.h"
#include "store/files/file_access.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrin {

// Larger files are not taken for tables (cell positions are kept in 31 bits).
inline constexpr std::size_t MaxTableBytes = std::size_t{1} << 30;

enum class TableEncoding { Utf8, Windows1252 };

class Table {
  public:
    std::size_t RowCount() const { return rowStarts_.empty() ? 0 : rowStarts_.size() - 1; }
    std::size_t ColumnCount(std::size_t row) const { return rowStarts_[row + 1] - rowStarts_[row]; }
    // The text of a cell, 8-bit; empty past the end of its row.
    std::string_view Cell(std::size_t row, std::size_t column) const;
    // True when the UTF-8 text of the cell held a character that Windows-1252 has no byte for (the
    // cell shows '?' in its place): such a cell cannot be stored.
    bool Unconvertible(std::size_t row, std::size_t column) const;
    // Those characters of the cell, each once in the order met, as UTF-8: what a refusal names.
    std::string_view UnconvertibleCharacters(std::size_t row, std::size_t column) const;

    TableEncoding encoding = TableEncoding::Utf8;
    bool byteOrderMark = false;
    char separator = '\t';

  private:
    friend class TableBuilder;
    static constexpr std::uint32_t ForeignBit = 0x80000000u;
    struct Span {
        std::uint32_t begin;
        std::uint32_t size; // ForeignBit: unconvertible
    };
    std::string text_;
    std::vector<Span> cells_;
    std::vector<std::uint32_t> rowStarts_;                       // first cell of each row, then the end
    std::vector<std::pair<std::uint32_t, std::string>> foreign_; // by cell index, ascending
};

enum class TableError {
    TooLarge,      // more than MaxTableBytes
    UnclosedQuote, // a quoted cell runs to the end of the file
};

struct TableFailure {
    TableError error;
    std::size_t row = 0; // UnclosedQuote: the row (1 = the header) where the cell opens
};

Expected<Table, TableFailure> ReadTable(std::span<const std::uint8_t> bytes);

// The bytes of a file, read as ReadFileBytes does; TooLarge when it is larger than MaxTableBytes.
Expected<std::vector<std::uint8_t>, FileFailure> ReadTableFile(const std::filesystem::path& path);

} // namespace tavrin
