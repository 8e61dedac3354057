#include "lang/read_failure.h"

#include "lang/write_failure.h"

#include <array>
#include <cerrno>
#include <string_view>

namespace tavrin {
namespace {

// The text with %1, %2 and %3 replaced in one pass, so that a "%2" in a file's name stays as it is.
std::string Filled(std::string_view text, std::array<std::string_view, 3> values) {
    std::string message;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
            message += values[static_cast<std::size_t>(text[i + 1] - '1')];
            ++i;
        } else {
            message += text[i];
        }
    }
    return message;
}

} // namespace

std::string Megabytes(std::uintmax_t bytes, int language) {
    constexpr std::uintmax_t MB = std::uintmax_t{1} << 20;
    const std::string digits = std::to_string(bytes / MB + (bytes % MB != 0));
    // English, French, German, Italian, Finnish; French and Finnish group with a no-break space.
    static constexpr std::array<std::string_view, LanguageCount> separators{",", "\xC2\xA0", ".", ".",
                                                                            "\xC2\xA0"};
    const std::string_view separator = separators[language >= 0 && language < LanguageCount ? language : 0];
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

std::string ReadFailureMessage(const MessageCatalogue& catalogue, const FileFailure& failure) {
    switch (failure.error) {
    case FileError::NotFound:
        return Filled(catalogue(Msg::MsgFileCannotBeRead), {failure.path, SystemReason(ENOENT)});
    case FileError::CannotRead:
        return Filled(catalogue(Msg::MsgFileCannotBeRead),
                      {failure.path, failure.detail.empty() ? SystemReason(EIO) : failure.detail});
    case FileError::NotRegular:
        return Filled(catalogue(Msg::MsgNotARegularFile), {failure.path});
    case FileError::TooLarge: {
        // The limit rounds down, so that a file just over it never reads as being at it.
        const std::uintmax_t limit = failure.limit - failure.limit % (std::uintmax_t{1} << 20);
        return Filled(catalogue(Msg::MsgFileTooLarge),
                      {failure.path, Megabytes(failure.size, catalogue.Language()),
                       Megabytes(limit, catalogue.Language())});
    }
    case FileError::Invalid:
        return std::string(catalogue(Msg::MsgInvalidFile));
    case FileError::CannotWrite:
        break;
    }
    return WriteFailureMessage(catalogue, failure);
}

} // namespace tavrin
