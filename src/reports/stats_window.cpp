#include "reports/stats_window.h"

#include "platform/text.h"
#include "platform/user_prompts.h"
#include "platform/window_placement.h"
#include "store/files/file_access.h"

#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace tavrin {
namespace {

constexpr std::array<Msg, 13> MonthItems{
    Msg::MsgAllMonths, Msg::MsgJanuary,  Msg::MsgFebruary, Msg::MsgMarch,  Msg::MsgApril,
    Msg::MsgMay,       Msg::MsgJune,     Msg::MsgJuly,     Msg::MsgAugust, Msg::MsgSeptember,
    Msg::MsgOctober,   Msg::MsgNovember, Msg::MsgDecember};

QToolButton* ChartButton(const char* name, QWidget* parent, const char* fixedCaption = nullptr) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (fixedCaption) button->setText(QString::fromUtf8(fixedCaption));
    return button;
}

// A rectangle as the chart draws it: the far edges excluded, the outline inside.
QRect BarRect(const ChartBar& bar) {
    const int left = std::min(bar.x0, bar.x1), right = std::max(bar.x0, bar.x1);
    const int top = std::min(bar.y0, bar.y1), bottom = std::max(bar.y0, bar.y1);
    return {left, top, right - left, bottom - top};
}

void WriteOnWhite(QPainter& painter, int x, int y, const QString& text) {
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    const QRect area = painter.boundingRect(QRect(x, y, 0, 0), flags, text);
    painter.fillRect(area, Qt::white);
    painter.drawText(area, flags, text);
}

} // namespace

QImage BlankChart() {
    QImage image(StatsBoxWidth, StatsBoxHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage PaintChart(const ChartPicture& picture) {
    QImage image = BlankChart();
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    for (const ChartBar& bar : picture.bars) {
        const QRect r = BarRect(bar);
        if (r.width() <= 0 || r.height() <= 0) continue;
        painter.fillRect(r, QColor(255, 0, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    for (const ChartLabel& label : picture.labels)
        WriteOnWhite(painter, label.x, label.y, QStringFromUtf8(label.text));
    if (picture.footer) WriteOnWhite(painter, FooterX, FooterY, QStringFromUtf8(*picture.footer));
    return image;
}

// ---- The chart box ----

ChartBox::ChartBox(const MessageCatalogue& catalogue, QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), image_(BlankChart()) {
    setObjectName(QStringLiteral("StatsBox"));
    setFixedSize(StatsBoxWidth, StatsBoxHeight);
}

void ChartBox::Show(QImage image) {
    image_ = std::move(image);
    update();
}

void ChartBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void ChartBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QText(catalogue_, Msg::MsgSaveChartAsPng), this, &ChartBox::SaveRequested);
    menu.addAction(QText(catalogue_, Msg::MsgCopyChart), this, &ChartBox::CopyRequested);
    menu.exec(event->globalPos());
}

// ---- The window ----

TStatsForm::TStatsForm(const MessageCatalogue& catalogue)
    : QWidget(nullptr, Qt::Window), catalogue_(catalogue) {
    setObjectName(QStringLiteral("TStatsForm"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* buttons = new QWidget(this);
    SpeedButton2 = ChartButton("SpeedButton2", buttons, "LD/DVD");
    SpeedButton1 = ChartButton("SpeedButton1", buttons, "Ratio");
    SpeedButton3 = ChartButton("SpeedButton3", buttons, "Genre");
    SpeedButton4 = ChartButton("SpeedButton4", buttons);
    SpeedButton5 = ChartButton("SpeedButton5", buttons);
    SpeedButton6 = ChartButton("SpeedButton6", buttons);
    SpeedButton7 = ChartButton("SpeedButton7", buttons, "MPAA");
    SpeedButton8 = ChartButton("SpeedButton8", buttons);
    SpeedButton9 = ChartButton("SpeedButton9", buttons, "Standard");
    SpeedButton10 = ChartButton("SpeedButton10", buttons);
    SpeedButton11 = ChartButton("SpeedButton11", buttons, "CAV / CLV");
    SpeedButton15 = ChartButton("SpeedButton15", buttons, "RSDL");
    SpeedButton14 = ChartButton("SpeedButton14", buttons, "DVD Zone");
    // Charts that were planned and never made.
    SpeedButton12 = ChartButton("SpeedButton12", buttons, "DVD Sound");
    SpeedButton13 = ChartButton("SpeedButton13", buttons, "DVD Lang.");
    SpeedButton12->hide();
    SpeedButton13->hide();

    GroupBox1 = new QGroupBox(buttons);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    YearCombo = new QComboBox(GroupBox1);
    YearCombo->setObjectName(QStringLiteral("YearCombo"));
    MonthCombo = new QComboBox(GroupBox1);
    MonthCombo->setObjectName(QStringLiteral("MonthCombo"));
    auto* period = new QVBoxLayout(GroupBox1);
    period->setContentsMargins(4, 4, 4, 4);
    period->addWidget(YearCombo);
    period->addWidget(MonthCombo);

    auto* column = new QVBoxLayout(buttons);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    const std::pair<QToolButton*, StatsChart> charts[] = {
        {SpeedButton2, StatsChart::Medium},    {SpeedButton1, StatsChart::Ratio},
        {SpeedButton3, StatsChart::Genre},     {SpeedButton4, StatsChart::MovieMark},
        {SpeedButton5, StatsChart::ImageMark}, {SpeedButton6, StatsChart::SoundMark},
        {SpeedButton7, StatsChart::Mpaa},      {SpeedButton8, StatsChart::Sound},
        {SpeedButton9, StatsChart::Standard},  {SpeedButton10, StatsChart::NewUsed},
        {SpeedButton11, StatsChart::CavClv},   {SpeedButton15, StatsChart::Rsdl},
        {SpeedButton14, StatsChart::Zone},
    };
    for (const auto& [button, chart] : charts) {
        column->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, chart] { ChartClick(chart); });
    }
    column->addWidget(SpeedButton12);
    column->addWidget(SpeedButton13);
    column->addStretch();
    column->addWidget(GroupBox1);
    buttons->setFixedWidth(130);

    StatsBox = new ChartBox(catalogue_, this);
    connect(StatsBox, &ChartBox::SaveRequested, this, &TStatsForm::SaveChartAsPng);
    connect(StatsBox, &ChartBox::CopyRequested, this, &TStatsForm::CopyChart);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buttons);
    layout->addWidget(StatsBox);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QComboBox* box : {YearCombo, MonthCombo})
        connect(box, &QComboBox::activated, this, &TStatsForm::YearComboClick);

    setWindowTitle(QStringLiteral("STATS"));
    ApplyTexts();
    adjustSize();
    CentreOnScreen(this);
}

void TStatsForm::ApplyTexts() {
    SpeedButton4->setText(QCaptionText(catalogue_, Msg::MsgMovieMark));
    SpeedButton5->setText(QCaptionText(catalogue_, Msg::MsgImageMark));
    SpeedButton6->setText(QCaptionText(catalogue_, Msg::MsgSoundMark));
    SpeedButton8->setText(QCaptionText(catalogue_, Msg::MsgSound));
    SpeedButton10->setText(QCaptionText(catalogue_, Msg::MsgNewUsed));
    GroupBox1->setTitle(QCaptionText(catalogue_, Msg::MsgMoney));
    const int month = std::max(0, MonthCombo->currentIndex());
    MonthCombo->clear();
    for (Msg m : MonthItems)
        MonthCombo->addItem(QText(catalogue_, m));
    MonthCombo->setCurrentIndex(month);
}

bool TStatsForm::Open(StatsMode mode, const StatsSource& source) {
    if (!source.collection || !source.list || source.list->empty()) return false;
    source_ = source;
    const bool statistics = mode == StatsMode::Statistics;
    setWindowTitle(statistics ? QStringLiteral("STATS") : QStringLiteral("LD/DVD STATS"));
    for (QToolButton* button : {SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton7})
        button->setVisible(statistics);
    for (QToolButton* button : {SpeedButton11, SpeedButton14, SpeedButton15})
        button->setVisible(!statistics);
    show();
    raise();
    activateWindow();
    FormActivate();
    return true;
}

void TStatsForm::FormActivate() {
    if (!source_.collection) return;
    YearCombo->clear();
    for (int year : StatsYears(*source_.collection, *source_.list, source_.currentYear))
        YearCombo->addItem(QString::number(year));
    YearCombo->setCurrentIndex(YearCombo->count() - 1);
    MonthCombo->setCurrentIndex(0);
    StatsBox->Show(BlankChart());
}

void TStatsForm::ChartClick(StatsChart chart) {
    if (!source_.collection) return;
    if (const auto picture =
            DrawChart(*source_.collection, *source_.list, chart, source_.filters, catalogue_))
        Show(*picture);
}

void TStatsForm::YearComboClick() {
    // No year to choose (every purchase after the current year): nothing to draw.
    if (!source_.collection || YearCombo->currentIndex() < 0) return;
    const MoneyPeriod period{YearCombo->currentText().toInt(), std::max(0, MonthCombo->currentIndex())};
    if (const auto picture = DrawChart(*source_.collection, *source_.list, StatsChart::Money, source_.filters,
                                       catalogue_, period))
        Show(*picture);
}

void TStatsForm::Show(const ChartPicture& picture) {
    setWindowTitle(QStringFromUtf8(picture.caption));
    StatsBox->Show(PaintChart(picture));
    if (picture.message && source_.prompts) {
        prompting_ = true;
        source_.prompts->ShowMessage(QStringFromUtf8(*picture.message));
        prompting_ = false;
    }
}

void TStatsForm::SaveChartAsPng() {
    if (!source_.prompts) return;
    const QImage image = StatsBox->Image();
    prompting_ = true;
    const QString fileName = source_.prompts->AskSaveFile(
        {QStringLiteral("SAVE"), QStringLiteral("PNG (*.png)"), QStringLiteral("png")});
    if (!fileName.isEmpty()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const bool encoded = image.save(&buffer, "PNG");
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        if (!encoded)
            source_.prompts->ShowMessage(QText(catalogue_, Msg::MsgCannotWriteFile) + fileName);
        else if (auto written = WriteFileReplacing(PathFromQString(fileName),
                                                   std::span(data, static_cast<std::size_t>(bytes.size())));
                 !written)
            source_.prompts->ShowMessage(WriteFailureText(catalogue_, written.error()));
    }
    prompting_ = false;
}

void TStatsForm::CopyChart() {
    QGuiApplication::clipboard()->setImage(StatsBox->Image());
}

void TStatsForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    // This window's own dialogs come and go without making a new activation.
    if (prompting_) return;
    const bool active = isActiveWindow();
    if (active && !wasActive_) FormActivate();
    wasActive_ = active;
}

void TStatsForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

} // namespace tavrin
