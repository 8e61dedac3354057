// The statistics window: one bar chart at a time over the listed titles, painted from the chart
// geometry of reports/stats_chart.h. A chart can be saved as a PNG file or copied (context menu).
#pragma once

#include "lang/catalogue.h"
#include "reports/stats_chart.h"
#include "store/collection.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <vector>

class QComboBox;
class QGroupBox;
class QToolButton;

namespace tavrin {

class UserPrompts;

// Paints a chart the way the window shows it: white box, red bars outlined in black, labels on
// white, the footer.
QImage PaintChart(const ChartPicture& picture);
// The cleared box.
QImage BlankChart();

// The picture of the statistics window; its context menu asks to save or copy the chart.
class ChartBox : public QWidget {
    Q_OBJECT
  public:
    explicit ChartBox(const MessageCatalogue& catalogue, QWidget* parent = nullptr);
    void Show(QImage image);
    const QImage& Image() const { return image_; }

  signals:
    void SaveRequested();
    void CopyRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    const MessageCatalogue& catalogue_;
    QImage image_;
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
    void changeEvent(QEvent* event) override;

  private:
    // Every time the window becomes active: the year list again, the box cleared.
    void FormActivate();
    void Show(const ChartPicture& picture);

    const MessageCatalogue& catalogue_;
    StatsSource source_;
    bool prompting_ = false; // a dialog of this window is open: coming back is no new activation
    bool wasActive_ = false;

    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr,
                *SpeedButton7 = nullptr, *SpeedButton8 = nullptr, *SpeedButton9 = nullptr,
                *SpeedButton10 = nullptr, *SpeedButton11 = nullptr, *SpeedButton12 = nullptr,
                *SpeedButton13 = nullptr, *SpeedButton14 = nullptr, *SpeedButton15 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* YearCombo = nullptr;
    QComboBox* MonthCombo = nullptr;
    ChartBox* StatsBox = nullptr;
};

} // namespace tavrin
