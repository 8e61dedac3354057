// The statistics window: one bar chart at a time over the listed titles, painted from the chart
// geometry of reports/stats_chart.h and stretched to the window's size. A chart can be saved as a
// PNG file or copied (context menu).
#pragma once

#include "lang/catalogue.h"
#include "reports/stats_chart.h"
#include "store/collection.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QFontMetrics;
class QGroupBox;
class QPushButton;
class QToolButton;

namespace tavrin {

class UserPrompts;

// A chart laid out in a box of any size. The geometry is drawn for a box of StatsBoxWidth x
// StatsBoxHeight: here the bars stretch with the box while each text keeps the font's size,
// beside the end of its bar and moved left where it would pass the box's right edge; the footer
// takes the bottom line.
struct ChartLayout {
    std::vector<QRect> bars;
    std::vector<QRect> places;  // of the labels, then of the footer
    std::vector<QString> texts; // what each place shows
};
ChartLayout LayOutChart(const ChartPicture& picture, QSize box, const QFontMetrics& metrics);
// The least box in which no text of a chart overlaps another or passes an edge: rows as high as a
// line of text in the chart with the most rows, and as wide as the designed box, the footers of
// the catalogue's language and the texts of picture (when there is one).
QSize LeastChartSize(const MessageCatalogue& catalogue, const ChartPicture* picture,
                     const QFontMetrics& metrics);
// Paints a chart the way the window shows it: white box, red bars outlined in black, texts on
// white; no picture: the cleared box.
QImage PaintChart(const ChartPicture* picture, QSize box, const QFont& font);

// The picture of the statistics window; its context menu asks to save or copy the chart.
class ChartBox : public QWidget {
    Q_OBJECT
  public:
    explicit ChartBox(const MessageCatalogue& catalogue, QWidget* parent = nullptr);
    // The chart shown at whatever size the box has; none clears the box.
    void Show(std::optional<ChartPicture> picture);
    const std::optional<ChartPicture>& Picture() const { return picture_; }
    // The chart as the box shows it now.
    QImage Image() const;
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  signals:
    void SaveRequested();
    void CopyRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    const MessageCatalogue& catalogue_;
    std::optional<ChartPicture> picture_;
};

// "Statistics" shows the genre and mark charts, "DVD Statistics" the side and zone charts.
enum class StatsMode { Statistics, DvdStatistics };

// What the window reads from the main window while it is open (the main window is disabled then,
// so none of it changes under a chart).
struct StatsSource {
    const Collection* collection = nullptr;
    const std::vector<std::uint16_t>* list = nullptr; // the browse list
    ChartFilters filters;
    int currentYear = 0;
    UserPrompts* prompts = nullptr;
};

class TStatsForm : public QWidget {
    Q_OBJECT

  public:
    explicit TStatsForm(const MessageCatalogue& catalogue);
    void ApplyTexts();

    // Shows the window over this source; nothing for an empty list.
    bool Open(StatsMode mode, const StatsSource& source);
    // A chart button or a period box was clicked.
    void ChartClick(StatsChart chart);
    void YearComboClick();
    // The chart box's context menu: the chart as a PNG file, or on the clipboard.
    void SaveChartAsPng();
    void CopyChart();

  signals:
    // The user closed the window; its opener enables itself again.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // At each opening: the year list again, the first chart of the buttons shown drawn.
    void FormActivate();
    void Show(const ChartPicture& picture);

    const MessageCatalogue& catalogue_;
    StatsSource source_;

    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr,
                *SpeedButton7 = nullptr, *SpeedButton8 = nullptr, *SpeedButton9 = nullptr,
                *SpeedButton10 = nullptr, *SpeedButton11 = nullptr, *SpeedButton12 = nullptr,
                *SpeedButton13 = nullptr, *SpeedButton14 = nullptr, *SpeedButton15 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* YearCombo = nullptr;
    QComboBox* MonthCombo = nullptr;
    QPushButton* CloseBtn = nullptr;
    ChartBox* StatsBox = nullptr;
    // The chart buttons in the column's order, with their charts.
    std::vector<std::pair<QToolButton*, StatsChart>> charts_;
};

} // namespace tavrin
