#include "platform/window_geometry.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

namespace tavrin {
namespace {

// A whole number filling the text, within the range a screen coordinate can take.
std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < -1'000'000 || value > 1'000'000) return std::nullopt;
    return value;
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return fields;
        text.remove_prefix(comma + 1);
    }
}

std::int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const std::int64_t h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

bool Holds(const ScreenRect& area, int x, int y) {
    return x >= area.x && x < area.x + area.width && y >= area.y && y < area.y + area.height;
}

// One side of the frame: as long as the area allows, and starting inside it.
void Fit(int& start, int& length, int areaStart, int areaLength) {
    length = std::min(length, areaLength);
    start = std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

std::string WindowPlaceText(const WindowPlace& place) {
    const ScreenRect& f = place.frame;
    std::string text = std::to_string(f.x) + ',' + std::to_string(f.y) + ',' + std::to_string(f.width) + ',' +
                       std::to_string(f.height);
    if (place.maximised) text += ",max";
    return text;
}

std::optional<WindowPlace> WindowPlaceFromText(std::string_view text) {
    const std::vector<std::string_view> fields = Fields(text);
    if (fields.size() != 4 && fields.size() != 5) return std::nullopt;
    int numbers[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto n = WholeNumber(fields[i]);
        if (!n) return std::nullopt;
        numbers[i] = *n;
    }
    if (numbers[2] < 1 || numbers[3] < 1) return std::nullopt;
    if (fields.size() == 5 && fields[4] != "max") return std::nullopt;
    return WindowPlace{{numbers[0], numbers[1], numbers[2], numbers[3]}, fields.size() == 5};
}

ScreenRect PlaceOnScreens(ScreenRect frame, std::span<const ScreenRect> screens) {
    if (screens.empty()) return frame;
    const int cx = frame.x + frame.width / 2, cy = frame.y + frame.height / 2;
    const ScreenRect* chosen = nullptr;
    for (const ScreenRect& s : screens)
        if (Holds(s, cx, cy)) {
            chosen = &s;
            break;
        }
    if (!chosen) {
        std::int64_t most = 0;
        for (const ScreenRect& s : screens)
            if (const std::int64_t o = Overlap(frame, s); o > most) {
                most = o;
                chosen = &s;
            }
    }
    const ScreenRect& area = chosen ? *chosen : screens.front();
    if (!chosen) {
        // Left on a screen that is gone: in the middle of the first one.
        frame.x = area.x + (area.width - frame.width) / 2;
        frame.y = area.y + (area.height - frame.height) / 2;
    }
    Fit(frame.x, frame.width, area.x, area.width);
    Fit(frame.y, frame.height, area.y, area.height);
    return frame;
}

std::optional<int> PixelsFromText(std::string_view text) {
    const auto n = WholeNumber(text);
    if (!n || *n < 1) return std::nullopt;
    return n;
}

} // namespace tavrin
