// What the export window chooses for a report: the list name, the kind of export and the detail
// check boxes.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// The check boxes of the detail group, in the window's order, under their control names.
enum class DetailBox {
    DT,
    AT,
    CT,
    GT,
    EdiT,
    ST,
    SubT,
    SideT,
    RatioT,
    LT,
    MPAAT,
    TT,
    BT,
    ET,
    OtherT,
    MT,
    PT,
    WT,
    TextT
};
inline constexpr std::size_t DetailBoxCount = 19;
inline constexpr std::array<DetailBox, DetailBoxCount> AllDetailBoxes{
    DetailBox::DT,    DetailBox::AT,   DetailBox::CT,    DetailBox::GT,     DetailBox::EdiT,
    DetailBox::ST,    DetailBox::SubT, DetailBox::SideT, DetailBox::RatioT, DetailBox::LT,
    DetailBox::MPAAT, DetailBox::TT,   DetailBox::BT,    DetailBox::ET,     DetailBox::OtherT,
    DetailBox::MT,    DetailBox::PT,   DetailBox::WT,    DetailBox::TextT};

// "DT", "AT" .. "TextT".
std::string_view DetailBoxName(DetailBox box);
// The box of a control name, exactly as spelt; nothing for any other text.
std::optional<DetailBox> DetailBoxFromName(std::string_view name);

// The ticked detail boxes.
class DetailChoices {
  public:
    static DetailChoices None() { return {}; }
    static DetailChoices All() {
        DetailChoices c;
        c.ticked_.set();
        return c;
    }
    bool Has(DetailBox box) const { return ticked_.test(static_cast<std::size_t>(box)); }
    void Set(DetailBox box, bool on = true) { ticked_.set(static_cast<std::size_t>(box), on); }
    friend bool operator==(const DetailChoices&, const DetailChoices&) = default;

  private:
    std::bitset<DetailBoxCount> ticked_;
};

enum class ExportKind { JustTheTitles, OtherInformations };

inline constexpr std::string_view DefaultListName = "TAVRIN LIST";
inline constexpr std::size_t ListNameLimit = 80;

struct ExportChoices {
    std::string listName{DefaultListName}; // 8-bit
    ExportKind kind = ExportKind::JustTheTitles;
    DetailChoices details;
};

// A list name as the name field keeps it: upper case, at most 80 characters (8-bit).
std::string ListNameFromTyped(std::string_view typed);

} // namespace tavrin
