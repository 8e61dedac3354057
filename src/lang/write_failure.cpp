#include "lang/write_failure.h"

#include "lang/read_failure.h"

#include <cerrno>

namespace tavrin {

std::string WriteFailureMessage(const MessageCatalogue& catalogue, const FileFailure& failure) {
    // A copy fails on its source too: that is a file that could not be read.
    if (failure.error != FileError::CannotWrite) return ReadFailureMessage(catalogue, failure);
    // Every writer gives the system's reason; a failure without one still reads as a sentence.
    const std::string reason = failure.detail.empty() ? SystemReason(EIO) : failure.detail;
    const std::string_view text = catalogue(Msg::MsgCouldNotWriteUnchanged);
    // One pass, so that a "%2" in a file's name stays as it is.
    std::string message;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            message += text[i + 1] == '1' ? failure.path : reason;
            ++i;
        } else {
            message += text[i];
        }
    }
    return message;
}

} // namespace tavrin
