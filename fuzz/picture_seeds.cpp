// Writes the seed corpora of the TGA and PCX reader fuzz targets into the two folders given as
// arguments: a small picture in every layout the readers take.
#include "picture_samples.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    using namespace tavrin;
    using namespace tavrin::test;
    if (argc != 3) {
        std::fprintf(stderr, "usage: picture_seeds TGA-FOLDER PCX-FOLDER\n");
        return 2;
    }
    const std::filesystem::path tga = argv[1], pcx = argv[2];
    std::filesystem::create_directories(tga);
    std::filesystem::create_directories(pcx);
    auto write = [](const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    const std::uint32_t colours[] = {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(200, 30, 30), Rgb(20, 90, 220)};
    const Picture picture = MakePicture(6, 4, [&](int x, int y) { return colours[(x / 2 + y) % 4]; });
    const Picture grey = MakePicture(6, 4, [](int x, int) { return Rgb(x * 40, x * 40, x * 40); });
    const int types[] = {1, 2, 3, 9, 10, 11};
    for (int type : types) {
        const int base = type > 8 ? type - 8 : type;
        const int depths[][2] = {{8, 24}, {8, 16}, {16, 32}, {15, 0}, {16, 0}, {24, 0}, {32, 0}};
        for (const auto& [depth, mapDepth] : depths) {
            if (base == 1 && mapDepth == 0) continue;
            if (base == 2 && depth == 8) continue;
            if (base == 3 && depth != 8 && depth != 16) continue;
            if (base != 1 && mapDepth != 0) continue;
            const std::string name =
                "type" + std::to_string(type) + "-" + std::to_string(depth) + "-" + std::to_string(mapDepth);
            // Both origins, one right-to-left file and one with the footer.
            TgaLayout layout{type, depth, mapDepth, type % 2 == 0, type == 10, type == 2};
            write(tga / (name + ".tga"), MakeTga(base == 3 ? grey : picture, layout));
        }
    }
    const int layouts[][2] = {{8, 3}, {8, 4}, {8, 1}, {4, 1}, {2, 1}, {1, 4}, {1, 1}};
    for (const auto& [bits, planes] : layouts) {
        const Picture mono =
            MakePicture(6, 4, [](int x, int) { return x % 2 ? Rgb(255, 255, 255) : Rgb(0, 0, 0); });
        const Picture& p = bits == 1 && planes == 1 ? mono : picture;
        write(pcx / ("pcx-" + std::to_string(bits) + "x" + std::to_string(planes) + ".pcx"),
              MakePcx(p, {bits, planes, true}));
    }
    write(pcx / "plain-8x3.pcx", MakePcx(picture, {8, 3, false}));
    return 0;
}
