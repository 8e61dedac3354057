// Which program wrote a file, by its content alone.
#include "exchange/catalogue_source.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST(CatalogueRecognitionTest, FormatsByTheirContent) {
    using F = CatalogueFormat;
    const std::string tellico = "<?xml version=\"1.0\"?><tellico xmlns=\"http://periapsis.org/tellico/\"/>";
    const std::pair<Bytes, std::optional<F>> cases[] = {
        {test::MakeZip({{"tellico.xml", Of(tellico)}, {"images/a.png", Of("x")}}), F::Tellico},
        {test::MakeZip({{"other.xml", Of(tellico)}}), std::nullopt},
        {Of("PK\x03\x04 not a zip"), std::nullopt},
        {Of(" AMC_3.5 Ant Movie Catalog"), F::AntMovieCatalog},
        {Of("AMC_3.5"), std::nullopt},
        {Of("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tellico PUBLIC "
            "\"-//Robby Stephenson/DTD Tellico V11.0//EN\" "
            "\"http://periapsis.org/tellico/dtd/v11/tellico.dtd\">\n"
            "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">"),
         F::Tellico},
        {Of("<!DOCTYPE x [ <!ENTITY a \"<tellico>\"> ]><tc:tellico xmlns:tc=\"x\">"), F::Tellico},
        {Of("<collection type=\"GCfilms\" items=\"1\"><item/></collection>"), F::GCstar},
        {Of("<collection type='GCbooks'/>"), std::nullopt},
        {Of("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<!--DVD Profiler Collection Export-->\n"
            "<Collection>\n <!-- one --> <DVD><ID>1</ID></DVD></Collection>"),
         F::DvdProfiler},
        {Of("<DVD><ID>1</ID></DVD>"), F::DvdProfiler},
        {Of("<Collection><Book/></Collection>"), std::nullopt},
        {Of("<movieinfo "
            "creationdate=\"1/2/2020\"><moviemetadata/><movielist><movie/></movielist></movieinfo>"),
         F::Collectorz},
        {Of("<movieinfo><moviemetadata/></movieinfo>"), std::nullopt},
        {Of("<root>\n\t<movie>\n\t\t<title>x</title></movie></root>"), F::Griffith},
        {Of("<root><book/></root>"), std::nullopt},
        {Of("<root/>"), std::nullopt},
        {Of("<data-crow-objects><movie-items/></data-crow-objects>"), F::DataCrow},
        {Of("<library/>"), std::nullopt},
        {Of("Date,Name,Year,Letterboxd URI"), std::nullopt},
        {Of("<tellico"), std::nullopt},
        {Of("<!-- never closed <tellico/>"), std::nullopt},
        {Of("<collection type=\"GCfilms"), std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& [bytes, format] : cases)
        EXPECT_EQ(RecogniseCatalogue(bytes), format)
            << std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 60));
}

TEST(CatalogueRecognitionTest, FormatNamesAreTheReportsNames) {
    using F = CatalogueFormat;
    const std::pair<F, std::string_view> names[] = {
        {F::Tellico, "Tellico"},
        {F::GCstar, "GCstar"},
        {F::DvdProfiler, "DVD Profiler"},
        {F::Collectorz, "Collectorz"},
        {F::Griffith, "Griffith"},
        {F::DataCrow, "Data Crow"},
        {F::AntMovieCatalog, "Ant Movie Catalog"},
    };
    for (const auto& [format, name] : names)
        EXPECT_EQ(CatalogueFormatName(format), name);
}

} // namespace
} // namespace tavrin
