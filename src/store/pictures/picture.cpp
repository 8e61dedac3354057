#include "store/pictures/picture.h"

#include <string>

namespace tavrin {

std::vector<std::uint8_t> PortablePixmap(const Picture& picture) {
    std::vector<std::uint8_t> out;
    if (picture.Empty()) return out;
    const std::string head =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    out.reserve(head.size() + picture.pixels.size() * 3);
    out.assign(head.begin(), head.end());
    for (const std::uint32_t p : picture.pixels) {
        out.push_back(static_cast<std::uint8_t>(p >> 16));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p));
    }
    return out;
}

} // namespace tavrin
