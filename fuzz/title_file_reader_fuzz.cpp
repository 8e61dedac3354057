// libFuzzer target for the title-file reader and the import: any bytes must give a title or
// Invalid, never a crash; an accepted title is imported into a small collection, or refused with
// the collection unchanged, and what is imported exports back to the same names.
#include "exchange_checks.h"
#include "store/files/title_file.h"
#include "store/title_exchange.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace tavrin;
using tavrin::fuzz::Require;

Collection Small() {
    Collection c;
    c.List(ListId::Director) = {"VERDI", "LANG"};
    c.List(ListId::Actor) = {"FORD"};
    // A publisher list one short of full: a second new publisher is refused.
    for (int i = 0; i < 254; ++i)
        c.List(ListId::Publisher).push_back("P" + std::to_string(i));
    TitleRecord t;
    t.SetTitle("METROPOLIS");
    for (const auto& slot : TitleFileSlots)
        ClearSlot(t, slot);
    t.SetRetailer(NoEntry);
    for (std::size_t off : MediaOffsets)
        t.SetU16(off, NoEntry);
    AppendTitle(c, t);
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = ParseTitleFile({data, size});
    if (!parsed) {
        Require(parsed.error() == FileError::Invalid, "a refused file is reported as Invalid");
        return 0;
    }
    Require(size >= TitleFileHeaderSize && data[0] == 'K' && data[1] == 'X' && data[2] != 'T',
            "a title file start");
    std::size_t fields = 0;
    for (std::size_t i = 0; i < TitleFileSlots.size(); ++i) {
        const bool named = SlotEntry(parsed->record, TitleFileSlots[i]) >= 0;
        Require(named == parsed->names[i].has_value(), "a name for each reference, none for none");
        if (!named) continue;
        Require(parsed->names[i]->size() < NameTextSize && parsed->names[i]->find('\0') == std::string::npos,
                "names fit a slot");
        ++fields;
    }
    Require(size >= TitleFileHeaderSize + fields * NameTextSize, "every name field was in the file");

    Collection c = Small();
    const Collection before = c;
    const auto imported = ImportTitle(c, *parsed, 40000);
    if (!imported) {
        Require(c.titles == before.titles && c.lists == before.lists && c.ListeIndex == before.ListeIndex,
                "a refused import changes nothing");
        return 0;
    }
    Require(*imported == 1 && c.Count() == 2, "the title is appended");
    tavrin::fuzz::RequireLinked(c, 0);
    tavrin::fuzz::RequireOrdered(c);
    const auto again = ParseTitleFile(ExportTitle(c, 1));
    Require(again.has_value() && again->names == parsed->names, "an imported title exports its names again");
    return 0;
}
