// The URI of a local file as the desktop's thumbnail cache names it: "file://" and the absolute
// path, its UTF-8 bytes percent-encoded except for the letters, digits and the marks a path may
// hold as they are (the same escaping GLib gives, so that thumbnails made by other programs are
// found and ours are found by them).
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// path: absolute, '/'-separated, UTF-8.
std::string FileUri(std::string_view path);

} // namespace tavrin
