// Small builders shared by the tests: records, name lists and collection files byte by byte.
#pragma once

#include "editing/open_collection.h"
#include "store/collection.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace tavrin::test {

// A record with a title and every reference set to none, as a new title starts.
TitleRecord MakeTitle(std::string_view title, std::uint16_t year = 1990);

// The working entry number (-1 for none) of an actor slot 0 .. 4.
inline int ActorEntry(const TitleRecord& t, int slot) {
    return EntryFromStored(t.U16(ActorOffsets[static_cast<std::size_t>(slot)]));
}

// One change made to c through an open collection, as the windows make it; c is the changed
// collection afterwards, and change's result is given back.
template <class Change> auto ChangeOf(Collection& c, Change&& change) {
    OpenCollection open(std::move(c));
    if constexpr (std::is_void_v<decltype(change(open))>) {
        change(open);
        c = open.Data();
    } else {
        auto result = change(open);
        c = open.Data();
        return result;
    }
}

// A test's collection set up: edit applied to a copy that then replaces the open one, as a file just
// opened (nothing to undo, no unsaved changes).
inline void Edit(OpenCollection& open, const std::function<void(Collection&)>& edit) {
    Collection c = open.Data();
    edit(c);
    open.Replace(std::move(c), Origin::Opened, open.CurrentFileName());
}

// A collection whose master order is in title order.
Collection MakeCollection(std::initializer_list<std::string_view> titles);

// A record whose every byte carries a value (derived from seed), with the title text given: what an
// old file with stray bytes after the title's NUL and in the reserved bytes looks like.
TitleRecord FilledRecord(std::uint8_t seed, std::string_view title);

// The bytes of a text, for building files.
std::vector<std::uint8_t> Bytes(std::string_view text);

// Appends a u16, little-endian.
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v);
// Appends one name-list section: the count, then a 50-byte slot per name.
void PutSection(std::vector<std::uint8_t>& out, const std::vector<std::string>& names);

// A file's bytes built by hand: magic "KX" + version, count, records, the given sections in
// order, then the master order.
std::vector<std::uint8_t> BuildFile(char version, const std::vector<TitleRecord>& records,
                                    const std::vector<std::vector<std::string>>& sections,
                                    const std::vector<std::uint16_t>& order);

// A menu text as shown from one marked for its keyboard letter: a single '&' dropped, "&&" read
// as '&'.
std::string WithoutMnemonic(std::string_view marked);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A zip made in memory holding the members given, in order; and the members of one, in order.
using ZipMember = std::pair<std::string, std::vector<std::uint8_t>>;
std::vector<std::uint8_t> MakeZip(const std::vector<ZipMember>& members);
std::vector<ZipMember> ZipMembers(const std::vector<std::uint8_t>& zip);

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

} // namespace tavrin::test
