// The Tellico export, read back with pugixml and libzip: every value in its field, the fields
// declared, the covers beside the XML.
#include "exchange/catalogue_import.h"
#include "exchange/catalogue_source.h"
#include "exchange/tellico_export.h"

#include "editing/open_collection.h"
#include "reports/report_fixture.h"
#include "store/md5.h"
#include "store/review_files.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A JPEG's start: JFIF marker, then a frame header of 40 by 30 pixels.
const Bytes Jpeg{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0,    1,    1,   0,
                 0,    1,    0,    1,    0,    0,    0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 30,  0x00,
                 40,   3,    1,    0x22, 0,    2,    0x11, 1,    3,    0x11, 1,    0xFF, 0xD9};
const Bytes ConvertedPng{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 'f', 'a', 'k', 'e'};

// ALIEN (the full LD, a JPEG cover and a review text), a DVD with a TGA cover, a VHS whose cover
// is missing.
class TellicoExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        c_ = test::ReportCollection();
        c_.List(ListId::Media) = {"ALIEN.JPG", "ETE.TGA", "GONE.JPG"};
        TitleRecord alien = test::FullLaserDisc();
        alien.SetMedia1(0);
        alien.SetReviewNumber(1);
        AppendTitle(c_, alien);

        TitleRecord dvd = test::MakeTitle("\xC9T\xC9 & <CO>", 2001);
        dvd.SetSupport(1);
        dvd.SetZone(2);
        dvd.SetStandard(1);
        dvd.SetDvdDd51(0b110); // English, French
        dvd.SetDvdDts(0b10);
        dvd.SetDvdSubtitles(0b10001000); // German, other
        dvd.SetSubtitled(true);
        dvd.SetMpaa(8);
        dvd.SetGenre(5);
        dvd.SetGenre2(5);
        dvd.SetColor(2);
        dvd.SetTrade(2);
        dvd.SetCavSides(1);
        dvd.SetAc3(true); // what its Dolby Digital and DTS tracks tell
        dvd.SetDts(true);
        dvd.SetMedia1(1);
        AppendTitle(c_, dvd);

        TitleRecord vhs = test::MakeTitle("GONE", 0);
        vhs.SetSupport(2);
        vhs.SetSound(1);
        vhs.SetAc3(true);
        vhs.SetSubtitled(true);
        vhs.SetMedia1(2);
        AppendTitle(c_, vhs);

        std::filesystem::create_directories(dir_ / "TEXT");
        std::filesystem::create_directories(dir_ / "MEDIAS");
        test::WriteBytes(ReviewFilePath(dir_ / "TEXT", "ALIEN", 1),
                         test::Bytes("First line\r\nA <b> & c\r\n"));
        test::WriteBytes(dir_ / "MEDIAS" / "ALIEN.JPG", Jpeg);
        test::WriteBytes(dir_ / "MEDIAS" / "ETE.TGA", test::Bytes("targa"));

        codec_.convert = [this](std::span<const std::uint8_t>, std::string_view extension,
                                std::string_view format) -> std::optional<EncodedPicture> {
            converted_.push_back(std::string(extension) + " to " + std::string(format));
            return EncodedPicture{ConvertedPng, 3, 2};
        };
        input_.collection = &c_;
        input_.records = order_;
        input_.textFolder = dir_ / "TEXT";
        input_.mediasFolder = dir_ / "MEDIAS";
        input_.codec = &codec_;
    }

    // The XML's entries, parsed.
    pugi::xml_node Parsed(const std::string& xml) {
        EXPECT_TRUE(doc_.load_string(xml.c_str())) << xml.substr(0, 300);
        return doc_.child("tellico").child("collection");
    }

    Collection c_;
    std::vector<std::uint16_t> order_{0, 1, 2};
    test::TempDir dir_;
    PictureCodec codec_;
    std::vector<std::string> converted_;
    TellicoExportInput input_;
    pugi::xml_document doc_;
};

// The texts the XPath selects in node, joined by '|'.
std::string All(const pugi::xml_node& node, const char* xpath) {
    std::string joined;
    bool first = true;
    for (const pugi::xpath_node& n : node.select_nodes(xpath)) {
        joined += (first ? "" : "|") + std::string(n.node().text().get());
        first = false;
    }
    return joined;
}

TEST_F(TellicoExportTest, EveryValueGoesIntoItsField) {
    const TellicoDocument document = TellicoXml(input_);
    const pugi::xml_node collection = Parsed(document.xml);
    EXPECT_STREQ(collection.attribute("type").value(), "3");
    EXPECT_STREQ(doc_.child("tellico").attribute("syntaxVersion").value(), "11");
    std::vector<pugi::xml_node> entries;
    for (pugi::xml_node entry : collection.children("entry"))
        entries.push_back(entry);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_STREQ(entries[2].attribute("id").value(), "3");

    const auto md5 = Md5Hex(Jpeg), png = Md5Hex(ConvertedPng);
    const std::tuple<int, const char*, std::string> cases[] = {
        {0, "title", "ALIEN"},
        {0, "medium", "LaserDisc"},
        {0, "years/year", "1979"},
        {0, "running-time", "117"},
        {0, "genres/genre", "Science Fiction|Horror"},
        {0, "certification", "R (USA)"},
        {0, "region", ""},
        {0, "format", "NTSC"},
        {0, "directors/director", "RIDLEY SCOTT"},
        {0, "composers/composer", "JERRY GOLDSMITH"},
        {0, "studios/studio", "FOX"},
        {0, "casts/cast/column[1]", "SIGOURNEY WEAVER|TOM SKERRITT|JOHN HURT|IAN HOLM|YAPHET KOTTO"},
        {0, "casts/cast/column[2]", "||||"},
        {0, "aspect-ratios/aspect-ratio", "1.85:1"},
        {0, "widescreen", "true"},
        {0, "directors-cut", ""},
        {0, "color", "Color"},
        {0, "sound", "Dolby Surround"},
        {0, "audio-tracks/audio-track", "Dolby Digital"},
        {0, "languages/language", ""},
        {0, "rating", "5"},
        {0, "picture-rating", "4"},
        {0, "sound-rating", "3"},
        {0, "pur_date", "2000-01-01"},
        {0, "pur_price", "49.99"},
        {0, "viewings", "3"},
        {0, "seen", "true"},
        {0, "watch-date[@calendar='gregorian']/*", "2001|01|01"},
        {0, "cav-sides", "1"},
        {0, "clv-sides", "2"},
        {0, "series", "ALIEN LEGACY"},
        {0, "retailer", "LASER WORLD"},
        {0, "info", "WIDESCREEN EDITION"},
        {0, "info2", "SECOND PRESSING"},
        {0, "trade", ""},
        {0, "features/feature", "THX|Used|Dubbed|Audio Commentary|Trailer|Multi Angle"},
        {0, "comments", "First line<br/>A &lt;b> & c<br/>"},
        {0, "cover", md5 + ".jpeg"},
        {1, "title", "\xC3\x89T\xC3\x89 & <CO>"},
        {1, "medium", "DVD"},
        {1, "region", "Region 2"},
        {1, "format", "PAL"},
        {1, "genres/genre", "Comedy"},
        {1, "certification", "16"},
        {1, "color", "Color and B&W"},
        {1, "languages/language", "English|French"},
        {1, "audio-tracks/audio-track", "Dolby Digital 5.1|DTS 5.1"},
        {1, "subtitles/subtitle", "German|Other"},
        {1, "features/feature", ""},
        {1, "trade", "To sell"},
        {1, "cav-sides", "1"},
        {1, "viewings", ""},
        {1, "cover", png + ".png"},
        {2, "years", ""},
        {2, "medium", "VHS"},
        {2, "certification", "U (USA)"},
        {2, "sound", "Stereo"},
        {2, "audio-tracks/audio-track", "Dolby Digital"},
        {2, "features/feature", "Subtitled"},
        {2, "directors", ""},
        {2, "casts", ""},
        {2, "pur_date", ""},
        {2, "cover", ""},
    };
    for (const auto& [entry, path, expected] : cases)
        EXPECT_EQ(All(entries[static_cast<std::size_t>(entry)], path), expected) << entry << " " << path;

    EXPECT_EQ(converted_, std::vector<std::string>{"TGA to png"});
    const std::vector<LeftOutCover> leftOut{{"GONE.JPG", "not found in the multimedia folder"}};
    EXPECT_EQ(document.coversLeftOut, leftOut);
    EXPECT_EQ(All(collection, "images/image"), "|"); // two, their bytes in the zip
    std::string images;
    for (const pugi::xpath_node& n : collection.select_nodes("images/image"))
        for (const char* a : {"format", "id", "width", "height"})
            images += std::string(n.node().attribute(a).value()) + " ";
    EXPECT_EQ(images, "JPEG " + md5 + ".jpeg 40 30 PNG " + png + ".png 3 2 ");
}

TEST_F(TellicoExportTest, FieldsDeclareWhatTheEntriesHold) {
    const pugi::xml_node fields = Parsed(TellicoXml(input_).xml).child("fields");
    std::string names;
    for (const pugi::xml_node field : fields.children("field"))
        names += std::string(field.attribute("name").value()) + " ";
    EXPECT_EQ(names,
              "_default medium region certification color sound trade comments cav-sides clv-sides feature "
              "dvd-audio picture-rating sound-rating seen viewings watch-date series retailer info info2 ");
    const pugi::xml_node medium = fields.find_child_by_attribute("field", "name", "medium");
    EXPECT_STREQ(medium.attribute("allowed").value(), "DVD;VHS;VCD;DivX;Blu-ray;HD DVD;LaserDisc;Video CD");
    EXPECT_STREQ(medium.attribute("type").value(), "3");
    const pugi::xml_node marks = fields.find_child_by_attribute("field", "name", "sound-rating");
    EXPECT_EQ(All(marks, "prop[@name='minimum']|prop[@name='maximum']"), "1|5");
    const pugi::xml_node audio = fields.find_child_by_attribute("field", "name", "dvd-audio");
    EXPECT_EQ(All(audio, "prop"), "Language|Format|2");
    // Every element of an entry is a default field of a video collection or a declared one.
    const std::string defaults =
        " title medium years running-time genres certification region format directors "
        "composers studios casts aspect-ratios widescreen directors-cut color languages "
        "audio-tracks subtitles rating pur_date pur_price cover ";
    for (const pugi::xml_node entry : fields.parent().children("entry"))
        for (const pugi::xml_node value : entry.children()) {
            std::string name = value.name();
            const bool declared =
                fields.find_child_by_attribute("field", "name", name.c_str()) ||
                (name.ends_with('s') &&
                 fields.find_child_by_attribute("field", "name", name.substr(0, name.size() - 1).c_str()));
            EXPECT_TRUE(declared || defaults.find(" " + name + " ") != std::string::npos) << name;
        }
}

TEST_F(TellicoExportTest, ZipHoldsTheXmlThenTheImages) {
    std::vector<LeftOutCover> leftOut;
    const Bytes file = TellicoZip(input_, &leftOut);
    EXPECT_EQ(leftOut.size(), 1u);
    EXPECT_EQ(RecogniseCatalogue(file), CatalogueFormat::Tellico);

    std::vector<std::string> names;
    std::vector<Bytes> contents;
    for (auto& [name, bytes] : test::ZipMembers(file)) {
        names.push_back(name);
        contents.push_back(std::move(bytes));
    }

    const std::string jpeg = Md5Hex(Jpeg) + ".jpeg", png = Md5Hex(ConvertedPng) + ".png";
    EXPECT_EQ(names, (std::vector<std::string>{"tellico.xml", "images/", "images/" + jpeg, "images/" + png}));
    ASSERT_EQ(contents.size(), 4u);
    EXPECT_EQ(std::string(contents[0].begin(), contents[0].end()), TellicoXml(input_).xml);
    EXPECT_EQ(contents[2], Jpeg);
    EXPECT_EQ(contents[3], ConvertedPng);

    // Without a converter the TGA cover is left out and said so; the bare XML holds the JPEG.
    input_.codec = nullptr;
    const TellicoDocument bare = TellicoXml(input_, TellicoImages::Embedded);
    EXPECT_EQ(bare.coversLeftOut[0], (LeftOutCover{"ETE.TGA", "no converter for this kind of picture"}));
    EXPECT_EQ(All(Parsed(bare.xml), "images/image"),
              "/9j/4AAQSkZJRgABAQAAAQABAAD/wAARCAAeACgDASIAAhEBAxEB/9k=");
}

// Our own importer reads back what we wrote.
TEST_F(TellicoExportTest, ReadsBackThroughTheTellicoReader) {
    const auto read = ReadTellico(TellicoZip(input_));
    ASSERT_TRUE(read) << read.error().detail;
    ASSERT_EQ(read->titles.size(), 3u);
    const SourceTitle& alien = read->titles[0];
    EXPECT_EQ(alien.title, "ALIEN");
    EXPECT_EQ(alien.year, 1979);
    EXPECT_EQ(alien.length, 117);
    EXPECT_EQ(alien.medium, "LaserDisc");
    EXPECT_EQ(alien.standard, "NTSC");
    EXPECT_EQ(alien.aspectRatios, std::vector<std::string>{"1.85:1"});
    EXPECT_TRUE(alien.widescreen);
    EXPECT_EQ(alien.certification, "R (USA)");
    EXPECT_EQ(alien.genres, (std::vector<std::string>{"Science Fiction", "Horror"}));
    EXPECT_EQ(alien.directors, std::vector<std::string>{"RIDLEY SCOTT"});
    EXPECT_EQ(alien.actors.size(), 5u);
    EXPECT_EQ(alien.composers, std::vector<std::string>{"JERRY GOLDSMITH"});
    EXPECT_EQ(alien.publishers, std::vector<std::string>{"FOX"});
    EXPECT_EQ(alien.boxes, std::vector<std::string>{"ALIEN LEGACY"});
    EXPECT_EQ(alien.filmRating, "5");
    EXPECT_EQ(alien.ratingMaximum, 5);
    EXPECT_EQ(alien.buyDate, 36526);
    EXPECT_EQ(alien.price, "49.99");
    EXPECT_EQ(alien.cover.bytes, Jpeg);
    const SourceTitle& dvd = read->titles[1];
    EXPECT_EQ(dvd.title, "\xC3\x89T\xC3\x89 & <CO>");
    EXPECT_EQ(dvd.regions, std::vector<std::string>{"Region 2"});
    EXPECT_EQ(dvd.subtitles, (std::vector<std::string>{"German", "Other"}));
    EXPECT_EQ(dvd.cover.bytes, ConvertedPng);
}

// Our own file brought back into an empty collection gives every title its values again: marks,
// flags, sides, DVD languages with their formats, dates and the names by their texts.
TEST_F(TellicoExportTest, OurOwnFileComesBackWhole) {
    for (std::uint16_t r = 0; r < c_.Count(); ++r) {
        c_.RecordAt(r).SetWatchDate(40000 + r);
        c_.RecordAt(r).SetBuyDate(39000 + r);
    }
    // The DVD also speaks English in Dolby Digital 2.0 and French in PCM, and has a second genre
    // (one that repeats the first is written once).
    c_.RecordAt(1).SetGenre2(7);
    c_.RecordAt(1).SetDvdDd20(0b10);
    c_.RecordAt(1).SetDvdPcm(0b100);
    const auto read = ReadTellico(TellicoZip(input_));
    ASSERT_TRUE(read) << read.error().detail;

    std::filesystem::create_directories(dir_ / "back" / "TEXT");
    std::filesystem::create_directories(dir_ / "back" / "MEDIAS");
    OpenCollection open{Collection{}};
    CataloguePlan plan = PlanCatalogueImport(open.Data(), *read, {false, 46000, dir_ / "x.tc"});
    ASSERT_TRUE(ImportCatalogue(open, plan, {dir_ / "back" / "TEXT", dir_ / "back" / "MEDIAS"}, codec_,
                                std::nullopt));
    const Collection& back = open.Data();
    ASSERT_EQ(back.Count(), 3u);

    const auto nameList = [](std::string_view field) -> std::optional<ListId> {
        if (field == "Director") return ListId::Director;
        if (field.starts_with("Actor")) return ListId::Actor;
        if (field == "Composer") return ListId::Composer;
        if (field == "Box") return ListId::Box;
        if (field == "Info") return ListId::Info;
        if (field == "Info2") return ListId::Info2;
        if (field == "Retailer") return ListId::Retailer;
        if (field == "Publisher") return ListId::Publisher;
        return std::nullopt;
    };
    const auto name = [](const Collection& c, ListId list, std::uint16_t stored) {
        const int entry = EntryFromStored(stored);
        return entry < 0 || static_cast<std::size_t>(entry) >= c.List(list).size()
                   ? std::string()
                   : c.List(list)[static_cast<std::size_t>(entry)];
    };
    for (std::uint16_t r = 0; r < 3; ++r) {
        const TitleRecord& was = c_.RecordAt(r);
        const TitleRecord& now = back.RecordAt(r);
        for (const FieldInfo& field : TitleFields()) {
            // Files are copied under new names; the review text is written anew.
            if (field.name.starts_with("Media") || field.name == "ReviewNumber" ||
                field.kind == FieldKind::Reserved)
                continue;
            if (const auto list = nameList(field.name)) {
                const std::uint16_t a = was.U16(field.offset), b = now.U16(field.offset);
                EXPECT_EQ(name(c_, *list, a), name(back, *list, b)) << was.TitleView() << " " << field.name;
            } else {
                const std::size_t width = FieldWidth(field.kind);
                EXPECT_TRUE(std::equal(was.bytes.begin() + field.offset,
                                       was.bytes.begin() + field.offset + width,
                                       now.bytes.begin() + field.offset))
                    << was.TitleView() << " " << field.name;
            }
        }
    }
}

} // namespace
} // namespace tavrin
