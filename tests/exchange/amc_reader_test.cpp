// Ant Movie Catalog files written here byte by byte, read back value by value.
#include "exchange/catalogue_source.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The texts of a record in file order (Windows-1252), and its numbers.
struct AmcFilm {
    std::int32_t number = 1, added = 0, rating = -1, year = -1, length = -1;
    std::int32_t videoBitrate = -1, audioBitrate = -1, files = -1;
    std::array<std::string, 22> texts{};
    std::string picture;
};
enum {
    MediaLabel,
    MediaType,
    Source,
    Borrower,
    Original,
    Translated,
    Director,
    Producer,
    Country,
    Category,
    Actors,
    Url,
    Description,
    Comments,
    VideoFormat,
    AudioFormat,
    Resolution,
    FrameRate,
    Languages,
    Subtitles,
    FileSize,
    PictureExtension
};

void PutInt(Bytes& out, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}
void PutText(Bytes& out, std::string_view text) {
    PutInt(out, static_cast<std::int32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

Bytes Header(std::string_view version = "3.5") {
    std::string head =
        " AMC_" + std::string(version) + " Ant Movie Catalog 3.5.x   www.buypin.com    www.antp.be ";
    head.resize(65, ' ');
    Bytes out(head.begin(), head.end());
    for (std::string_view text : {"Owner", "owner@example.org", "http://example.org", "My films"})
        PutText(out, text);
    return out;
}

void PutFilm(Bytes& out, const AmcFilm& f) {
    for (std::int32_t n :
         {f.number, f.added, f.rating, f.year, f.length, f.videoBitrate, f.audioBitrate, f.files})
        PutInt(out, n);
    out.push_back(1); // checked
    for (const std::string& text : f.texts)
        PutText(out, text);
    PutText(out, f.picture);
}

Bytes File(const std::vector<AmcFilm>& films) {
    Bytes out = Header();
    for (const AmcFilm& f : films)
        PutFilm(out, f);
    return out;
}

AmcFilm FullFilm() {
    AmcFilm f;
    f.added = 36526;
    f.rating = 65;
    f.year = 1994;
    f.length = 107;
    f.videoBitrate = 1200;
    f.files = 2;
    f.texts[MediaLabel] = "CD 12";
    f.texts[MediaType] = "DVD";
    f.texts[Source] = "DVDRip";
    f.texts[Borrower] = "Anna";
    f.texts[Original] = "Harbour of Glass";
    f.texts[Translated] = "Port de verre";
    f.texts[Director] = "Irene Vasko, Piet Harmsen";
    f.texts[Producer] = "Ola Berg";
    f.texts[Country] = "Norway";
    f.texts[Category] = "Mystery, Drama";
    f.texts[Actors] = "Clara Holm (as Clara), Jon Dahl (Himself, older)\r\nMia \xC5sen";
    f.texts[Url] = "http://example.org/harbour";
    f.texts[Description] = "A harbour.\r\nA glass.";
    f.texts[Comments] = "Caf\xE9 scene cut";
    f.texts[VideoFormat] = "PAL";
    f.texts[AudioFormat] = "Dolby Digital 5.1";
    f.texts[Languages] = "English, French";
    f.texts[Subtitles] = "German";
    f.texts[FileSize] = "700 MB";
    f.texts[PictureExtension] = ".jpg";
    f.picture = "\xFF\xD8\xFF\xE0 picture";
    return f;
}

TEST(AmcReaderTest, EveryValueLandsWhereItBelongs) {
    AmcFilm bare;
    bare.texts[Translated] = "Salt Road";
    bare.texts[VideoFormat] = "XviD";
    bare.texts[AudioFormat] = "MP3";
    const Bytes file = File({FullFilm(), bare});
    ASSERT_EQ(RecogniseCatalogue(file), CatalogueFormat::AntMovieCatalog);
    const auto read = ReadCatalogue(CatalogueFormat::AntMovieCatalog, file);
    ASSERT_TRUE(read) << read.error().detail;
    EXPECT_EQ(read->format, CatalogueFormat::AntMovieCatalog);
    ASSERT_EQ(read->titles.size(), 2u);

    const SourceTitle& t = read->titles[0];
    EXPECT_EQ(t.title, "Harbour of Glass");
    EXPECT_EQ(t.year, 1994);
    EXPECT_EQ(t.length, 107);
    EXPECT_EQ(t.medium, "DVD");
    EXPECT_EQ(t.standard, "PAL");
    EXPECT_EQ(t.directors, (std::vector<std::string>{"Irene Vasko", "Piet Harmsen"}));
    EXPECT_EQ(t.genres, (std::vector<std::string>{"Mystery", "Drama"}));
    EXPECT_EQ(t.actors,
              (std::vector<SourcePerson>{
                  {"Clara Holm", "Clara"}, {"Jon Dahl", "Himself, older"}, {"Mia \xC3\x85sen", ""}}));
    EXPECT_EQ(t.audio, (std::vector<SourceAudio>{{"English", "Dolby Digital 5.1", ""},
                                                 {"French", "Dolby Digital 5.1", ""}}));
    EXPECT_EQ(t.subtitles, std::vector<std::string>{"German"});
    EXPECT_EQ(t.filmRating, "65");
    EXPECT_EQ(t.ratingMaximum, 100);
    EXPECT_EQ(t.buyDate, 36526);
    const std::string picture = FullFilm().picture;
    EXPECT_EQ(t.cover.bytes, Bytes(picture.begin(), picture.end()));
    EXPECT_EQ(t.cover.extension, "jpg");
    EXPECT_EQ(t.notes, (std::vector<SourceNote>{
                           {"Other titles", "Port de verre"},
                           {"Location", "CD 12"},
                           {"Producers", "Ola Berg"},
                           {"Country", "Norway"},
                           {"Lent to", "Anna"},
                           {"Web", "http://example.org/harbour"},
                           {"Plot", "A harbour.\nA glass."},
                           {"Comments", "Caf\xC3\xA9 scene cut\n\nSource: DVDRip\nVideo bitrate: 1200\n"
                                        "File size: 700 MB\nFiles: 2"},
                       }));

    // Only a translated title; a codec where the standard would be; no length, no rating.
    const SourceTitle& b = read->titles[1];
    EXPECT_EQ(b.title, "Salt Road");
    EXPECT_EQ(b.length, std::nullopt);
    EXPECT_EQ(b.standard, "");
    EXPECT_EQ(b.filmRating, "");
    EXPECT_EQ(b.buyDate, std::nullopt);
    EXPECT_EQ(b.audio, (std::vector<SourceAudio>{{"", "MP3", ""}}));
    EXPECT_TRUE(b.cover.Empty());
    EXPECT_EQ(b.notes, (std::vector<SourceNote>{{"Comments", "Video format: XviD"}}));
}

TEST(AmcReaderTest, EveryCutInsideARecordIsDamage) {
    const Bytes whole = File({FullFilm(), FullFilm()});
    const std::size_t headerEnd = Header().size();
    const std::size_t firstEnd = (whole.size() - headerEnd) / 2 + headerEnd;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const auto read = ReadAntMovieCatalog(std::span(whole).first(size));
        if (size < 5) {
            ASSERT_FALSE(read);
            EXPECT_EQ(read.error().error, CatalogueError::NotACatalogue) << size;
        } else if (size == headerEnd || size == firstEnd) {
            ASSERT_TRUE(read) << size;
            EXPECT_EQ(read->titles.size(), size == headerEnd ? 0u : 1u);
        } else {
            ASSERT_FALSE(read) << size;
            EXPECT_EQ(read.error().error, CatalogueError::Damaged) << size;
        }
    }
}

TEST(AmcReaderTest, BogusCountsVersionsAndHugePictures) {
    const auto failureOf = [](const Bytes& bytes) {
        const auto read = ReadAntMovieCatalog(bytes);
        return read ? std::optional<CatalogueError>() : read.error().error;
    };
    Bytes negative = Header();
    PutInt(negative, 1);
    PutInt(negative, -5); // a date before 1900 is no date, not damage
    negative.resize(negative.size() + 6 * 4 + 1, 0);
    PutInt(negative, -2); // but a text cannot have a negative length
    EXPECT_EQ(failureOf(negative), CatalogueError::Damaged);

    Bytes huge = Header();
    huge.resize(huge.size() + 8 * 4 + 1, 0);
    PutInt(huge, 0x7FFFFFFF);
    EXPECT_EQ(failureOf(huge), CatalogueError::Damaged);

    Bytes newer = Header("4.1");
    EXPECT_EQ(failureOf(newer), CatalogueError::TooNew);
    EXPECT_EQ(failureOf(Header("3.0")), CatalogueError::Damaged);
    EXPECT_EQ(failureOf(Header("x")), CatalogueError::Damaged);
    EXPECT_EQ(failureOf(Bytes{'<', 'x', '/', '>'}), CatalogueError::NotACatalogue);

    AmcFilm big = FullFilm();
    big.picture.assign(16u * 1024 * 1024 + 1, 'p');
    const auto read = ReadAntMovieCatalog(File({big}));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->titles[0].cover.Empty());
    EXPECT_EQ(read->titles[0].notes.back(), (SourceNote{"Cover", "a picture over 16 MB, left out"}));
}

} // namespace
} // namespace tavrin
