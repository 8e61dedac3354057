#include "store/files/collection_file.h"

#include "store/files/file_access.h"
#include "store/files/name_slots.h"
#include "store/large_blocks.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <system_error>

namespace tavrin {
namespace {

// Name-list sections in file order, by version letter.
std::span<const ListId> SectionsOf(char version) {
    using L = ListId;
    static constexpr ListId kxt[] = {L::Director, L::Actor, L::Composer, L::Box, L::Retailer};
    static constexpr ListId kx2[] = {L::Director, L::Actor, L::Composer, L::Box, L::Info, L::Retailer};
    static constexpr ListId kx3[] = {L::Director, L::Actor,     L::Composer, L::Box,
                                     L::Info,     L::Publisher, L::Media,    L::Retailer};
    static constexpr ListId kx5[] = {L::Director,  L::Actor, L::Composer, L::Box,  L::Info,
                                     L::Publisher, L::Media, L::Retailer, L::Info2};
    switch (version) {
    case 'T':
        return kxt;
    case '2':
        return kx2;
    case '3':
        return kx3;
    default:
        return kx5; // '4' and '5' hold all nine
    }
}

// Versions before 5 held two u16 where the float price is now.
constexpr std::size_t OldPriceOffset = PriceOffset;
constexpr std::size_t OldRetailerOffset = PriceOffset + 2;

bool IsVersionLetter(std::uint8_t b) {
    return b == 'T' || b == '2' || b == '3' || b == '4' || b == '5';
}

void ConvertOlderRecord(TitleRecord& t, char version) {
    if (version == 'T') t.SetInfo(NoEntry);
    if (version == 'T' || version == '2') {
        t.SetMedia1(NoEntry);
        t.SetSupport(0);
        t.SetZone(0);
    }
    if (version != '5') {
        t.SetMedia2(NoEntry);
        t.SetMedia3(NoEntry);
        t.SetMedia4(NoEntry);
        // The price was a whole number in the first half of today's price and the retailer sat in
        // its second half; the copy comes first because the float price covers both.
        t.SetRetailer(t.U16(OldRetailerOffset));
        t.SetPrice(static_cast<float>(t.U16(OldPriceOffset)));
    }
    if (version == 'T' || version == '2' || version == '3') t.SetInfo2(NoEntry);
}

// Reads from a span; every read is all or nothing.
class SpanSource {
  public:
    explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Read(void* dst, std::size_t n) {
        if (bytes_.size() - pos_ < n) return false;
        if (n) std::memcpy(dst, bytes_.data() + pos_, n);
        pos_ += n;
        return true;
    }
    bool AtEnd() const { return pos_ == bytes_.size(); }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// Reads straight from an open file, so the records land in the store without a copy of the whole
// file in between (ReadFileBytes and a parse of the copy open the largest collection about half
// again slower), and nothing past the sections' counts is read, so a huge file is never read
// whole. A read error is remembered: the caller reports it rather than Invalid.
class FileSource {
  public:
    // sizeHint: the file's size when known, only to refuse counts that cannot fit before reading.
    FileSource(std::FILE* f, std::optional<std::size_t> sizeHint) : f_(f), size_(sizeHint) {}
    bool Read(void* dst, std::size_t n) {
        if (n == 0) return !failed_;
        const std::size_t got = std::fread(dst, 1, n, f_);
        pos_ += got;
        if (got == n) return true;
        NoteError();
        return false;
    }
    bool AtEnd() {
        const int ch = std::getc(f_);
        if (ch == EOF) {
            NoteError();
            return true;
        }
        std::ungetc(ch, f_);
        return false;
    }
    std::size_t Remaining() const {
        if (!size_ || pos_ > *size_) return SIZE_MAX; // the size was wrong: let the reads decide
        return *size_ - pos_;
    }
    bool Failed() const { return failed_; }
    int Error() const { return error_; }

  private:
    void NoteError() {
        if (std::ferror(f_) && !failed_) {
            failed_ = true;
            error_ = errno;
        }
    }
    std::FILE* f_;
    std::optional<std::size_t> size_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    int error_ = 0;
};

template <class Source> bool ReadU16(Source& src, std::uint16_t& v) {
    std::uint8_t b[2];
    if (!src.Read(b, 2)) return false;
    v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

template <class Source> Expected<LoadedCollection, FileError> Parse(Source& src, std::string_view otherName) {
    const auto invalid = Unexpected{FileError::Invalid};
    std::uint8_t magic[3];
    if (!src.Read(magic, 3) || magic[0] != 'K' || magic[1] != 'X' || !IsVersionLetter(magic[2]))
        return invalid;

    LoadedCollection out;
    out.version = static_cast<char>(magic[2]);
    out.magic.assign(reinterpret_cast<const char*>(magic), 3);
    Collection& c = out.collection;
    const bool oldPublishers = out.version == 'T' || out.version == '2';

    std::uint16_t n = 0;
    if (!ReadU16(src, n)) return invalid;
    if (n == 0 && src.AtEnd()) {
        // A bare header: an empty collection with no name lists.
        if (oldPublishers) c.List(ListId::Publisher) = DefaultPublisherList(otherName);
        return out;
    }
    if (src.Remaining() / TitleRecordSize < n) return invalid;
    ReserveLargeBlock(c.titles, n);
    c.titles.resize(n);
    if (!src.Read(c.titles.data(), std::size_t{n} * TitleRecordSize)) return invalid;

    std::vector<std::uint8_t> slots;
    for (ListId id : SectionsOf(out.version)) {
        std::uint16_t count = 0;
        if (!ReadU16(src, count)) return invalid;
        if (src.Remaining() / NameTextSize < count) return invalid;
        slots.resize(std::size_t{count} * NameTextSize);
        if (!src.Read(slots.data(), slots.size())) return invalid;
        c.List(id) = NamesFromSlots(slots, count);
    }
    if (oldPublishers) c.List(ListId::Publisher) = DefaultPublisherList(otherName);
    if (out.version != '5')
        for (auto& t : c.titles)
            ConvertOlderRecord(t, out.version);

    std::vector<std::uint8_t> order(std::size_t{n} * 2);
    if (!src.Read(order.data(), order.size())) return invalid;
    c.ListeIndex.resize(n);
    std::vector<std::uint8_t> seen(n, 0);
    bool permutation = true;
    for (std::size_t i = 0; i < n; ++i) {
        const auto r = static_cast<std::uint16_t>(order[2 * i] | (order[2 * i + 1] << 8));
        c.ListeIndex[i] = r;
        // Checked for all at the end: a branch per entry costs more than the check.
        const std::size_t at = r < n ? r : 0;
        permutation &= r < n && seen[at] == 0;
        seen[at] = 1;
    }
    if (!permutation) return invalid;
    // Anything after the master order is ignored, as earlier versions of the program did:
    // refusing it would lock collectors out of files that always opened before.
    return out;
}

void PutU16(std::vector<std::uint8_t>& out, std::size_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// Magic and title count.
std::array<std::uint8_t, 5> Header(std::size_t n) {
    return {'K', 'X', '5', static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>((n >> 8) & 0xFF)};
}

std::size_t NamesAndOrderSize(const Collection& c, std::size_t n) {
    std::size_t size = n * 2;
    for (ListId id : SectionsOf('5'))
        size += 2 + c.List(id).size() * NameTextSize;
    return size;
}

// What follows the records: the nine name-list sections and the master order.
void AppendNamesAndOrder(std::vector<std::uint8_t>& out, const Collection& c, std::size_t n,
                         std::span<const std::uint16_t> order, bool identityOrder) {
    for (ListId id : SectionsOf('5')) {
        const auto& names = c.List(id);
        PutU16(out, names.size());
        AppendNameSlots(out, names);
    }
    for (std::size_t i = 0; i < n; ++i)
        PutU16(out, identityOrder ? i : order[i]);
}

template <class RecordRange>
std::vector<std::uint8_t> Serialize(const Collection& c, std::size_t n, RecordRange&& recordAt,
                                    std::span<const std::uint16_t> order, bool identityOrder) {
    std::vector<std::uint8_t> out;
    ReserveLargeBlock(out, 5 + n * TitleRecordSize + NamesAndOrderSize(c, n));
    const auto header = Header(n);
    out.assign(header.begin(), header.end());
    out.resize(5 + n * TitleRecordSize);
    for (std::size_t i = 0; i < n; ++i)
        std::memcpy(out.data() + 5 + i * TitleRecordSize, recordAt(i).bytes.data(), TitleRecordSize);
    AppendNamesAndOrder(out, c, n, order, identityOrder);
    return out;
}

} // namespace

NameList DefaultPublisherList(std::string_view otherName) {
    static constexpr std::string_view publishers[] = {
        "BUENA VISTA", "COLUMBIA",
        "CRITERION",   "DIMENSION",
        "ELITE",       "ENCORE",
        "FOX",         "GAUMONT",
        "HBO",         "HOLLYWOOD PICTURES",
        "IMAGE",       "LE STUDIO CANAL +",
        "LIVE",        "LUMIVISION",
        "MCA",         "MGM",
        "NEW LINE",    "PARAMOUNT",
        "PFC VIDEO",   "PIONEER",
        "POLYGRAM",    "REPUBLIC PICTURES",
        "TAI SENG",    "TF1 VIDEO",
        "TOUCHSTONE",  "VOYAGER",
        "WALT DISNEY", "WARNER",
    };
    NameList list;
    list.reserve(std::size(publishers) + 1);
    list.emplace_back(otherName);
    for (auto p : publishers)
        list.emplace_back(p);
    return list;
}

Expected<LoadedCollection, FileError> ParseCollection(std::span<const std::uint8_t> bytes,
                                                      std::string_view otherName) {
    SpanSource src(bytes);
    return Parse(src, otherName);
}

Expected<LoadedCollection, FileFailure> LoadCollectionFile(const std::filesystem::path& path,
                                                           std::string_view otherName) {
    // No size limit: the sections' counts say how much is read, and what follows is ignored.
    auto opened = OpenForReading(path, UINTMAX_MAX, PastLimit::Ignore);
    if (!opened) return Unexpected{opened.error()};
    const std::string name = PathText(path);
    FileSource src(opened->file.get(),
                   static_cast<std::size_t>(std::min<std::uintmax_t>(opened->size, SIZE_MAX)));
    auto parsed = Parse(src, otherName);
    if (src.Failed()) return Unexpected{FileFailure{FileError::CannotRead, name, SystemReason(src.Error())}};
    if (!parsed) return Unexpected{FileFailure{parsed.error(), name, {}}};
    return std::move(parsed).value();
}

std::vector<std::uint8_t> SerializeCollection(const Collection& c) {
    return Serialize(
        c, c.titles.size(), [&c](std::size_t i) -> const TitleRecord& { return c.titles[i]; }, c.ListeIndex,
        false);
}

std::vector<std::uint8_t> SerializeSelection(const Collection& c, std::span<const std::uint16_t> browse) {
    return Serialize(
        c, browse.size(), [&](std::size_t i) -> const TitleRecord& { return c.titles[browse[i]]; }, browse,
        true);
}

bool SelectionIsSavable(const Collection& c, std::span<const std::uint16_t> browse) {
    return !browse.empty() && browse.size() < c.titles.size();
}

std::filesystem::path BackupPath(const std::filesystem::path& path) {
    std::filesystem::path backup = path;
    backup += ".bak";
    return backup;
}

namespace {

Expected<Done, FileFailure> WriteWhole(const Collection& c, const std::filesystem::path& path,
                                       bool keepBackup) {
    // The same bytes as SerializeCollection, the records written straight from the store.
    const std::size_t n = c.titles.size();
    const auto header = Header(n);
    std::vector<std::uint8_t> tail;
    tail.reserve(NamesAndOrderSize(c, n));
    AppendNamesAndOrder(tail, c, n, c.ListeIndex, false);
    const std::span<const std::uint8_t> pieces[] = {
        header, {reinterpret_cast<const std::uint8_t*>(c.titles.data()), n * TitleRecordSize}, tail};
    return keepBackup ? WriteFileReplacingKeeping(path, pieces, BackupPath(path))
                      : WriteFileReplacing(path, pieces);
}

} // namespace

Expected<Done, FileFailure> SaveCollection(const Collection& c, const std::filesystem::path& path,
                                           bool keepBackup) {
    return WriteWhole(c, path, keepBackup);
}

Expected<Done, FileFailure> WriteCollectionCopy(const Collection& c, const std::filesystem::path& path) {
    return WriteWhole(c, path, false);
}

} // namespace tavrin
