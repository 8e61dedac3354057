#include "test_support.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace tavrin::test {

std::vector<std::uint8_t> MakeZip(const std::vector<ZipMember>& members) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(source);
    zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    for (const auto& [name, content] : members)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, content.data(), content.size(), 0), 0);
    zip_close(archive);
    zip_stat_t stat;
    zip_source_stat(source, &stat);
    std::vector<std::uint8_t> bytes(stat.size);
    zip_source_open(source);
    zip_source_read(source, bytes.data(), bytes.size());
    zip_source_close(source);
    zip_source_free(source);
    zip_error_fini(&error);
    return bytes;
}

std::vector<ZipMember> ZipMembers(const std::vector<std::uint8_t>& zip) {
    std::vector<ZipMember> members;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(zip.data(), zip.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source) zip_source_free(source);
        return members;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::vector<std::uint8_t> bytes(stat.size);
        if (zip_file_t* member = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0)) {
            zip_fread(member, bytes.data(), bytes.size());
            zip_fclose(member);
        }
        members.emplace_back(stat.name, std::move(bytes));
    }
    zip_discard(archive);
    return members;
}

TitleRecord MakeTitle(std::string_view title, std::uint16_t year) {
    TitleRecord r;
    r.SetTitle(title);
    r.SetYear(year);
    for (auto off : ActorOffsets)
        r.SetU16(off, NoEntry);
    for (auto off : MediaOffsets)
        r.SetU16(off, NoEntry);
    r.SetDirector(NoEntry);
    r.SetComposer(NoEntry);
    r.SetBox(NoEntry);
    r.SetInfo(NoEntry);
    r.SetInfo2(NoEntry);
    r.SetRetailer(NoEntry);
    r.SetPublisher(-1);
    return r;
}

Collection MakeCollection(std::initializer_list<std::string_view> titles) {
    Collection c;
    for (auto t : titles)
        AppendTitle(c, MakeTitle(t));
    return c;
}

TitleRecord FilledRecord(std::uint8_t seed, std::string_view title) {
    TitleRecord r;
    for (std::size_t i = 0; i < TitleRecordSize; ++i)
        r.bytes[i] = static_cast<std::uint8_t>(seed + i * 37 + 1);
    // The title text, its NUL, and whatever the rest of the 50 bytes held before.
    for (std::size_t i = 0; i < title.size() && i < TitleTextSize - 1; ++i)
        r.bytes[i] = static_cast<std::uint8_t>(title[i]);
    r.bytes[std::min(title.size(), TitleTextSize - 1)] = 0;
    return r;
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutSection(std::vector<std::uint8_t>& out, const std::vector<std::string>& names) {
    PutU16(out, static_cast<std::uint16_t>(names.size()));
    for (const auto& n : names) {
        std::uint8_t slot[NameTextSize] = {};
        for (std::size_t i = 0; i < n.size() && i < NameTextSize; ++i)
            slot[i] = static_cast<std::uint8_t>(n[i]);
        out.insert(out.end(), slot, slot + NameTextSize);
    }
}

std::vector<std::uint8_t> BuildFile(char version, const std::vector<TitleRecord>& records,
                                    const std::vector<std::vector<std::string>>& sections,
                                    const std::vector<std::uint16_t>& order) {
    std::vector<std::uint8_t> out{'K', 'X', static_cast<std::uint8_t>(version)};
    PutU16(out, static_cast<std::uint16_t>(records.size()));
    for (const auto& r : records)
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    for (const auto& s : sections)
        PutSection(out, s);
    for (auto r : order)
        PutU16(out, r);
    return out;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TempDir::TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("tavrin-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string WithoutMnemonic(std::string_view marked) {
    std::string plain;
    plain.reserve(marked.size());
    for (std::size_t i = 0; i < marked.size(); ++i) {
        if (marked[i] == '&') {
            if (i + 1 < marked.size() && marked[i + 1] == '&')
                ++i;
            else
                continue;
        }
        plain += marked[i];
    }
    return plain;
}

} // namespace tavrin::test
