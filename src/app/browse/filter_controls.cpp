#include "app/browse/filter_controls.h"

#include <algorithm>

namespace tavrin {

YearTyped TypedFromYear(int typed, int to) {
    const int year = typed > to ? to : typed;
    return {year, year >= FirstFilterYear};
}

YearTyped TypedToYear(int typed, int currentYear) {
    const int year = typed > currentYear ? currentYear : typed;
    return {year, year > FirstFilterYear};
}

std::optional<int> LeftToYear(int to, int from) {
    if (to < from) return from;
    return std::nullopt;
}

int MovedLowMark(int low, int high) {
    return low > high ? high : low;
}

int MovedHighMark(int high, int low) {
    return high < low ? low : high;
}

std::optional<DateFieldFix> CheckEntryDateField(int day, int month, int year, DateField left,
                                                int currentYear) {
    if (IsValidDate(year, month, day)) return std::nullopt;
    switch (left) {
    case DateField::Day:
        return DateFieldFix{Msg::MsgDayInvalid, 1};
    case DateField::Month:
        return DateFieldFix{Msg::MsgMonthInvalid, 1};
    case DateField::Year:
        return DateFieldFix{Msg::MsgYearInvalid, currentYear};
    }
    return std::nullopt;
}

DayNumber ClampEntryDate(DayNumber entered, DayNumber earliest, DayNumber today) {
    if (entered < earliest) return earliest;
    if (entered > today) return today;
    return entered;
}

int FilterActorCount(const BrowseFilters& f) {
    return static_cast<int>(std::count_if(f.TActor.begin(), f.TActor.end(), [](int a) { return a >= 0; }));
}

ActorAdded AddFilterActor(BrowseFilters& f, int entry) {
    const int count = FilterActorCount(f);
    if (std::find(f.TActor.begin(), f.TActor.begin() + count, entry) != f.TActor.begin() + count)
        return ActorAdded::AlreadyChosen;
    if (count >= static_cast<int>(f.TActor.size())) return ActorAdded::Full;
    f.TActor[static_cast<std::size_t>(count)] = entry;
    return ActorAdded::Added;
}

void RemoveFilterActor(BrowseFilters& f, int position) {
    if (position < 0 || position >= static_cast<int>(f.TActor.size())) return;
    for (auto i = static_cast<std::size_t>(position); i + 1 < f.TActor.size(); ++i)
        f.TActor[i] = f.TActor[i + 1];
    f.TActor.back() = -1;
}

bool FollowRemovedActor(BrowseFilters& f, int removed) {
    bool changed = false;
    for (int position = static_cast<int>(f.TActor.size()) - 1; position >= 0; --position) {
        int& actor = f.TActor[static_cast<std::size_t>(position)];
        if (actor < 0 || actor < removed) continue;
        if (actor == removed)
            RemoveFilterActor(f, position);
        else
            --actor;
        changed = true;
    }
    return changed;
}

void ChooseSupport(BrowseFilters& f, int item) {
    f.TSupport = item;
    f.TZone = BrowseFilters{}.TZone;
}

namespace {

constexpr DvdFilter SingleSoundFilters[] = {DvdFilter::Dd10,   DvdFilter::Dd20,   DvdFilter::Dd40,
                                            DvdFilter::Dd51,   DvdFilter::Mpeg10, DvdFilter::Mpeg20,
                                            DvdFilter::Mpeg40, DvdFilter::Mpeg51};

void ChooseShortcut(BrowseFilters& f, DvdFilter chosen, DvdFilter other, int item) {
    for (DvdFilter d : SingleSoundFilters)
        f.DvdCombo(d) = DvdAllLang;
    f.DvdCombo(other) = DvdAllLang;
    f.DvdCombo(chosen) = item;
}

} // namespace

void ChooseAllDd(BrowseFilters& f, int item) {
    ChooseShortcut(f, DvdFilter::AllDd, DvdFilter::AllMpeg, item);
}

void ChooseAllMpeg(BrowseFilters& f, int item) {
    ChooseShortcut(f, DvdFilter::AllMpeg, DvdFilter::AllDd, item);
}

namespace {

int BrowseFilters::*SelectionMember(ListId list) {
    switch (list) {
    case ListId::Director:
        return &BrowseFilters::TDirector;
    case ListId::Composer:
        return &BrowseFilters::TComposer;
    case ListId::Box:
        return &BrowseFilters::TBox;
    case ListId::Publisher:
        return &BrowseFilters::TEditeur;
    case ListId::Retailer:
        return &BrowseFilters::TBoutique;
    case ListId::Info:
        return &BrowseFilters::TInfo;
    case ListId::Info2:
        return &BrowseFilters::TInfo2;
    case ListId::Actor:
    case ListId::Media:
        break;
    }
    return nullptr;
}

} // namespace

int* NameSelection(BrowseFilters& f, ListId list) {
    const auto member = SelectionMember(list);
    return member ? &(f.*member) : nullptr;
}

const int* NameSelection(const BrowseFilters& f, ListId list) {
    const auto member = SelectionMember(list);
    return member ? &(f.*member) : nullptr;
}

int NoEntrySelection(ListId list) {
    return list == ListId::Publisher ? NoPublisher : NoEntry;
}

Msg NeutralNameCaption(ListId list) {
    switch (list) {
    case ListId::Director:
        return Msg::MsgAllDirectors;
    case ListId::Composer:
        return Msg::MsgAllComposers;
    case ListId::Publisher:
        return Msg::MsgAllPublishers;
    case ListId::Box:
        return Msg::MsgNoBoxOrMultiple;
    case ListId::Retailer:
        return Msg::MsgNoRetailerSelected;
    default:
        return Msg::MsgNoOtherInformationsSelected;
    }
}

} // namespace tavrin
