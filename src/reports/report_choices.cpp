#include "reports/report_choices.h"

#include "store/text_encoding.h"

#include <algorithm>

namespace tavrin {
namespace {

constexpr std::array<std::string_view, DetailBoxCount> BoxNames{
    "DT",    "AT", "CT", "GT", "EdiT",   "ST", "SubT", "SideT", "RatioT", "LT",
    "MPAAT", "TT", "BT", "ET", "OtherT", "MT", "PT",   "WT",    "TextT"};

} // namespace

std::string_view DetailBoxName(DetailBox box) {
    return BoxNames[static_cast<std::size_t>(box)];
}

std::optional<DetailBox> DetailBoxFromName(std::string_view name) {
    for (std::size_t i = 0; i < BoxNames.size(); ++i)
        if (BoxNames[i] == name) return static_cast<DetailBox>(i);
    return std::nullopt;
}

std::string ListNameFromTyped(std::string_view typed) {
    return UpperCp1252(typed.substr(0, std::min(typed.size(), ListNameLimit)));
}

} // namespace tavrin
