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
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

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
QRect BarRect(const ChartBar& bar, double sx, double sy) {
    const auto at = [](double v) { return static_cast<int>(std::lround(v)); };
    const int left = at(std::min(bar.x0, bar.x1) * sx), right = at(std::max(bar.x0, bar.x1) * sx);
    const int top = at(std::min(bar.y0, bar.y1) * sy), bottom = at(std::max(bar.y0, bar.y1) * sy);
    return {left, top, right - left, bottom - top};
}

// The footer's line and the space above it.
int FooterHeight(const QFontMetrics& metrics) {
    return metrics.height() + (FooterY - StatsChartHeight);
}

constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;

} // namespace

ChartLayout LayOutChart(const ChartPicture& picture, QSize box, const QFontMetrics& metrics) {
    ChartLayout layout;
    const int line = metrics.height();
    const int rows = std::max(1, box.height() - FooterHeight(metrics));
    const double sx = static_cast<double>(box.width()) / StatsBoxWidth;
    const double sy = static_cast<double>(rows) / StatsChartHeight;
    for (const ChartBar& bar : picture.bars)
        layout.bars.push_back(BarRect(bar, sx, sy));
    const auto place = [&](int x, int top, const QString& text) {
        const int width = metrics.horizontalAdvance(text);
        layout.places.emplace_back(std::max(0, std::min(x, box.width() - width)), top, width, line);
        layout.texts.push_back(text);
    };
    for (const ChartLabel& label : picture.labels) {
        const double middle = (label.y + LabelRise) * sy;
        const int top =
            std::clamp(static_cast<int>(std::lround(middle - line / 2.0)), 0, std::max(0, rows - line));
        place(static_cast<int>(std::lround(label.x * sx)), top, QStringFromUtf8(label.text));
    }
    if (picture.footer) place(FooterX, box.height() - line, QStringFromUtf8(*picture.footer));
    return layout;
}

QSize LeastChartSize(const MessageCatalogue& catalogue, const ChartPicture* picture,
                     const QFontMetrics& metrics) {
    // The lowest row of any chart holds its line of text.
    constexpr int lowestRow = StatsChartHeight / MostChartRows;
    const int rows = (StatsChartHeight * metrics.height() + lowestRow - 1) / lowestRow;
    int width = StatsBoxWidth;
    for (Msg footer : {Msg::MsgTheseStatsAreMadeWithAll, Msg::MsgTheseStatsAreMadeWithA})
        width = std::max(width, metrics.horizontalAdvance(QText(catalogue, footer)));
    if (picture)
        for (const ChartLabel& label : picture->labels)
            width = std::max(width, metrics.horizontalAdvance(QStringFromUtf8(label.text)));
    return {width, std::max(StatsBoxHeight, rows + FooterHeight(metrics))};
}

QImage PaintChart(const ChartPicture* picture, QSize box, const QFont& font) {
    QImage image(box, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!picture) return image;
    QPainter painter(&image);
    painter.setFont(font);
    const ChartLayout layout = LayOutChart(*picture, box, painter.fontMetrics());
    painter.setPen(QPen(Qt::black, 0));
    for (const QRect& r : layout.bars) {
        if (r.width() <= 0 || r.height() <= 0) continue;
        painter.fillRect(r, QColor(255, 0, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    for (std::size_t i = 0; i < layout.places.size(); ++i) {
        painter.fillRect(layout.places[i], Qt::white);
        painter.drawText(layout.places[i], TextFlags, layout.texts[i]);
    }
    return image;
}

// ---- The chart box ----

ChartBox::ChartBox(const MessageCatalogue& catalogue, QWidget* parent)
    : QWidget(parent), catalogue_(catalogue) {
    setObjectName(QStringLiteral("StatsBox"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartBox::Show(std::optional<ChartPicture> picture) {
    picture_ = std::move(picture);
    updateGeometry(); // a text wider than the box widens it
    update();
}

QImage ChartBox::Image() const {
    return PaintChart(picture_ ? &*picture_ : nullptr, size(), font());
}

QSize ChartBox::minimumSizeHint() const {
    return LeastChartSize(catalogue_, picture_ ? &*picture_ : nullptr, fontMetrics());
}

QSize ChartBox::sizeHint() const {
    return minimumSizeHint();
}

void ChartBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Image());
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
    SpeedButton1 = ChartButton("SpeedButton1", buttons);
    SpeedButton3 = ChartButton("SpeedButton3", buttons);
    SpeedButton4 = ChartButton("SpeedButton4", buttons);
    SpeedButton5 = ChartButton("SpeedButton5", buttons);
    SpeedButton6 = ChartButton("SpeedButton6", buttons);
    SpeedButton7 = ChartButton("SpeedButton7", buttons, "MPAA");
    SpeedButton8 = ChartButton("SpeedButton8", buttons);
    SpeedButton9 = ChartButton("SpeedButton9", buttons);
    SpeedButton10 = ChartButton("SpeedButton10", buttons);
    SpeedButton11 = ChartButton("SpeedButton11", buttons, "CAV / CLV");
    SpeedButton15 = ChartButton("SpeedButton15", buttons, "RSDL");
    SpeedButton14 = ChartButton("SpeedButton14", buttons);
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
    charts_ = {
        {SpeedButton2, StatsChart::Medium},    {SpeedButton1, StatsChart::Ratio},
        {SpeedButton3, StatsChart::Genre},     {SpeedButton4, StatsChart::MovieMark},
        {SpeedButton5, StatsChart::ImageMark}, {SpeedButton6, StatsChart::SoundMark},
        {SpeedButton7, StatsChart::Mpaa},      {SpeedButton8, StatsChart::Sound},
        {SpeedButton9, StatsChart::Standard},  {SpeedButton10, StatsChart::NewUsed},
        {SpeedButton11, StatsChart::CavClv},   {SpeedButton15, StatsChart::Rsdl},
        {SpeedButton14, StatsChart::Zone},
    };
    for (const auto& [button, chart] : charts_) {
        column->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, chart = chart] { ChartClick(chart); });
    }
    column->addWidget(SpeedButton12);
    column->addWidget(SpeedButton13);
    column->addStretch();
    column->addWidget(GroupBox1);
    CloseBtn = new QPushButton(buttons);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setAutoDefault(false);
    column->addWidget(CloseBtn);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    // As wide as its widest caption; the chart takes the rest of the window.
    buttons->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    StatsBox = new ChartBox(catalogue_, this);
    connect(StatsBox, &ChartBox::SaveRequested, this, &TStatsForm::SaveChartAsPng);
    connect(StatsBox, &ChartBox::CopyRequested, this, &TStatsForm::CopyChart);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buttons);
    layout->addWidget(StatsBox, 1);

    for (QComboBox* box : {YearCombo, MonthCombo})
        connect(box, &QComboBox::activated, this, &TStatsForm::YearComboClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    setWindowTitle(QText(catalogue_, Msg::MsgStatisticsCaption));
    ApplyTexts();
    adjustSize();
    CentreOnScreen(this);
}

void TStatsForm::ApplyTexts() {
    SpeedButton1->setText(QCaptionText(catalogue_, Msg::MsgChartRatio));
    SpeedButton3->setText(QCaptionText(catalogue_, Msg::MsgGenre));
    SpeedButton9->setText(QCaptionText(catalogue_, Msg::MsgChartStandardButton));
    SpeedButton14->setText(QCaptionText(catalogue_, Msg::MsgChartDvdZoneButton));
    SpeedButton4->setText(QCaptionText(catalogue_, Msg::MsgMovieMark));
    SpeedButton5->setText(QCaptionText(catalogue_, Msg::MsgImageMark));
    SpeedButton6->setText(QCaptionText(catalogue_, Msg::MsgSoundMark));
    SpeedButton8->setText(QCaptionText(catalogue_, Msg::MsgSound));
    SpeedButton10->setText(QCaptionText(catalogue_, Msg::MsgNewUsed));
    GroupBox1->setTitle(QCaptionText(catalogue_, Msg::MsgMoney));
    CloseBtn->setText(QCaptionText(catalogue_, Msg::MsgClose));
    StatsBox->updateGeometry(); // the footers' width follows the language
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
    setWindowTitle(QText(catalogue_, statistics ? Msg::MsgStatisticsCaption : Msg::MsgDvdStatisticsCaption));
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
    StatsBox->Show(std::nullopt);
    // The first chart that draws over this list, rather than an empty box; a chart of a filtered
    // field or one that only gives a message is passed over.
    for (const auto& [button, chart] : charts_) {
        if (button->isHidden()) continue;
        const auto picture =
            DrawChart(*source_.collection, *source_.list, chart, source_.filters, catalogue_);
        if (picture && !picture->message) {
            Show(*picture);
            return;
        }
    }
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
    StatsBox->Show(picture);
    if (picture.message && source_.prompts) {
        source_.prompts->ShowMessage(QStringFromUtf8(*picture.message));
    }
}

void TStatsForm::SaveChartAsPng() {
    if (!source_.prompts) return;
    const QImage image = StatsBox->Image();
    const QString fileName = source_.prompts->AskSaveFile(
        {QText(catalogue_, Msg::MsgSave).toUpper(), QStringLiteral("PNG (*.png)"), QStringLiteral("png")});
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
}

void TStatsForm::CopyChart() {
    QGuiApplication::clipboard()->setImage(StatsBox->Image());
}

void TStatsForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

} // namespace tavrin
