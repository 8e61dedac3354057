#include "store/files/table_reader.h"

#include "store/large_blocks.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tavrin {
namespace {

constexpr std::uint8_t Bom[] = {0xEF, 0xBB, 0xBF};

// Shortest forms only, no surrogates, nothing above U+10FFFF: anything else is not UTF-8, and
// a Windows-1252 text with accents almost never passes.
bool IsUtf8(const std::uint8_t* p, const std::uint8_t* end) {
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const std::uint8_t b = *p;
        int extra;
        std::uint8_t low = 0x80, high = 0xBF; // the range of the second byte
        if (b >= 0xC2 && b <= 0xDF)
            extra = 1;
        else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            if (b == 0xE0) low = 0xA0;
            if (b == 0xED) high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            if (b == 0xF0) low = 0x90;
            if (b == 0xF4) high = 0x8F;
        } else
            return false;
        if (end - p <= extra || p[1] < low || p[1] > high) return false;
        for (int k = 2; k <= extra; ++k)
            if ((p[k] & 0xC0) != 0x80) return false;
        p += extra + 1;
    }
    return true;
}

// The separator the header line uses most, outside quotes; TAB when it has none.
char HeaderSeparator(const std::uint8_t* p, const std::uint8_t* end) {
    std::size_t tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (; p < end; ++p) {
        const std::uint8_t c = *p;
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\r' || c == '\n')
            break;
        else if (c == '\t')
            ++tabs;
        else if (c == ';')
            ++semicolons;
        else if (c == ',')
            ++commas;
    }
    if (commas > tabs && commas > semicolons) return ',';
    if (semicolons > tabs) return ';';
    return '\t';
}

} // namespace

// Gathers the cells into the table's one text buffer, converting UTF-8 as it goes.
class TableBuilder {
  public:
    // cells and rows: at least as many as the table will have. The blocks are filled at once, so
    // they are asked for as large pages where the system has them.
    TableBuilder(Table& table, bool utf8, std::size_t size, std::size_t cells, std::size_t rows)
        : t_(table), utf8_(utf8) {
        t_.text_.reserve(size);
        AdviseLargePages(t_.text_.data(), size);
        ReserveLargeBlock(t_.cells_, cells);
        ReserveLargeBlock(t_.rowStarts_, rows + 1);
        t_.rowStarts_.push_back(0);
    }
    void BeginCell() {
        begin_ = t_.text_.size();
        foreign_ = false;
        foreignText_.clear();
    }
    void Append(const std::uint8_t* p, const std::uint8_t* end) {
        if (!utf8_) {
            t_.text_.append(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p));
            return;
        }
        // The pieces are cut at ASCII bytes only, so every sequence in them is whole (and valid).
        while (p < end) {
            const std::uint8_t* ascii = p;
            while (p < end && *p < 0x80)
                ++p;
            t_.text_.append(reinterpret_cast<const char*>(ascii), static_cast<std::size_t>(p - ascii));
            if (p == end) break;
            const int extra = *p >= 0xF0 ? 3 : *p >= 0xE0 ? 2 : 1;
            char32_t cp = *p & (0x3F >> extra);
            for (int k = 1; k <= extra; ++k)
                cp = cp << 6 | (p[k] & 0x3F);
            const std::string_view sequence(reinterpret_cast<const char*>(p),
                                            static_cast<std::size_t>(extra) + 1);
            p += extra + 1;
            const int byte = Cp1252FromCodePoint(cp);
            if (byte < 0) {
                foreign_ = true;
                // Whole sequences only, so a match is always a whole character.
                if (foreignText_.find(sequence) == std::string::npos) foreignText_ += sequence;
            }
            t_.text_.push_back(byte < 0 ? '?' : static_cast<char>(byte));
        }
    }
    void AppendQuote() { t_.text_.push_back('"'); }
    void EndCell() {
        auto size = static_cast<std::uint32_t>(t_.text_.size() - begin_);
        if (foreign_) {
            size |= Table::ForeignBit;
            t_.foreign_.emplace_back(static_cast<std::uint32_t>(t_.cells_.size()), foreignText_);
        }
        t_.cells_.push_back({static_cast<std::uint32_t>(begin_), size});
    }
    void EndRow() { t_.rowStarts_.push_back(static_cast<std::uint32_t>(t_.cells_.size())); }

  private:
    Table& t_;
    bool utf8_;
    std::size_t begin_ = 0;
    bool foreign_ = false;
    std::string foreignText_; // the cell's characters without a byte, each once
};

std::string_view Table::Cell(std::size_t row, std::size_t column) const {
    if (column >= ColumnCount(row)) return {};
    const Span& s = cells_[rowStarts_[row] + column];
    return std::string_view(text_).substr(s.begin, s.size & ~ForeignBit);
}

bool Table::Unconvertible(std::size_t row, std::size_t column) const {
    return column < ColumnCount(row) && (cells_[rowStarts_[row] + column].size & ForeignBit) != 0;
}

std::string_view Table::UnconvertibleCharacters(std::size_t row, std::size_t column) const {
    if (!Unconvertible(row, column)) return {};
    const auto cell = static_cast<std::uint32_t>(rowStarts_[row] + column);
    const auto found = std::lower_bound(foreign_.begin(), foreign_.end(), cell,
                                        [](const auto& entry, std::uint32_t k) { return entry.first < k; });
    return found != foreign_.end() && found->first == cell ? std::string_view(found->second)
                                                           : std::string_view();
}

Expected<Table, TableFailure> ReadTable(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > MaxTableBytes) return Unexpected{TableFailure{TableError::TooLarge}};
    const std::uint8_t* p = bytes.data();
    const std::uint8_t* const end = p + bytes.size();
    Table table;
    table.byteOrderMark = bytes.size() >= 3 && std::memcmp(p, Bom, 3) == 0;
    if (table.byteOrderMark) p += 3;
    // Even after a byte-order mark, a text with broken sequences is read byte by byte.
    const bool utf8 = IsUtf8(p, end);
    table.encoding = utf8 ? TableEncoding::Utf8 : TableEncoding::Windows1252;
    const char sep = table.separator = HeaderSeparator(p, end);
    const auto plain = [sep](std::uint8_t c) { return c != sep && c != '\r' && c != '\n'; };

    // Every cell ends at a separator, a line end or the end of the file.
    std::size_t breaks = 0, lines = 1;
    for (const std::uint8_t* q = p; q < end; ++q) {
        breaks += *q == sep;
        lines += *q == '\n' || *q == '\r';
    }
    TableBuilder b(table, utf8, static_cast<std::size_t>(end - p), breaks + lines + 1, lines);
    std::size_t row = 0;
    while (p < end) {
        for (;;) {
            b.BeginCell();
            if (*p == '"') {
                // Quoted: up to the closing quote, a doubled quote standing for one; whatever follows
                // the closing quote up to the separator is kept as it is, as spreadsheets do.
                ++p;
                for (;;) {
                    const auto* q = static_cast<const std::uint8_t*>(
                        std::memchr(p, '"', static_cast<std::size_t>(end - p)));
                    if (!q) return Unexpected{TableFailure{TableError::UnclosedQuote, row + 1}};
                    b.Append(p, q);
                    p = q + 1;
                    if (p == end || *p != '"') break;
                    b.AppendQuote();
                    ++p;
                }
            }
            const std::uint8_t* start = p;
            while (p < end && plain(*p))
                ++p;
            b.Append(start, p);
            b.EndCell();
            if (p < end && *p == sep) {
                ++p;
                if (p < end) continue;
                b.BeginCell(); // the separator ends the file: one more, empty, cell
                b.EndCell();
            }
            break;
        }
        if (p < end && *p == '\r') ++p;
        if (p < end && *p == '\n') ++p;
        b.EndRow();
        ++row;
    }
    return table;
}

Expected<std::vector<std::uint8_t>, FileFailure> ReadTableFile(const std::filesystem::path& path) {
    return ReadFileBytes(path, MaxTableBytes);
}

} // namespace tavrin
