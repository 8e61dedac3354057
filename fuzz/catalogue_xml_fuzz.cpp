// libFuzzer target for the XML catalogue readers: the first byte chooses the reader (its value
// modulo 6: Tellico, GCstar, DVD Profiler, Collectorz, Griffith, Data Crow), the rest is the file.
// Any bytes give titles or a refusal that says why, never a crash, an endless loop or memory
// beyond the input's measure; every text read is trimmed UTF-8.
#include "exchange/catalogue_source.h"
#include "exchange/catalogue_xml.h"
#include "require.h"

#include <cstdint>
#include <string_view>

namespace {

using namespace tavrin;

using fuzz::Require;

// Valid UTF-8 with LF line ends is what CleanText leaves as it is.
void RequireText(std::string_view s, const char* what) {
    Require(CleanText(s) == s, what);
    Require(Trimmed(s) == s, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr CatalogueRead (*Readers[])(std::span<const std::uint8_t>) = {
        ReadTellico, ReadGcstar, ReadDvdProfiler, ReadCollectorz, ReadGriffith, ReadDataCrow,
    };
    const auto read = Readers[data[0] % 6]({data + 1, size - 1});
    if (!read) {
        Require(!read.error().detail.empty(), "a refusal says why");
        return 0;
    }
    for (const SourceTitle& t : read->titles) {
        RequireText(t.title, "the title is trimmed UTF-8");
        RequireText(t.medium, "the medium is trimmed UTF-8");
        for (const auto& list : {t.genres, t.directors, t.composers, t.publishers, t.boxes, t.regions,
                                 t.aspectRatios, t.subtitles, t.extras})
            for (const std::string& v : list) {
                RequireText(v, "list values are trimmed UTF-8");
                Require(!v.empty(), "list values are not empty");
            }
        for (const SourcePerson& p : t.actors) {
            RequireText(p.name, "actors are trimmed UTF-8");
            Require(!p.name.empty(), "an actor has a name");
            RequireText(p.role, "roles are trimmed UTF-8");
        }
        for (const SourceNote& n : t.notes) {
            RequireText(n.value, "notes are trimmed UTF-8");
            Require(!n.label.empty() && !n.value.empty(), "a note has a label and a value");
        }
        Require(t.cavSides >= 0 && t.clvSides >= 0, "sides are counted");
        Require(t.cover.bytes.size() <= CoverByteLimit, "a cover is within the limit");
    }
    return 0;
}
