#include "editing/dvd_panel_window.h"

#include "platform/text.h"
#include "platform/window_placement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrin {
namespace {

constexpr std::array<Msg, DvdLanguageCount> GroupCaptions{Msg::MsgChinese, Msg::MsgEnglish, Msg::MsgFrench,
                                                          Msg::MsgGerman,  Msg::MsgItalian, Msg::MsgJapanese,
                                                          Msg::MsgSpanish, Msg::MsgOther};
constexpr std::size_t SubtitleRow = 0;

} // namespace

TDVDPanel::TDVDPanel(const MessageCatalogue& catalogue) : catalogue_(catalogue) {
    setObjectName(QStringLiteral("TDVDPanel"));
    setAttribute(Qt::WA_QuitOnClose, false);

    DVDACTIVE = new QWidget(this);
    DVDACTIVE->setObjectName(QStringLiteral("DVDACTIVE"));
    auto* grid = new QGridLayout(DVDACTIVE);
    for (std::size_t l = 0; l < DvdLanguageCount; ++l) {
        auto* group = new QGroupBox(DVDACTIVE);
        group->setObjectName(
            QLatin1String(DvdGroupNames[l].data(), static_cast<int>(DvdGroupNames[l].size())));
        auto* inner = new QGridLayout(group);
        inner->setVerticalSpacing(2);
        for (std::size_t f = 0; f < DvdFormatCount; ++f) {
            auto* box = new QCheckBox(group);
            box->setObjectName(QString::fromStdString(DvdBoxName(f, l)));
            if (f != SubtitleRow)
                box->setText(QLatin1String(DvdFormatCaptions[f].data(),
                                           static_cast<int>(DvdFormatCaptions[f].size())));
            inner->addWidget(box, static_cast<int>(f % 5), static_cast<int>(f / 5));
            boxes_[f][l] = box;
        }
        groups_[l] = group;
        grid->addWidget(group, static_cast<int>(l / 4), static_cast<int>(l % 4));
    }

    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DVDACTIVE);
    layout->addLayout(buttons);

    ApplyTexts();
    adjustSize();
    CentreOnScreen(this);
}

void TDVDPanel::ApplyTexts() {
    setWindowTitle(QText(catalogue_, Msg::MsgDvdPanel));
    BitBtn1->setText(QText(catalogue_, Msg::MsgOk));
    for (std::size_t l = 0; l < DvdLanguageCount; ++l) {
        groups_[l]->setTitle(QText(catalogue_, GroupCaptions[l]));
        boxes_[SubtitleRow][l]->setText(QText(catalogue_, Msg::MsgSubtitled));
    }
}

void TDVDPanel::LoadDvdPanel(const Collection& c, std::optional<std::size_t> record) {
    if (const auto ticks = DvdTicksToShow(c, record)) SetTicks(*ticks);
}

void TDVDPanel::PackDvdFlags(TitleRecord& r, int support) const {
    PackDvdTicks(r, Ticks(), support);
}

DvdTicks TDVDPanel::Ticks() const {
    DvdTicks ticks{};
    for (std::size_t f = 0; f < DvdFormatCount; ++f)
        for (std::size_t l = 0; l < DvdLanguageCount; ++l)
            ticks[f][l] = boxes_[f][l]->isChecked();
    return ticks;
}

void TDVDPanel::SetTicks(const DvdTicks& ticks) {
    for (std::size_t f = 0; f < DvdFormatCount; ++f)
        for (std::size_t l = 0; l < DvdLanguageCount; ++l)
            boxes_[f][l]->setChecked(ticks[f][l]);
}

bool TDVDPanel::Editable() const {
    return DVDACTIVE->isEnabled();
}

void TDVDPanel::OpenForViewing(QWidget* opener) {
    Open(opener, false);
}

void TDVDPanel::OpenForEditing(QWidget* opener) {
    Open(opener, true);
}

void TDVDPanel::Open(QWidget* opener, bool editable) {
    // A panel still open for another window gives that window back first.
    if (opener_ && opener_ != opener) opener_->setEnabled(true);
    opener_ = opener;
    DVDACTIVE->setEnabled(editable);
    if (opener) opener->setEnabled(false);
    CentreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TDVDPanel::done(int result) {
    QDialog::done(result);
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
    emit Closed();
}

} // namespace tavrin
