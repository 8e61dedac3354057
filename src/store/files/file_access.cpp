#include "store/files/file_access.h"

#include <cerrno>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tavrin {

std::string PathText(const std::filesystem::path& p) {
    const auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

std::string SystemReason(int err) {
    return std::generic_category().message(err);
}

std::FILE* OpenForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

Expected<Done, FileFailure> WriteFileReplacing(const std::filesystem::path& path,
                                               std::span<const std::uint8_t> bytes, bool flushToDisk) {
    return WriteFileReplacingWith(
        path, [bytes](const ByteWriter& write) { return bytes.empty() || write(bytes); }, flushToDisk);
}

Expected<Done, FileFailure> WriteFileReplacingWith(const std::filesystem::path& path,
                                                   const std::function<bool(const ByteWriter&)>& produce,
                                                   bool flushToDisk) {
    const std::string name = PathText(path);
    auto fail = [&name](int err) {
        return Unexpected{FileFailure{FileError::CannotWrite, name, SystemReason(err)}};
    };

    std::random_device rd;
    std::filesystem::path temp = path;
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "." + std::string in Release.
    temp += ".";
    temp += std::to_string(rd() % 1000000);
    temp += ".tmp";
    std::FILE* f = nullptr;
#ifdef _WIN32
    f = _wfopen(temp.c_str(), L"wbx");
#else
    f = std::fopen(temp.c_str(), "wbx");
#endif
    if (!f) return fail(errno);
    int err = 0;
    const ByteWriter write = [f, &err](std::span<const std::uint8_t> piece) {
        if (piece.empty() || std::fwrite(piece.data(), 1, piece.size(), f) == piece.size()) return true;
        err = errno;
        return false;
    };
    bool ok = produce(write);
    if (!ok && err == 0) err = EIO; // abandoned by the producer
    if (ok && std::fflush(f) != 0) {
        ok = false;
        err = errno;
    }
    if (ok && flushToDisk) {
#ifdef _WIN32
        ok = _commit(_fileno(f)) == 0;
#else
        ok = fsync(fileno(f)) == 0;
#endif
        if (!ok) err = errno;
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    std::error_code ec;
    if (ok) {
        // A file being replaced keeps its permissions.
        const auto st = std::filesystem::status(path, ec);
        if (!ec && std::filesystem::exists(st))
            std::filesystem::permissions(temp, st.permissions(), std::filesystem::perm_options::replace, ec);
        ec.clear();
        std::filesystem::rename(temp, path, ec);
        if (ec) {
            ok = false;
            err = ec.value();
        }
    }
    if (!ok) {
        std::filesystem::remove(temp, ec);
        return fail(err);
    }
    return Done{};
}

} // namespace tavrin
