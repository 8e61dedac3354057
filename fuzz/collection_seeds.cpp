// Writes the seed corpus of the collection-reader fuzz target into the folder given as argument:
// a small file of each version, an empty collection and a bare header.
#include "store/files/collection_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

std::vector<TitleRecord> SeedTitles() {
    std::vector<TitleRecord> titles(3);
    const char* texts[] = {"VERTIGO", "ALIEN", "\xC9T\xC9 MEURTRIER"};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        TitleRecord& t = titles[i];
        t.SetTitle(texts[i]);
        t.SetYear(static_cast<std::uint16_t>(1958 + 10 * i));
        t.SetLength(120);
        t.SetDirector(static_cast<std::uint16_t>(i));
        for (auto off : ActorOffsets)
            t.SetU16(off, NoEntry);
        t.SetActor1(0);
        for (auto off : MediaOffsets)
            t.SetU16(off, NoEntry);
        t.SetComposer(NoEntry);
        t.SetBox(NoEntry);
        t.SetInfo(0);
        t.SetInfo2(NoEntry);
        t.SetRetailer(1);
        t.SetPublisher(static_cast<int>(i));
        t.SetSupport(static_cast<std::uint8_t>(i));
        t.SetPrice(19.5f);
        t.SetBuyDate(36526 + static_cast<int>(i));
        t.SetWatchDate(36526);
    }
    return titles;
}

std::vector<std::vector<std::string>> SeedSections(char version) {
    const std::vector<std::string> directors{"HITCHCOCK", "SCOTT", "BECKER"}, actors{"STEWART", "WEAVER"},
        composers{"HERRMANN"}, boxes{}, infos{"SIGNED"}, publishers{"CRITERION", "PIONEER", "FOX"},
        media{"COVER.JPG"}, retailers{"FNAC", "LASER CITY"}, infos2{"LETTERBOX"};
    switch (version) {
    case 'T':
        return {directors, actors, composers, boxes, retailers};
    case '2':
        return {directors, actors, composers, boxes, infos, retailers};
    case '3':
        return {directors, actors, composers, boxes, infos, publishers, media, retailers};
    default:
        return {directors, actors, composers, boxes, infos, publishers, media, retailers, infos2};
    }
}

Bytes OlderFile(char version) {
    Bytes out{'K', 'X', static_cast<std::uint8_t>(version)};
    auto titles = SeedTitles();
    PutU16(out, static_cast<std::uint16_t>(titles.size()));
    for (auto& t : titles) {
        // Older versions keep a whole-number price at 149 and the retailer at 151.
        t.SetU16(149, 20);
        t.SetU16(151, 1);
        out.insert(out.end(), t.bytes.begin(), t.bytes.end());
    }
    for (const auto& section : SeedSections(version)) {
        PutU16(out, static_cast<std::uint16_t>(section.size()));
        for (const auto& name : section) {
            std::uint8_t slot[NameTextSize] = {};
            name.copy(reinterpret_cast<char*>(slot), NameTextSize);
            out.insert(out.end(), slot, slot + NameTextSize);
        }
    }
    for (std::uint16_t r : {1, 2, 0})
        PutU16(out, r);
    return out;
}

Bytes Version5File() {
    Collection c;
    c.titles = SeedTitles();
    const auto sections = SeedSections('5');
    // Sections are in file order; the collection keeps its lists by ListId.
    const ListId fileOrder[] = {ListId::Director, ListId::Actor,    ListId::Composer,
                                ListId::Box,      ListId::Info,     ListId::Publisher,
                                ListId::Media,    ListId::Retailer, ListId::Info2};
    for (std::size_t i = 0; i < sections.size(); ++i)
        c.List(fileOrder[i]) = sections[i];
    c.ListeIndex = {1, 2, 0};
    return SerializeCollection(c);
}

bool Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: collection_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    bool ok = true;
    for (char version : {'T', '2', '3', '4'})
        ok &= Write(folder / (std::string("version-") + version + ".kxt"), OlderFile(version));
    ok &= Write(folder / "version-5.kxt", Version5File());
    ok &= Write(folder / "empty.kxt", SerializeCollection(Collection{}));
    ok &= Write(folder / "bare-header.kxt", Bytes{'K', 'X', '5', 0, 0});
    if (!ok) std::fprintf(stderr, "collection_seeds: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
