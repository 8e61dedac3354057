// The HTML options window: colours, background picture, one page or many (in frames or not),
// each title's cover picture and where it stands. OK writes the export window's list.
#pragma once

#include "lang/catalogue.h"
#include "platform/user_prompts.h"
#include "reports/date_format.h"
#include "reports/html_pages.h"
#include "reports/report_choices.h"
#include "store/collection.h"
#include "store/pictures/picture_codec.h"

#include <QColor>
#include <QDialog>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrin {

// What the export window hands over: the list and its choices.
struct HtmlExportJob {
    const Collection* collection = nullptr;
    std::vector<std::uint16_t> browse;
    ExportChoices choices;
    DateFormat dates;
    HtmlFolders folders;
    const PictureCodec* codec = nullptr; // writes the pictures browsers do not show as PNG
};

class THTMLCHOIX : public QDialog {
    Q_OBJECT

  public:
    THTMLCHOIX(const MessageCatalogue& catalogue, UserPrompts& prompts);
    void ApplyTexts();

    // The address of the page foot (8-bit).
    void SetMailAddress(std::string address) { mailAddress_ = std::move(address); }
    // Shows the window for a list and disables the opener until it closes.
    void Open(QWidget* opener, HtmlExportJob job);
    // The options as the controls hold them.
    HtmlOptions Options() const;

    // The colour dialog: the colour chosen, or an invalid colour when cancelled. Tests replace it.
    std::function<QColor(const QColor& initial, const QString& title)> askColour;
    // Above this many pictures the copy shows its progress.
    static constexpr int ProgressFrom = 20;

  signals:
    void Closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Button1Click();
    void Button2Click();
    void HTMLMultiPClick();
    void BitBtn1Click();
    void ShowColours();
    // Copies the pictures beside the pages with Qt's file operations; the ones that failed.
    QStringList CopyPictures(const std::vector<CoverPicture>& pictures, const QString& folder);

    const MessageCatalogue& catalogue_;
    UserPrompts& prompts_;
    std::string mailAddress_{DefaultMailAddress};
    HtmlExportJob job_;
    QColor textColour_ = Qt::black;
    QColor backgroundColour_ = Qt::white;
    QPointer<QWidget> opener_;

    QGroupBox* GroupBox1 = nullptr; // COLORS
    QLineEdit* HTMLEdit = nullptr;
    QPushButton* Button2 = nullptr; // TEXT
    QPushButton* Button1 = nullptr; // BACKGROUND
    QGroupBox* GroupBox2 = nullptr; // BACKGROUND IMAGE
    QLineEdit* IMGBACK = nullptr;
    QCheckBox* HTMLMultiP = nullptr;
    QCheckBox* HTMLFrames = nullptr;
    QCheckBox* HTMLMedia = nullptr;
    QGroupBox* HTMLImage = nullptr;
    QRadioButton* ImageNone = nullptr;
    QRadioButton* ImageRight = nullptr;
    QRadioButton* ImageLeft = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel
};

// A Qt colour as the pages store it.
StoredColour StoredFromQColor(const QColor& colour);

} // namespace tavrin
