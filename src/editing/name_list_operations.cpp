#include "editing/name_list_operations.h"

#include "store/text_encoding.h"

#include <algorithm>
#include <cstdint>

namespace tavrin {
namespace {

bool RefersTo(const TitleRecord& t, ListId list, int entry) {
    if (list == ListId::Publisher) return t.PublisherEntry() == entry;
    for (std::size_t off : ReferringOffsets(list))
        if (EntryFromStored(t.U16(off)) == entry) return true;
    return false;
}

} // namespace

std::string NormalizedName(std::string_view typed) {
    // Blanks around a typed name are never part of it: "RIDLEY SCOTT " is "RIDLEY SCOTT".
    constexpr std::string_view blanks = " \t";
    const auto first = typed.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    typed = typed.substr(first, typed.find_last_not_of(blanks) - first + 1);
    return UpperCp1252(typed.substr(0, std::min(typed.size(), NameTextSize - 1)));
}

int LocateEntry(const NameList& list, std::string_view name) {
    const auto it = std::find(list.begin(), list.end(), name);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

Msg ListFieldName(ListId list) {
    switch (list) {
    case ListId::Director:
        return Msg::MsgDirector;
    case ListId::Actor:
        return Msg::MsgActor;
    case ListId::Composer:
        return Msg::MsgComposer;
    case ListId::Box:
        return Msg::MsgBoxNameOrMultiple;
    case ListId::Publisher:
        return Msg::MsgPublisher;
    case ListId::Retailer:
        return Msg::MsgRetailer;
    case ListId::Info:
    case ListId::Info2:
        return Msg::MsgOtherInformations;
    case ListId::Media:
        return Msg::MsgMultimediaFile;
    }
    return Msg::MsgDirector;
}

Msg ListFullMessage(ListId list) {
    return list == ListId::Publisher ? Msg::MsgYouCanTAddMore : Msg::MsgYouCanTAddA;
}

Expected<PickedName, Msg> PickOrAddName(Collection& c, ListId list, std::string_view typed) {
    const std::string name = NormalizedName(typed);
    if (name.empty()) return Unexpected{Msg::MsgEnterAName};
    if (const int found = LocateEntry(c.List(list), name); found >= 0) return PickedName{found, false};
    int entry = -1;
    if (AddName(c, list, name, &entry) != StoreError::None) return Unexpected{ListFullMessage(list)};
    return PickedName{entry, true};
}

std::string DeleteQuestion(const MessageCatalogue& catalogue, std::string_view name, std::size_t uses) {
    const std::string text =
        Utf8ToCp1252(catalogue(uses == 0 ? Msg::MsgDeleteName : Msg::MsgNameRegisteredOn));
    const std::string count = std::to_string(uses);
    // One pass, so that a "%2" in the name stays as it is.
    std::string question;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2'))
            question += text[++i] == '1' ? name : std::string_view(count);
        else
            question += text[i];
    }
    return question;
}

Msg DeleteCaption(ListId list) {
    if (list == ListId::Media) return Msg::MsgDeleteAnInformation;
    return list == ListId::Actor ? Msg::MsgDeleteAnActor : Msg::MsgDeleteAnElement;
}

std::vector<std::size_t> DeleteEntry(Collection& c, ListId list, int entry, const TitleProgress& progress) {
    std::vector<std::size_t> erasedIn;
    if (entry < 0 || static_cast<std::size_t>(entry) >= c.List(list).size()) return erasedIn;
    for (std::size_t r = 0; r < c.titles.size(); ++r) {
        if (progress) progress(r);
        if (RefersTo(c.titles[r], list, entry)) erasedIn.push_back(r);
    }
    RemoveName(c, list, entry);
    return erasedIn;
}

std::string ErasedInLine(const MessageCatalogue& catalogue, const Collection& c, std::size_t record) {
    return Utf8ToCp1252(catalogue(Msg::MsgErasedIn)) + c.titles[record].Title();
}

std::optional<Msg> RenameEntry(Collection& c, ListId list, int entry, std::string_view text) {
    auto& names = c.List(list);
    if (entry < 0 || static_cast<std::size_t>(entry) >= names.size()) return std::nullopt;
    const std::string name = NormalizedName(text);
    if (name.empty()) return Msg::MsgEnterAName;
    if (LocateEntry(names, name) >= 0) return Msg::MsgThisNameAlreadyExist;
    RenameName(c, list, entry, name);
    return std::nullopt;
}

CleanResult CleanList(Collection& c, ListId list, const EntryProgress& progress, const EntryGone& gone) {
    CleanResult result;
    NameList& names = c.List(list);
    const std::size_t n = names.size();
    if (n == 0) return result;

    // One read of every title: the uses of each entry. References beyond the list count nowhere.
    std::vector<std::uint32_t> uses(n, 0);
    const auto offsets = ReferringOffsets(list);
    const bool publisher = list == ListId::Publisher;
    for (const auto& t : c.titles) {
        if (publisher) {
            const int v = t.PublisherEntry();
            if (v >= 0 && static_cast<std::size_t>(v) < n) ++uses[static_cast<std::size_t>(v)];
            continue;
        }
        for (std::size_t off : offsets) {
            const int v = EntryFromStored(t.U16(off));
            if (v >= 0 && static_cast<std::size_t>(v) < n) ++uses[static_cast<std::size_t>(v)];
        }
    }

    // Removing the unused entries from the first on: an entry's new number is its old one less the
    // removals below it. A reference beyond the list sits above every removal, so it drops by all.
    std::vector<int> renumbered(n, -1);
    NameList kept;
    kept.reserve(n);
    int removed = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (progress) progress(n - i, names[i]);
        if (uses[i] == 0 || (gone && gone(names[i]))) {
            result.removedAt.push_back(static_cast<int>(i) - removed);
            result.erased.push_back(std::move(names[i]));
            ++removed;
        } else {
            renumbered[i] = static_cast<int>(i) - removed;
            kept.push_back(std::move(names[i]));
        }
    }
    names = std::move(kept);
    if (removed == 0) return result;

    // One write pass: only fields whose number changes are touched, as one-by-one removal would.
    auto newNumber = [&](int v) { return static_cast<std::size_t>(v) < n ? renumbered[v] : v - removed; };
    for (auto& t : c.titles) {
        if (publisher) {
            const int v = t.PublisherEntry();
            if (v < 0) continue;
            const int nv = newNumber(v);
            if (nv != v) t.SetPublisher(nv);
            continue;
        }
        for (std::size_t off : offsets) {
            const int v = EntryFromStored(t.U16(off));
            if (v < 0) continue;
            const int nv = newNumber(v);
            if (nv != v) t.SetU16(off, StoredFromEntry(nv)); // a removed entry in use: none
        }
    }
    return result;
}

std::string ErasedLine(const MessageCatalogue& catalogue, std::string_view name) {
    return Utf8ToCp1252(catalogue(Msg::MsgErased)) + std::string(name);
}

} // namespace tavrin
