#include "cli/dump.h"

#include "cli/cli_files.h"
#include "store/text_encoding.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tavrin::cli {
namespace {

using Json = nlohmann::ordered_json;

// nlohmann prints doubles with 17 digits, which would turn 12.99f into 12.989999771118164; the
// shortest text of the float, read back as a double, prints as 12.99 and still reads back as the
// same float.
Json PriceJson(float price) {
    if (std::isnan(price)) return "NaN";
    if (std::isinf(price)) return price > 0 ? "Infinity" : "-Infinity";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text - 1, price).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

std::string HexText(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (auto b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 0x0F]);
    }
    return text;
}

Json FieldJson(const TitleRecord& t, const FieldInfo& field) {
    switch (field.kind) {
    case FieldKind::Text:
        return Cp1252ToUtf8(t.TitleView());
    case FieldKind::U8:
    case FieldKind::Flag:
        return t.U8(field.offset);
    case FieldKind::U16:
        return t.U16(field.offset);
    case FieldKind::I32:
        return t.I32(field.offset);
    case FieldKind::F32:
        return PriceJson(t.F32(field.offset));
    case FieldKind::Reserved:
        return HexText(t.Reserved());
    case FieldKind::Publisher:
        return t.PublisherStored();
    }
    return nullptr;
}

} // namespace

Json CollectionJson(const LoadedCollection& loaded) {
    const Collection& c = loaded.collection;
    Json titles = Json::array();
    for (const auto& t : c.titles) {
        Json record = Json::object();
        for (const auto& field : TitleFields())
            record[std::string(field.name)] = FieldJson(t, field);
        titles.push_back(std::move(record));
    }
    Json lists = Json::object();
    for (ListId id : AllLists) {
        Json names = Json::array();
        for (const auto& name : c.List(id))
            names.push_back(Cp1252ToUtf8(name));
        lists[std::string(ListName(id))] = std::move(names);
    }
    Json doc = Json::object();
    doc["version"] = loaded.magic;
    doc["titles"] = std::move(titles);
    doc["lists"] = std::move(lists);
    doc["order"] = c.ListeIndex;
    return doc;
}

int RunDump(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    auto loaded = LoadForCli(std::filesystem::path(args[0]), err);
    if (!loaded) return ExitFailure;
    out << CollectionJson(*loaded).dump(2) << '\n';
    return FinishOutput(out, err);
}

} // namespace tavrin::cli
