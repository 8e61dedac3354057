// The MD5 digest of some bytes, as Tellico names its pictures by it. Not for anything that needs a
// secure hash.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tavrin {

std::array<std::uint8_t, 16> Md5(std::span<const std::uint8_t> bytes);
// The digest as 32 lower-case hex digits.
std::string Md5Hex(std::span<const std::uint8_t> bytes);

} // namespace tavrin
