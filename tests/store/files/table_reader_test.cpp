#include "store/files/table_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Expected<Table, TableFailure> Read(std::string_view text) {
    return ReadTable({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

Rows Cells(const Table& table) {
    Rows rows(table.RowCount());
    for (std::size_t r = 0; r < table.RowCount(); ++r)
        for (std::size_t k = 0; k < table.ColumnCount(r); ++k)
            rows[r].emplace_back(table.Cell(r, k));
    return rows;
}

struct ReaderCase {
    const char* what;
    std::string_view bytes;
    char separator;
    TableEncoding encoding;
    Rows rows;
};

const ReaderCase ReaderCases[] = {
    {"our spreadsheet export: TAB, CR LF, a TAB after every value",
     "Title\tYear\r\nALIEN\t1979\t\r\n",
     '\t',
     TableEncoding::Utf8,
     {{"Title", "Year"}, {"ALIEN", "1979", ""}}},
    {"quoted cells hold the separator, doubled quotes and line breaks",
     "Title,Info\n\"HELLO, WORLD\",\"SAY \"\"HI\"\"\"\n\"TWO\r\nLINES\",x\n",
     ',',
     TableEncoding::Utf8,
     {{"Title", "Info"}, {"HELLO, WORLD", "SAY \"HI\""}, {"TWO\r\nLINES", "x"}}},
    {"semicolons outnumber the commas of a quoted header",
     "\"Title, main\";Year;Box\nA,B;1;\n",
     ';',
     TableEncoding::Utf8,
     {{"Title, main", "Year", "Box"}, {"A,B", "1", ""}}},
    {"what follows a closing quote is kept; a quote inside a cell is text",
     "a,b\n\"AB\"CD,E\"F\n",
     ',',
     TableEncoding::Utf8,
     {{"a", "b"}, {"ABCD", "E\"F"}}},
    {"UTF-8 with a byte-order mark comes out as Windows-1252",
     "\xEF\xBB\xBFTitre\n\xC3\x89T\xC3\x89 \xE2\x82\xAC\n",
     '\t',
     TableEncoding::Utf8,
     {{"Titre"}, {"\xC9T\xC9 \x80"}}},
    {"bytes that are not UTF-8 are Windows-1252 already",
     "Titre\n\xC9T\xC9\n",
     '\t',
     TableEncoding::Windows1252,
     {{"Titre"}, {"\xC9T\xC9"}}},
    {"an overlong sequence is not UTF-8",
     "A\n\xC0\xAF\n",
     '\t',
     TableEncoding::Windows1252,
     {{"A"}, {"\xC0\xAF"}}},
    {"lone CRs end rows, a last row needs no line end, a blank line is a row",
     "a;b\rc;d\r\r e ;f",
     ';',
     TableEncoding::Utf8,
     {{"a", "b"}, {"c", "d"}, {""}, {" e ", "f"}}},
    {"a separator at the very end opens one more empty cell",
     "a,b\n1,",
     ',',
     TableEncoding::Utf8,
     {{"a", "b"}, {"1", ""}}},
    {"an empty file has no rows", "", '\t', TableEncoding::Utf8, {}},
};

TEST(TableReaderTest, ReadsSeparatorsQuotesEncodingsAndLineEnds) {
    for (const auto& c : ReaderCases) {
        SCOPED_TRACE(c.what);
        const auto table = Read(c.bytes);
        ASSERT_TRUE(table.has_value());
        EXPECT_EQ(table->separator, c.separator);
        EXPECT_EQ(table->encoding, c.encoding);
        EXPECT_EQ(Cells(*table), c.rows);
    }
}

TEST(TableReaderTest, MarksCellsWindows1252CannotHold) {
    const auto table = Read("Title\tInfo\n\xE2\x98\x83 SNOW\t\xC3\xA9t\xC3\xA9\n");
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->Cell(1, 0), "? SNOW");
    EXPECT_TRUE(table->Unconvertible(1, 0));
    EXPECT_EQ(table->UnconvertibleCharacters(1, 0), "\xE2\x98\x83");
    EXPECT_FALSE(table->Unconvertible(1, 1));
    EXPECT_EQ(table->UnconvertibleCharacters(1, 1), "");
    EXPECT_EQ(table->Cell(1, 1), "\xE9t\xE9");
    EXPECT_FALSE(table->Unconvertible(1, 5));
    EXPECT_EQ(table->Cell(1, 5), "");
}

TEST(TableReaderTest, RefusesAQuoteThatIsNeverClosed) {
    const auto table = Read("Title\nA\n\"OPEN\nB\nC\n");
    ASSERT_FALSE(table.has_value());
    EXPECT_EQ(table.error().error, TableError::UnclosedQuote);
    EXPECT_EQ(table.error().row, 3u);
}

} // namespace
} // namespace tavrin
