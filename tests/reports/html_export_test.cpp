// The HTML export as a browser meets it: every page of every layout parsed by a real HTML parser
// (tidy), every link and picture naming a file that was written or copied; and the files written
// safely, failures named.
#include "reports/html_export.h"

#include "store/pictures/picture_codec.h"
#include "store/review_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace tavrin {
namespace {

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = test::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string ShellQuoted(const std::string& text) {
    std::string out = "'";
    for (char ch : text)
        out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return out + "'";
}

// Tidy's complaints that mean the page does not hold together; its remarks on old-fashioned but
// well-formed markup (CENTER, FRAMESET, attributes HTML5 dropped) do not count.
const std::array<const char*, 14> BrokenStructure{"discarding unexpected",
                                                  "missing </",
                                                  "inserting implicit",
                                                  "isn't allowed in",
                                                  "unescaped",
                                                  "unknown entity",
                                                  "replacing unexpected",
                                                  "missing '>'",
                                                  "unexpected end of",
                                                  "missing quote mark",
                                                  "duplicate quote mark",
                                                  "malformed URI",
                                                  "illegal characters",
                                                  "Error:"};

// The structural problems tidy finds in a page, one a line; empty when there are none.
std::string StructureProblems(const std::filesystem::path& page) {
    const std::string command = "tidy -q -e -win1252 " + ShellQuoted(page.string()) + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "tidy could not be run";
    std::string report;
    std::array<char, 4096> buffer;
    while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        report.append(buffer.data(), n);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 2 || report.find("not found") != std::string::npos)
        return "tidy is missing (scripts/packages installs it): " + report;
    std::string problems;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = std::min(report.find('\n', start), report.size());
        const std::string line = report.substr(start, end - start);
        for (const char* sign : BrokenStructure)
            if (line.find(sign) != std::string::npos) {
                problems += line + "\n";
                break;
            }
        start = end + 1;
    }
    if (WEXITSTATUS(status) == 2 && problems.empty()) problems = report;
    return problems;
}

std::string PercentDecoded(const std::string& reference) {
    std::string out;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        if (reference[i] == '%' && i + 2 < reference.size()) {
            out += static_cast<char>(std::stoi(reference.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += reference[i];
        }
    }
    return out;
}

// Every HREF and SRC of a page, as written.
std::vector<std::string> References(const std::string& page) {
    static const std::regex reference(R"((?:HREF|SRC)="([^"]*)\")");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), reference); it != std::sregex_iterator();
         ++it)
        out.push_back((*it)[1]);
    return out;
}

class HtmlExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folders_ = {dir_ / "MEDIAS", dir_ / "TEXT"};
        std::filesystem::create_directories(folders_.medias);
        std::filesystem::create_directories(folders_.text);
        test::WriteBytes(folders_.medias / "COVER #1 ?.JPG", {0xFF, 0xD8, 0xFF});
        test::WriteBytes(folders_.medias / "SHOT.GIF", {'G', 'I', 'F'});
        test::WriteBytes(dir_ / "SECRET.JPG", {1});
        collection_.List(ListId::Media) = {"COVER #1 ?.JPG", "SHOT.GIF", "../SECRET.JPG"};
        collection_.List(ListId::Director) = {"RIDLEY <B>SCOTT</B> & CO"};
        collection_.List(ListId::Publisher) = {"\"FOX\""};
        const std::array<const char*, 8> titles{"TOM & JERRY",
                                                "<SCRIPT>alert(1)</SCRIPT>",
                                                "ALIEN",
                                                "ALIEN",
                                                "\xC9T\xC9 #1 ? 100%",
                                                "LISTE_INDEX",
                                                "ALIEN",
                                                "../../ESCAPE"};
        for (std::size_t i = 0; i < titles.size(); ++i) {
            TitleRecord t = test::MakeTitle(titles[i], static_cast<std::uint16_t>(1980 + i));
            t.SetSupport(static_cast<std::uint8_t>(i % 4));
            t.SetDirector(0);
            t.SetPublisher(i % 2 == 0 ? 0 : -1);
            t.SetMedia1(static_cast<std::uint16_t>(i % 3));
            t.SetReviewNumber(1);
            AppendTitle(collection_, t);
            test::WriteBytes(ReviewFilePath(folders_.text, titles[i], 1),
                             test::Bytes("A <review>\r\n\r\n& more"));
        }
        // The review-file name of "../../ESCAPE" stays inside TEXT; this one outside must not be read.
        test::WriteBytes(dir_ / "ESCAPE1.TXT", test::Bytes("OUTSIDE"));
        for (std::uint16_t r = 0; r < collection_.Count(); ++r)
            browse_.push_back(r);
    }

    HtmlExportResult Export(const std::filesystem::path& chosen, ExportKind kind,
                            const HtmlOptions& options) {
        ExportChoices choices;
        choices.listName = "MY <LIST> & CO";
        choices.kind = kind;
        choices.details = DetailChoices::All();
        const ReportTexts texts{MessageCatalogue{}};
        const DateFormat dates("dd/MM/yyyy");
        const ReportContext context{collection_, texts, dates};
        return WriteHtmlExport(chosen, context, browse_, choices, options, folders_, false);
    }

    test::TempDir dir_;
    HtmlFolders folders_;
    Collection collection_;
    std::vector<std::uint16_t> browse_;
};

TEST_F(HtmlExportTest, EveryLayoutParsesAndEveryReferenceIsThere) {
    struct Layout {
        const char* name;
        ExportKind kind;
        bool multiPage, frames;
        PicturePlace place;
    };
    const Layout layouts[] = {
        {"titles", ExportKind::JustTheTitles, false, false, PicturePlace::Right},
        {"single-right", ExportKind::OtherInformations, false, false, PicturePlace::Right},
        {"single-left", ExportKind::OtherInformations, false, false, PicturePlace::Left},
        {"single-none", ExportKind::OtherInformations, false, false, PicturePlace::None},
        {"multi-left", ExportKind::OtherInformations, true, false, PicturePlace::Left},
        {"frames-right", ExportKind::OtherInformations, true, true, PicturePlace::Right},
        {"frames-none", ExportKind::OtherInformations, true, true, PicturePlace::None},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        const auto folder = dir_ / "out" / layout.name;
        std::filesystem::create_directories(folder);
        HtmlOptions options;
        options.multiPage = layout.multiPage;
        options.frames = layout.frames;
        options.pictures = true;
        options.place = layout.place;
        options.backgroundImage = "back ground.jpg";
        const auto result = Export(folder / "Alien.htm", layout.kind, options);
        ASSERT_TRUE(result.failures.empty());
        EXPECT_TRUE(CopyPictures(result.pictures, folder, nullptr, {}).empty());
        EXPECT_EQ(result.written.size(), layout.multiPage ? browse_.size() + 1 + layout.frames : 1);

        std::set<std::filesystem::path> onDisk;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            onDisk.insert(entry.path().filename());
        for (const auto& page : result.written) {
            SCOPED_TRACE(page.filename().string());
            EXPECT_EQ(StructureProblems(page), "");
            const std::string text = ReadText(page);
            EXPECT_EQ(text.find("<SCRIPT"), std::string::npos);
            EXPECT_EQ(text.find("OUTSIDE"), std::string::npos);
            EXPECT_EQ(text.find("SECRET"), std::string::npos);
            for (const std::string& reference : References(text)) {
                if (reference.starts_with("mailto:") || reference == "back%20ground.jpg") continue;
                const std::string name = PercentDecoded(reference);
                EXPECT_TRUE(onDisk.contains(std::filesystem::path(std::u8string(name.begin(), name.end()))))
                    << reference;
            }
        }
        if (layout.multiPage) {
            // One page per title besides the chosen file (and the frame index): no page replaced another.
            EXPECT_EQ(onDisk.size(), browse_.size() + 1 + layout.frames + result.pictures.size());
        }
        EXPECT_FALSE(onDisk.contains("SECRET.JPG"));
    }
}

TEST_F(HtmlExportTest, FailuresAreNamedAndTheOtherFilesWritten) {
    const auto folder = dir_ / "out";
    std::filesystem::create_directories(folder / "ALIEN1.htm"); // a folder where a page should go
    HtmlOptions options;
    options.multiPage = true;
    const auto result = Export(folder / "index.htm", ExportKind::OtherInformations, options);
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, (folder / "ALIEN1.htm").string());
    EXPECT_EQ(result.written.size(), browse_.size()); // the index and every other page
}

TEST_F(HtmlExportTest, AnExportOverAnOlderOneLeavesTheSameFilesAsIntoAnEmptyFolder) {
    // Frames with pictures into an empty folder; the same over an export without pictures, one
    // of whose pages was damaged since, and over that of the same choices.
    HtmlOptions older, newer;
    older.multiPage = newer.multiPage = true;
    older.frames = newer.frames = true;
    newer.pictures = true;
    const auto fresh = dir_ / "fresh", over = dir_ / "over";
    std::filesystem::create_directories(fresh);
    std::filesystem::create_directories(over);
    const auto written = Export(fresh / "index.htm", ExportKind::OtherInformations, newer);
    ASSERT_TRUE(written.failures.empty());
    ASSERT_TRUE(CopyPictures(written.pictures, fresh, nullptr, {}).empty());
    ASSERT_TRUE(Export(over / "index.htm", ExportKind::OtherInformations, older).failures.empty());
    test::WriteBytes(over / "ALIEN1.htm", {'<'});
    const auto files = [](const std::filesystem::path& folder) {
        std::map<std::string, std::vector<std::uint8_t>> contents;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            contents[entry.path().filename().string()] = test::ReadBytes(entry.path());
        return contents;
    };
    for (int round = 0; round < 2; ++round) {
        const auto again = Export(over / "index.htm", ExportKind::OtherInformations, newer);
        ASSERT_TRUE(again.failures.empty());
        EXPECT_EQ(again.written.size(), written.written.size());
        ASSERT_TRUE(CopyPictures(again.pictures, over, nullptr, {}).empty());
        EXPECT_EQ(files(over), files(fresh)) << "round " << round;
    }
}

TEST_F(HtmlExportTest, PicturesReplaceOlderOnesAndAreNeverCopiedOntoThemselves) {
    const auto folder = dir_ / "out";
    std::filesystem::create_directories(folder);
    test::WriteBytes(folder / "SHOT.GIF", {'o', 'l', 'd'});
    const std::vector<CoverPicture> pictures{{"SHOT.GIF", folders_.medias / "SHOT.GIF"}};
    EXPECT_TRUE(CopyPictures(pictures, folder, nullptr, {}).empty());
    EXPECT_EQ(test::ReadBytes(folder / "SHOT.GIF"), (std::vector<std::uint8_t>{'G', 'I', 'F'}));

    // Pages exported into the medias folder itself: the picture stays as it is.
    EXPECT_TRUE(CopyPictures(pictures, folders_.medias, nullptr, {}).empty());
    EXPECT_EQ(test::ReadBytes(folders_.medias / "SHOT.GIF"), (std::vector<std::uint8_t>{'G', 'I', 'F'}));

    const std::vector<CoverPicture> gone{{"GONE.JPG", folders_.medias / "GONE.JPG"}};
    ASSERT_EQ(CopyPictures(gone, folder, nullptr, {}).size(), 1u);
}

TEST_F(HtmlExportTest, EveryCoverIsShownThoseBrowsersCannotShowAsPng) {
    struct Cover {
        const char* entry;
        const char* shown; // the file the page shows, empty for none
        bool converted;
    };
    const Cover covers[] = {
        {"A.BMP", "A.PNG", true},  {"B.TGA", "B.PNG", true},  {"C.PCX", "C.PNG", true},
        {"D.JPG", "D.JPG", false}, {"E.GIF", "E.GIF", false}, {"F.PNG", "F.PNG", false},
        {"F.BMP", "F1.PNG", true}, // another picture's name: numbered on
        {"BAD.TGA", "", true},     // no picture: a failure, nothing beside the pages
    };
    // Converts anything but the bad picture into bytes that tell what it was made from.
    int conversions = 0;
    PictureCodec codec;
    codec.convert = [&conversions](std::span<const std::uint8_t> bytes, std::string_view extension,
                                   std::string_view format) -> std::optional<EncodedPicture> {
        ++conversions;
        const std::string text(bytes.begin(), bytes.end());
        if (text == "BAD.TGA") return std::nullopt;
        return EncodedPicture{
            test::Bytes(std::string(format) + " of " + std::string(extension) + " " + text)};
    };
    collection_ = Collection{};
    browse_.clear();
    for (std::size_t i = 0; i < std::size(covers) * 2; ++i) {
        const Cover& cover = covers[i % std::size(covers)];
        if (i < std::size(covers)) {
            collection_.List(ListId::Media).push_back(cover.entry);
            test::WriteBytes(folders_.medias / cover.entry, test::Bytes(cover.entry));
        }
        TitleRecord t = test::MakeTitle(("T" + std::to_string(i)).c_str());
        t.SetMedia1(static_cast<std::uint16_t>(i % std::size(covers)));
        AppendTitle(collection_, t);
        browse_.push_back(static_cast<std::uint16_t>(i));
    }
    HtmlOptions options;
    options.pictures = true;
    const auto folder = dir_ / "out";
    std::filesystem::create_directories(folder);
    std::map<std::filesystem::path, std::vector<std::uint8_t>> first;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const auto result = Export(folder / "LIST.htm", ExportKind::OtherInformations, options);
        const auto failures = CopyPictures(result.pictures, folder, &codec, {});
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].path, (folders_.medias / "BAD.TGA").string());
        EXPECT_EQ(conversions, 5 * (round + 1)); // each picture once, though two titles show it
        const std::string page = ReadText(folder / "LIST.htm");
        for (const Cover& cover : covers) {
            SCOPED_TRACE(cover.entry);
            if (!*cover.shown) continue;
            EXPECT_NE(page.find(std::string("SRC=\"") + cover.shown + "\""), std::string::npos);
            const std::string made = cover.converted ? std::string("png of ") + (cover.entry + 2) + " " : "";
            EXPECT_EQ(test::ReadBytes(folder / cover.shown), test::Bytes(made + cover.entry));
        }
        std::map<std::filesystem::path, std::vector<std::uint8_t>> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            files[entry.path().filename()] = test::ReadBytes(entry.path());
        EXPECT_EQ(files.size(), 8u); // the page and seven pictures
        if (round == 0)
            first = files;
        else
            EXPECT_EQ(files, first);
    }
    // Pages in the medias folder itself: a PNG of the user's there is not replaced.
    test::WriteBytes(folders_.medias / "A.PNG", {'m', 'i', 'n', 'e'});
    const auto result = Export(folders_.medias / "LIST.htm", ExportKind::OtherInformations, options);
    EXPECT_EQ(CopyPictures(result.pictures, folders_.medias, &codec, {}).size(), 2u);
    EXPECT_EQ(test::ReadBytes(folders_.medias / "A.PNG"), (std::vector<std::uint8_t>{'m', 'i', 'n', 'e'}));
}

} // namespace
} // namespace tavrin
