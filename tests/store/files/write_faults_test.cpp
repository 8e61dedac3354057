// Every writer of the program under injected faults: each system call of the safe writer in turn
// fails (and each write in turn comes up short), and the files on disk stay whole.
#include "editing/title_editor_model.h"
#include "lang/write_failure.h"
#include "reports/html_export.h"
#include "reports/list_export.h"
#include "store/files/collection_file.h"
#include "store/files/file_access.h"
#include "store/files/name_list_file.h"
#include "store/files/recovery_copy.h"
#include "store/title_exchange.h"

#include "reports/report_fixture.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <map>

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using Folder = std::map<std::string, std::vector<std::uint8_t>>;

enum class Fault {
    Fails,        // the call fails outright
    ComesUpShort, // a write writes half of its bytes and reports the failure
};

// The call to fail, counted from 1 over every call the writers make (over the writes alone for a
// short write), and whether a run reached it.
struct FaultPlan {
    Fault fault = Fault::Fails;
    int failing = 0;
    int made = 0;
    bool hit = false;
    bool linkHit = false; // the failing call was a link, which a copy stands in for
};
FaultPlan plan;
const WriterCalls real = SystemWriterCalls();

enum class Call { Write, Link, Other };

bool FailsNow(Call call) {
    if (plan.fault == Fault::ComesUpShort && call != Call::Write) return false;
    if (++plan.made != plan.failing) return false;
    plan.hit = true;
    plan.linkHit = call == Call::Link;
    return true;
}

constexpr WriterCalls Faulty{
    [](const fs::path& path) -> std::FILE* {
        if (!FailsNow(Call::Other)) return real.create(path);
        errno = EACCES;
        return nullptr;
    },
    [](const void* data, std::size_t size, std::FILE* f) -> std::size_t {
        if (!FailsNow(Call::Write)) return real.write(data, size, f);
        const std::size_t written = plan.fault == Fault::ComesUpShort ? real.write(data, size / 2, f) : 0;
        errno = ENOSPC;
        return written;
    },
    [](std::FILE* f) {
        if (!FailsNow(Call::Other)) return real.flush(f);
        errno = ENOSPC;
        return EOF;
    },
    [](std::FILE* f) {
        if (!FailsNow(Call::Other)) return real.sync(f);
        errno = EIO;
        return -1;
    },
    [](std::FILE* f) {
        // The stream is gone even when its close fails.
        const int closed = real.close(f);
        if (!FailsNow(Call::Other)) return closed;
        errno = EIO;
        return EOF;
    },
    [](const fs::path& from, const fs::path& to, std::error_code& ec) {
        if (!FailsNow(Call::Other)) return real.rename(from, to, ec);
        ec = std::make_error_code(std::errc::io_error);
    },
    [](const fs::path& from, const fs::path& to, std::error_code& ec) {
        // A file system without links: the backup is copied instead.
        if (!FailsNow(Call::Link)) return real.link(from, to, ec);
        ec = std::make_error_code(std::errc::operation_not_permitted);
    },
};

// The faulty calls for one run.
class InjectedFaults {
  public:
    InjectedFaults(Fault fault, int failing) {
        plan = {fault, failing, 0, false};
        CurrentWriterCalls() = Faulty;
    }
    ~InjectedFaults() { CurrentWriterCalls() = SystemWriterCalls(); }
    InjectedFaults(const InjectedFaults&) = delete;
    InjectedFaults& operator=(const InjectedFaults&) = delete;
};

Folder Contents(const fs::path& dir) {
    Folder files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), dir).generic_string()] = test::ReadBytes(entry.path());
    return files;
}

std::vector<FileFailure> FailuresOf(const Expected<Done, FileFailure>& done) {
    if (done) return {};
    return {done.error()};
}

// The collection every writer writes from: three titles, with names and a review.
struct Source {
    Source() {
        AppendTitle(collection, test::FullLaserDisc());
        AppendTitle(collection, test::MakeTitle("ABYSS", 1989));
        AppendTitle(collection, test::MakeTitle("BLADE RUNNER", 1982));
        for (std::uint16_t r = 0; r < collection.Count(); ++r)
            browse.push_back(r);
    }
    Collection collection = test::ReportCollection();
    std::vector<std::uint16_t> browse;
    MessageCatalogue catalogue;
    ReportTexts texts{catalogue};
    DateFormat dates{"dd/MM/yyyy"};
    ReportContext context{collection, texts, dates};
};

struct Writer {
    const char* name;
    std::vector<std::string> files; // every file it writes, in the folder given
    const char* backup;             // the backup it keeps of the first file, if any
    std::function<std::vector<FileFailure>(Source&, const fs::path&)> write;
};

const Writer Writers[] = {
    {"collection",
     {"FILMS.KXT"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         return FailuresOf(SaveCollection(s.collection, dir / "FILMS.KXT", false));
     }},
    {"collection with backup",
     {"FILMS.KXT"},
     "FILMS.KXT.bak",
     [](Source& s, const fs::path& dir) {
         return FailuresOf(SaveCollection(s.collection, dir / "FILMS.KXT", true));
     }},
    {"recovery copy",
     {"RUN.name", "RUN.KXT"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         s.collection.CurrentFileName = "/home/me/FILMS.KXT";
         return FailuresOf(WriteRecoveryCopy(s.collection, dir, "RUN"));
     }},
    {"name list",
     {"ACTORS.LST"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         return FailuresOf(SaveNameListFile(s.collection, ListId::Actor, dir / "ACTORS.LST"));
     }},
    // The title file; the selection, the chart picture and the command line's files are written
    // the same way, from bytes in memory.
    {"title file",
     {"ALIEN.KXF"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         return FailuresOf(WriteFileReplacing(dir / "ALIEN.KXF", ExportTitle(s.collection, 0)));
     }},
    {"review text",
     {"ALIEN1.TXT"},
     nullptr,
     [](Source&, const fs::path& dir) {
         const auto saved = SaveReviewText(dir, "ALIEN", 1, "A review.\r\n");
         if (saved) return std::vector<FileFailure>{};
         return std::vector<FileFailure>{saved.error()};
     }},
    {"text export",
     {"LIST.TXT"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         const ExportChoices choices{"MY LIST", ExportKind::OtherInformations, DetailChoices::All()};
         return FailuresOf(WriteTextExport(dir / "LIST.TXT", s.context, s.browse, choices));
     }},
    {"spreadsheet export",
     {"LIST.XLS"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         return FailuresOf(
             WriteSpreadsheetExport(dir / "LIST.XLS", s.context, s.browse, DetailChoices::All()));
     }},
    {"HTML page",
     {"LIST.HTM"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         const ExportChoices choices{"MY LIST", ExportKind::OtherInformations, DetailChoices::All()};
         return WriteHtmlExport(dir / "LIST.HTM", s.context, s.browse, choices, {}, {}).failures;
     }},
    {"HTML pages in frames",
     {"LIST.HTM", "liste_index.htm", "ALIEN.htm", "ABYSS.htm", "BLADE_RUNNER.htm"},
     nullptr,
     [](Source& s, const fs::path& dir) {
         const ExportChoices choices{"MY LIST", ExportKind::OtherInformations, DetailChoices::All()};
         HtmlOptions options;
         options.multiPage = true;
         options.frames = true;
         return WriteHtmlExport(dir / "LIST.HTM", s.context, s.browse, choices, options, {}).failures;
     }},
    {"pictures beside the pages",
     {"SHOT.GIF", "COVER.JPG"},
     nullptr,
     [](Source&, const fs::path& dir) {
         static const test::TempDir medias;
         std::vector<CoverPicture> pictures;
         for (const char* name : {"SHOT.GIF", "COVER.JPG"}) {
             test::WriteBytes(medias.path() / name, test::Bytes(std::string("picture ") + name));
             pictures.push_back({name, medias.path() / name});
         }
         return CopyPictures(pictures, dir, nullptr, {});
     }},
};

class WriteFaultsTest : public testing::TestWithParam<Writer> {
  protected:
    // The folder before the write: an older version of every file the writer writes, and of the
    // backup.
    Folder Older() const {
        Folder files;
        for (const std::string& f : GetParam().files)
            files[f] = test::Bytes("older " + f);
        if (GetParam().backup) files[GetParam().backup] = test::Bytes("older backup");
        return files;
    }

    // Writes into a fresh folder holding the older files; gives the failures and the folder after.
    std::vector<FileFailure> Run(const fs::path& dir, Folder& after) const {
        for (const auto& [name, bytes] : Older())
            test::WriteBytes(dir / name, bytes);
        Source source;
        auto failures = GetParam().write(source, dir);
        after = Contents(dir);
        return failures;
    }
};

TEST_P(WriteFaultsTest, EveryFileStaysOldOrNewAndEveryFailureIsReported) {
    const Writer& writer = GetParam();
    const Folder older = Older();
    Folder newer;
    {
        test::TempDir dir;
        ASSERT_TRUE(Run(dir.path(), newer).empty());
    }
    // Only the written files and the backup, each new: no temporary file left beside them.
    for (const auto& [name, bytes] : newer)
        ASSERT_TRUE(older.count(name)) << name;
    ASSERT_EQ(newer.size(), older.size());
    for (const std::string& f : writer.files)
        ASSERT_NE(newer[f], older.at(f)) << f;

    for (const Fault fault : {Fault::Fails, Fault::ComesUpShort}) {
        for (int k = 1;; ++k) {
            ASSERT_LT(k, 200) << "the writer never finished";
            SCOPED_TRACE((fault == Fault::Fails ? "call " : "short write ") + std::to_string(k));
            test::TempDir dir;
            Folder after;
            std::vector<FileFailure> failures;
            bool hit = false;
            bool linkHit = false;
            {
                InjectedFaults faults(fault, k);
                failures = Run(dir.path(), after);
                hit = plan.hit;
                linkHit = plan.linkHit;
            }
            if (!hit) { // every call succeeded: the write is whole
                EXPECT_TRUE(failures.empty());
                EXPECT_EQ(after, newer);
                break;
            }
            // A backup that cannot be linked is copied: the write goes on whole.
            if (linkHit) {
                EXPECT_TRUE(failures.empty());
                EXPECT_EQ(after, newer);
                continue;
            }
            ASSERT_FALSE(failures.empty());
            EXPECT_EQ(after.size(), older.size()) << "a temporary file was left";
            for (const auto& [name, bytes] : after) {
                if (writer.backup && name == writer.backup) {
                    // The previous backup, or the old file once it became the backup.
                    EXPECT_TRUE(bytes == older.at(name) || bytes == older.at(writer.files[0]));
                } else {
                    ASSERT_TRUE(older.count(name)) << name;
                    EXPECT_TRUE(bytes == older.at(name) || bytes == newer.at(name)) << name;
                }
            }
            for (const FileFailure& failure : failures) {
                EXPECT_EQ(failure.error, FileError::CannotWrite);
                EXPECT_FALSE(failure.detail.empty());
                EXPECT_NE(failure.detail, SystemReason(0));
                // The file named is one left as it was: the file, or the backup it could not keep.
                const std::string name = fs::relative(fs::path(failure.path), dir.path()).generic_string();
                ASSERT_TRUE(after.count(name)) << failure.path;
                const std::string kept = writer.backup && name == writer.backup ? writer.files[0] : name;
                EXPECT_EQ(after[kept], older.at(kept)) << failure.path;
            }
        }
    }
}

// A full disk, as the collector reads it: the file, the system's reason and that the file on disk
// is as it was, in the words of each language.
TEST(WriteFailureMessageTest, NamesTheFileTheReasonAndWhatIsUnchanged) {
    test::TempDir dir;
    const fs::path path = dir / "FILMS.KXT";
    test::WriteBytes(path, test::Bytes("older"));
    Expected<Done, FileFailure> written = Done{};
    {
        InjectedFaults faults(Fault::ComesUpShort, 1);
        written = WriteFileReplacing(path, test::Bytes("newer"));
    }
    ASSERT_FALSE(written);
    ASSERT_EQ(test::ReadBytes(path), test::Bytes("older"));
    const std::string name = PathText(path);
    const std::pair<int, std::string> cases[] = {
        {0, "Could not write " + name + ": No space left on device. The file on disk is unchanged."},
        {1, "Impossible d'écrire " + name +
                " : No space left on device. Le fichier sur le disque n'a pas été modifié."},
        {4, "Tiedostoa " + name +
                " ei voitu kirjoittaa: No space left on device. Levyllä oleva tiedosto on "
                "ennallaan."},
    };
    for (const auto& [language, message] : cases) {
        MessageCatalogue catalogue;
        catalogue.SetLanguage(language);
        EXPECT_EQ(WriteFailureMessage(catalogue, written.error()), message);
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, WriteFaultsTest, testing::ValuesIn(Writers), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

} // namespace
} // namespace tavrin
