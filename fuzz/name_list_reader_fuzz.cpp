// libFuzzer target for the name-list file reader: any bytes must give a list or Invalid, never a
// crash; what is accepted saves and reads back the same.
#include "require.h"
#include "store/files/name_list_file.h"

#include <cstdint>

namespace {

using namespace tavrin;

using fuzz::Require;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = ParseNameList({data, size});
    if (!parsed) {
        Require(parsed.error() == FileError::Invalid, "a refused file is reported as Invalid");
        return 0;
    }
    Require(size >= 3 && data[0] == 'K' && data[1] == 'X', "accepted files start with KX");
    const LoadedNameList& loaded = *parsed;
    Require(loaded.list.has_value(), "an accepted file names its list");
    Require(NameListLetter(*loaded.list) == static_cast<char>(data[2]), "the list is the letter's");
    const std::size_t count = data[3] | (data[4] << 8);
    Require(loaded.names.size() == count, "every announced name is read");
    Require(size >= 5 + count * NameTextSize, "the names were all in the file");
    for (const auto& name : loaded.names)
        Require(name.size() <= NameTextSize && name.find('\0') == std::string::npos, "names fit a slot");

    // Into an empty collection and out again: the same list, and saving is stable.
    Collection c;
    Require(ApplyNameList(c, loaded), "an empty collection takes the list");
    const auto saved = SerializeNameList(c, *loaded.list);
    const auto reloaded = ParseNameList(saved);
    Require(reloaded.has_value() && reloaded->list == loaded.list, "a saved list reads back");
    Require(reloaded->names == loaded.names, "a saved list reads back unchanged");
    return 0;
}
