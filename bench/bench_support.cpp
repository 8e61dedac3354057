#include "bench_support.h"

#include "store/files/collection_file.h"
#include "store/title_order.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <stdexcept>
#include <string>

namespace tavrin::bench {
namespace {

struct ListSize {
    ListId list;
    std::size_t count;
};

// A large but plausible collection: thousands of actors, hundreds of publishers.
constexpr ListSize ListSizes[] = {
    {ListId::Director, 3000}, {ListId::Actor, 8000},    {ListId::Composer, 1500},
    {ListId::Box, 600},       {ListId::Publisher, 250}, {ListId::Retailer, 400},
    {ListId::Info, 300},      {ListId::Info2, 200},     {ListId::Media, 2000},
};

Collection MakeLargeCollection() {
    std::mt19937 rng(1999);
    Collection c;
    for (const auto& [list, count] : ListSizes) {
        auto& names = c.List(list);
        names.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            names.push_back(list == ListId::Media ? RandomWords(rng, 6, 20) + ".JPG"
                                                  : RandomWords(rng, 8, 30));
    }
    auto pick = [&rng, &c](ListId list) {
        return static_cast<std::uint16_t>(
            std::uniform_int_distribution<std::size_t>(0, c.List(list).size() - 1)(rng));
    };
    auto chance = [&rng](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
    auto between = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };

    c.titles.resize(TitleCapacity);
    for (auto& t : c.titles) {
        t.SetTitle(RandomWords(rng, 3, 45));
        t.SetYear(static_cast<std::uint16_t>(between(1930, 2005)));
        t.SetLength(static_cast<std::uint16_t>(between(75, 220)));
        t.SetAspectRatio(static_cast<std::uint8_t>(between(0, 8)));
        t.SetDirector(chance(95) ? pick(ListId::Director) : NoEntry);
        const int actors = between(0, 5);
        for (int a = 0; a < 5; ++a)
            t.SetU16(ActorOffsets[a], a < actors ? pick(ListId::Actor) : NoEntry);
        t.SetGenre(static_cast<std::uint8_t>(between(0, 32)));
        t.SetGenre2(static_cast<std::uint8_t>(between(0, 32)));
        t.SetMpaa(static_cast<std::uint8_t>(between(0, 9)));
        t.SetFilmRating(static_cast<std::uint8_t>(between(0, 5)));
        t.SetPictureRating(static_cast<std::uint8_t>(between(0, 5)));
        t.SetSoundRating(static_cast<std::uint8_t>(between(0, 5)));
        const auto support = static_cast<std::uint8_t>(between(0, 3));
        t.SetSupport(support);
        t.SetCavSides(static_cast<std::uint8_t>(between(0, 2)));
        t.SetClvSides(static_cast<std::uint8_t>(between(0, 4)));
        t.SetStandard(static_cast<std::uint8_t>(between(0, 2)));
        t.SetSound(static_cast<std::uint8_t>(between(0, 4)));
        t.SetThx(chance(10));
        t.SetAc3(chance(40));
        t.SetDts(chance(15));
        t.SetWidescreen169(chance(50));
        t.SetUsed(chance(20));
        t.SetBox(chance(10) ? pick(ListId::Box) : NoEntry);
        t.SetInfo(chance(20) ? pick(ListId::Info) : NoEntry);
        t.SetInfo2(chance(10) ? pick(ListId::Info2) : NoEntry);
        t.SetComposer(chance(60) ? pick(ListId::Composer) : NoEntry);
        t.SetRetailer(chance(70) ? pick(ListId::Retailer) : NoEntry);
        t.SetPublisher(chance(90) ? pick(ListId::Publisher) : -1);
        for (std::size_t m = 0; m < MediaOffsets.size(); ++m)
            t.SetU16(MediaOffsets[m], m == 0 && chance(30) ? pick(ListId::Media) : NoEntry);
        if (support == 1) {
            t.SetZone(static_cast<std::uint8_t>(between(0, 6)));
            for (int b = 0; b < DvdLanguageByteCount; ++b)
                t.SetU8(92 + b, static_cast<std::uint8_t>(between(0, 255)));
        }
        t.SetReviewNumber(chance(5) ? static_cast<std::uint16_t>(between(1, 3000)) : 0);
        t.SetInterview(chance(20));
        t.SetTrailer(chance(50));
        t.SetCommentary(chance(25));
        t.SetViewings(static_cast<std::uint16_t>(between(0, 30)));
        t.SetPrice(static_cast<float>(between(500, 9999)) / 100.0f);
        t.SetBuyDate(between(33000, 38000));
        t.SetWatchDate(between(33000, 38000));
    }
    c.ListeIndex = SortedTitleOrder(c.titles);
    return c;
}

// The file and the scratch folder, removed when the program ends.
struct OnDisk {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrin-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::path file = folder / "LARGE.KXT";

    OnDisk() {
        std::filesystem::create_directories(folder);
        if (!WriteFileReplacing(file, LargeCollectionBytes()))
            throw std::runtime_error("cannot write " + file.string());
    }
    ~OnDisk() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

const OnDisk& Disk() {
    static const OnDisk disk;
    return disk;
}

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(what);
}

} // namespace

std::string RandomWords(std::mt19937& rng, std::size_t minLength, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(minLength, maxLength);
    std::uniform_int_distribution<int> letter(0, 25), space(0, 6);
    std::string text(length(rng), ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = i > 0 && i + 1 < text.size() && text[i - 1] != ' ' && space(rng) == 0
                      ? ' '
                      : static_cast<char>('A' + letter(rng));
    return text;
}

const Collection& LargeCollection() {
    static const Collection c = MakeLargeCollection();
    return c;
}

const std::vector<std::uint8_t>& LargeCollectionBytes() {
    static const std::vector<std::uint8_t> bytes = SerializeCollection(LargeCollection());
    return bytes;
}

const std::filesystem::path& LargeCollectionFile() {
    return Disk().file;
}

const std::filesystem::path& ScratchFolder() {
    return Disk().folder;
}

double ThreadCpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::size_t ReadWholeFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    Check(fd >= 0, "open");
    struct stat st {};
    Check(::fstat(fd, &st) == 0, "fstat");
    const auto size = static_cast<std::size_t>(st.st_size);
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size]);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer.get() + got, size - got);
        Check(n > 0, "read");
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer.get());
    benchmark::ClobberMemory();
    return got;
}

std::size_t ScanMemoryOrder(std::span<const TitleRecord> titles) {
    std::size_t passed = 0;
    for (const auto& t : titles)
        passed += t.bytes[90] == 1;
    return passed;
}

std::size_t ScanMasterOrder(std::span<const TitleRecord> titles, std::span<const std::uint16_t> order) {
    std::size_t passed = 0;
    for (auto r : order)
        passed += titles[r].bytes[90] == 1;
    return passed;
}

void WriteAndRename(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, bool flush) {
    std::filesystem::path temp = path;
    temp += ".floor";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Check(fd >= 0, "open");
    std::size_t put = 0;
    while (put < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + put, bytes.size() - put);
        Check(n > 0, "write");
        put += static_cast<std::size_t>(n);
    }
    if (flush) Check(::fsync(fd) == 0, "fsync");
    Check(::close(fd) == 0, "close");
    Check(::rename(temp.c_str(), path.c_str()) == 0, "rename");
}

} // namespace tavrin::bench
