// Writes the seed corpus of the Ant Movie Catalog reader fuzz target into the folder given as
// argument: a catalogue without films, one with a film whose every text and number is set and a
// picture, and one with two sparse films.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutInt(Bytes& out, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}
void PutText(Bytes& out, std::string_view text) {
    PutInt(out, static_cast<std::int32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

Bytes Header() {
    const std::string_view head = " AMC_3.5 Ant Movie Catalog 3.5.x   www.buypin.com    www.antp.be ";
    Bytes out(head.begin(), head.end());
    for (std::string_view text : {"Owner", "owner@example.org", "http://example.org", "Films"})
        PutText(out, text);
    return out;
}

void PutFilm(Bytes& out, std::int32_t number, bool full) {
    for (std::int32_t n : {number, full ? 36526 : 0, full ? 65 : -1, full ? 1994 : -1, full ? 107 : -1,
                           full ? 1200 : -1, full ? 128 : -1, full ? 1 : -1})
        PutInt(out, n);
    out.push_back(full ? 1 : 0);
    const char* texts[22] = {"CD 1",
                             "DVD",
                             "DVDRip",
                             "Anna",
                             "Harbour of Glass",
                             "Port de verre",
                             "Irene Vasko",
                             "Ola Berg",
                             "Norway",
                             "Mystery, Drama",
                             "Clara Holm (as Clara), Jon Dahl (Himself, older)\r\nMia \xC5sen",
                             "http://example.org",
                             "A harbour.\r\nA glass.",
                             "Caf\xE9",
                             "PAL",
                             "Dolby Digital 5.1",
                             "720x576",
                             "25",
                             "English, French",
                             "German",
                             "700 MB",
                             ".jpg"};
    for (int i = 0; i < 22; ++i)
        PutText(out, full || i == 5 ? texts[i] : "");
    PutText(out, full ? std::string_view("\xFF\xD8\xFF\xE0 picture") : std::string_view());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: amc_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const auto write = [&dir](const char* name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    write("empty.amc", Header());
    Bytes one = Header();
    PutFilm(one, 1, true);
    write("full.amc", one);
    Bytes two = Header();
    PutFilm(two, 1, false);
    PutFilm(two, 2, false);
    write("sparse.amc", two);
    return 0;
}
