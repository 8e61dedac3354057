// Every command that reads a file, given what no reader can take: a pipe, a folder, a device, a
// file larger than the reader's limit, a file it may not read, and for from-json numbers and keys
// no collection can hold. Each is refused at once with a message that says why, and exit status 1.
#include "cli/cli_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using test::TempDir;

// While it lives, lets any reader that opened the pipe and waits for a writer go on to the end of
// its data, so that a reader that would hang fails the test instead.
class PipeRelease {
  public:
    explicit PipeRelease(const fs::path& pipe)
        : thread_([this, pipe] {
              while (!done_) {
                  const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0) ::close(fd);
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    ~PipeRelease() {
        done_ = true;
        thread_.join();
    }
    PipeRelease(const PipeRelease&) = delete;
    PipeRelease& operator=(const PipeRelease&) = delete;

  private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

TEST(CliHostileInputTest, EveryReaderRefusesWhatItCannotTakeAtOnceSayingWhy) {
    TempDir dir;
    const fs::path collection = dir / "GOOD.KXT";
    test::WriteBytes(collection, {'K', 'X', '5', 0, 0});
    const std::string out = (dir / "OUT").string();

    // Each command with "IN" where the hostile file goes; the message for a 2 GB file of zeros:
    // the readers of a whole file refuse it by its size, the others read a header of it.
    const std::string notACollection = "IN: Invalid file!";
    struct Reader {
        std::vector<std::string> args;
        std::string tooLarge;
    };
    const std::string c = collection.string();
    const std::vector<Reader> readers{
        {{"dump", "IN"}, notACollection},
        {{"convert", "IN", out}, notACollection},
        {{"list", "IN"}, notACollection},
        {{"names", "save", "IN", "D", out}, notACollection},
        {{"names", "load", c, "IN", out}, notACollection},
        {{"names", "delete", "IN", "DirectorList", "0", out}, notACollection},
        {{"names", "rename", "IN", "DirectorList", "0", "X", out}, notACollection},
        {{"names", "clean", "IN", "DirectorList", out}, notACollection},
        {{"from-json", "IN", out}, "IN is too large: 2,048 MB, at most 512 MB"},
        {{"stats", "IN", "--chart", "medium"}, notACollection},
        {{"price", "IN"}, notACollection},
        {{"export-title", "IN", "0", out}, notACollection},
        {{"import-title", c, "IN", out}, notACollection},
        {{"add-list", c, "IN", out}, notACollection},
        {{"rebuild-index", "IN", out}, notACollection},
        {{"import-table", c, "IN", out}, "IN is too large: 2,048 MB, at most 1,024 MB"},
        {{"import-catalogue", c, "IN", out}, "IN is too large: 2,048 MB, at most 512 MB"},
        {{"export", "IN", "--format", "text", "--out", out}, notACollection},
#ifdef TAVRIN_CLI_PRINT
        {{"print", "IN", "--pdf", out}, notACollection},
#endif
        {{"media", "IN"}, notACollection},
        {{"picture", "IN", out}, "IN is too large: 2,048 MB, at most 1,025 MB"},
    };

    const fs::path pipe = dir / "PIPE";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(dir / "FOLDER");
    fs::path large = dir / "LARGE";
    test::WriteBytes(large, {});
    fs::resize_file(large, std::uintmax_t{2} << 30);
    const fs::path locked = dir / "LOCKED";
    test::WriteBytes(locked, {'K', 'X', '5', 0, 0});
    fs::permissions(locked, fs::perms::none);

    // JSON that no collection can hold: a number past any double, a key of a megabyte.
    const auto json = [&dir](const char* name, const std::string& text) {
        test::WriteBytes(dir / name, std::vector<std::uint8_t>(text.begin(), text.end()));
        return dir / name;
    };
    const std::string digits(5000, '9');
    const std::string key(1 << 20, 'K');
    struct Hostile {
        fs::path file;
        std::string message;   // "" for the reader's own too-large message
        std::string only = {}; // the one command that reads it, if not every one
    };
    std::vector<Hostile> hostile{
        {pipe, "IN is not a regular file"},
        {dir / "FOLDER", "IN is not a regular file"},
        {"/dev/zero", "IN is not a regular file"},
        {large, ""},
        {json("YEAR.json", R"({"titles": [{"Title": "A", "Year": 1e400}]})"),
         "IN: title 0 (A), field Year: value 1e400 is out of range 0 .. 65535", "from-json"},
        {json("PRICE.json", R"({"titles": [{"Title": "A", "Price": -)" + digits + "}]}"),
         "IN: title 0 (A), field Price: value -" + digits.substr(0, 78) +
             "\xE2\x80\xA6 does not fit a 32-bit float",
         "from-json"},
        {json("ORDER.json", R"({"titles": [], "order": [)" + digits + "]}"),
         "IN: order, position 0: value " + digits.substr(0, 79) + "\xE2\x80\xA6 is no record number",
         "from-json"},
        {json("KEY.json", "{\"" + key + "\": 1}"),
         "IN: \"" + key.substr(0, 79) + "\xE2\x80\xA6\" is not part of a collection", "from-json"},
    };
    // Root reads whatever the permissions say.
    if (::geteuid() != 0) hostile.push_back({locked, "IN cannot be read: Permission denied"});

    const PipeRelease release(pipe);
    for (const Reader& reader : readers) {
        for (const Hostile& h : hostile) {
            if (!h.only.empty() && h.only != reader.args[0]) continue;
            std::vector<std::string> args = reader.args;
            for (std::string& a : args)
                if (a == "IN") a = h.file.string();
            std::string expected = h.message.empty() ? reader.tooLarge : h.message;
            expected = "tavrin-cli: " + h.file.string() + expected.substr(2) + "\n";
            SCOPED_TRACE(args[0] + " " + args[1] + " given " + h.file.string());
            const auto run = RunCli(dir, args);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, expected);
            EXPECT_FALSE(fs::exists(out));
        }
    }
}

} // namespace
} // namespace tavrin
