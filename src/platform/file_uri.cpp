#include "platform/file_uri.h"

namespace tavrin {
namespace {

bool KeptAsIs(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
    case '-':
    case '_':
    case '.':
    case '!':
    case '~':
    case '*':
    case '\'':
    case '(':
    case ')':
    case '/':
    case ':':
    case '@':
    case '&':
    case '=':
    case '+':
    case '$':
    case ',':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string FileUri(std::string_view path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    uri.reserve(uri.size() + path.size());
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (KeptAsIs(c)) {
            uri += ch;
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 0xF];
        }
    }
    return uri;
}

} // namespace tavrin
