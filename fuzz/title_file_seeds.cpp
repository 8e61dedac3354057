// Writes the seed corpus of the title-file reader fuzz target into the folder given as argument:
// a title naming nothing, one naming something in every exported list, and one with a long name.
#include "store/files/title_file.h"
#include "store/title_exchange.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    using namespace tavrin;
    if (argc != 2) {
        std::fprintf(stderr, "usage: title_file_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    auto write = [&dir](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    Collection c;
    TitleRecord t;
    t.SetTitle("VERTIGO");
    t.SetYear(1958);
    for (const auto& slot : TitleFileSlots)
        ClearSlot(t, slot);
    AppendTitle(c, t);
    write("bare.KXM", ExportTitle(c, 0));

    for (const auto& slot : TitleFileSlots) {
        auto& names = c.List(slot.list);
        names.push_back(std::string(ListName(slot.list)) + " " + std::to_string(names.size()));
        if (slot.list == ListId::Publisher)
            c.RecordAt(0).SetPublisher(static_cast<int>(names.size() - 1));
        else
            c.RecordAt(0).SetU16(slot.offset, static_cast<std::uint16_t>(names.size() - 1));
    }
    write("every-list.KXM", ExportTitle(c, 0));
    c.List(ListId::Director)[0] = std::string(49, 'D');
    write("long-name.KXM", ExportTitle(c, 0));
    return 0;
}
