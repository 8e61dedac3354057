// The MULTIMEDIA page: a title's four multimedia files, one at a time, a picture scaled into the
// black panel or a sound, music or video file in the player; the options "Loading" and "Screen".
#pragma once

#include "app/browse/browse_page_host.h"
#include "platform/page_widgets.h"

#include <QString>
#include <QWidget>

#include <array>

class QButtonGroup;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class QVideoWidget;

namespace tavrin {

class MediaPlayer;

class TMediaPage : public QWidget {
    Q_OBJECT

  public:
    TMediaPage(BrowseHost host, QWidget* parent);

    // Shows media slot 1..4 of a record.
    void ShowMedia(std::size_t record, int slot);
    // Slot 1 of the record, unless the page already shows that title's files.
    void ShowTitleMedia(std::size_t record);
    void Clear();
    // The captions in the language of the moment.
    void ApplyTexts();
    // The shown file is one the page can show or play.
    bool ShowsMedia() const;

  protected:
    // A picture, sound or video file dropped on a slot button goes into that slot, dropped
    // anywhere else on the page into the first free one; any other file opens as a drop on the
    // main window opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Build();
    void SlotClicked(int slot);
    void PictureClicked();
    void MediaLoadClicked(int item);
    void VideoScreenClicked(int item);

    BrowseHost host_;

    std::array<QToolButton*, 4> BMedia{};
    QButtonGroup* slotButtons_ = nullptr;
    QLineEdit* Media = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Image22 = nullptr;
    QLabel* ZVIDEOPANEL2 = nullptr; // the black panel's captions, and the video inside it
    QVideoWidget* video_ = nullptr;
    MediaPlayer* MediaPlayer1 = nullptr;
    RadioGroup MediaLoad, VideoScreen;
    // The shown file: its current media type ("" when none) and path.
    QString type_;
    QString file_;
    // What the page last showed for the title view, so that coming back to the window does not
    // interrupt what plays.
    QString shownKey_;
};

} // namespace tavrin
