// Writes the seed corpus of the name-list reader fuzz target into the folder given as argument:
// a list file of each letter, an empty one and one whose letter names no list.
#include "store/files/name_list_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    using namespace tavrin;
    if (argc != 2) {
        std::fprintf(stderr, "usage: name_list_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    auto write = [&dir](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    Collection c;
    c.List(ListId::Director) = {"SPIELBERG", "TRUFFAUT", "L\xC9OTARD"};
    c.List(ListId::Actor) = {"FORD", "ALLEN"};
    c.List(ListId::Composer) = {"WILLIAMS"};
    c.List(ListId::Box) = {"TRILOGY"};
    c.List(ListId::Publisher) = {"CRITERION", "PIONEER"};
    c.List(ListId::Retailer) = {"FNAC"};
    c.List(ListId::Info) = {"SIGNED"};
    for (ListId list : NameListFileLists)
        write("list." + std::string(NameListExtension(list)), SerializeNameList(c, list));
    write("empty.KXD", SerializeNameList(Collection{}, ListId::Director));
    write("no-list.KXA", {'K', 'X', 'Z', 1, 0});
    return 0;
}
