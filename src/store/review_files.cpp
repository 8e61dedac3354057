#include "store/review_files.h"

#include "store/files/file_access.h"
#include "store/text_encoding.h"

#include <algorithm>

namespace tavrin {

std::string ReviewFileStem(std::string_view title) {
    const auto first = title.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    title = title.substr(first, title.find_last_not_of(' ') - first + 1);
    std::string stem(title);
    for (char& ch : stem) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F || std::string_view(" \"*/:<>?\\|").find(ch) != std::string_view::npos)
            ch = '_';
    }
    // Followed by a number 1 .. 9, these would make a device name on Windows (COM1, LPT3), which
    // no file can have there.
    if (stem.size() == 3) {
        const std::string upper = UpperCp1252(stem);
        if (upper == "COM" || upper == "LPT") stem += '_';
    }
    return stem;
}

std::filesystem::path ReviewFilePath(const std::filesystem::path& textFolder, std::string_view title,
                                     std::uint16_t number) {
    const std::string name = Cp1252ToUtf8(ReviewFileStem(title)) + std::to_string(number) + ".TXT";
    return textFolder / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::optional<std::string> ReadReviewText(const std::filesystem::path& file) {
    const auto bytes = ReadFileBytes(file, ReviewTextLimit, PastLimit::Ignore);
    if (!bytes) return std::nullopt;
    const auto nul = std::find(bytes->begin(), bytes->end(), std::uint8_t{0});
    return std::string(bytes->begin(), nul);
}

} // namespace tavrin
