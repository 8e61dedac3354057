// Where a window goes on the screen: its remembered size, place and state as the settings keep
// them, and a remembered frame brought back within the screens there are now.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct WindowPlace {
    ScreenRect frame; // the window's size and place when it is neither maximised nor full screen
    bool maximised = false;

    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// "120,80,900,640", and ",max" after it for a maximised window.
std::string WindowPlaceText(const WindowPlace& place);
// The place a text names; nothing for an empty or damaged text (not four whole numbers, a size
// below one pixel, an unknown state), which leaves the window where the program puts it.
std::optional<WindowPlace> WindowPlaceFromText(std::string_view text);

// The frame brought within the free area of the screen it lands on: the screen holding its centre,
// else the one it overlaps most. It keeps its size when that fits, else it shrinks to the area;
// then it moves just enough to lie inside. A frame on no screen goes to the middle of the first
// one (the primary screen); without screens it stays as it is.
ScreenRect PlaceOnScreens(ScreenRect frame, std::span<const ScreenRect> screens);

// A width in pixels as the settings keep it ("330"); nothing for a text that is not a whole
// number above zero.
std::optional<int> PixelsFromText(std::string_view text);

} // namespace tavrin
