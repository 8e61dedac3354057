// The media player control: a row of buttons (play, pause, stop, next, previous) over Qt
// Multimedia, which opens a sound, music or video file and shows a video in a display widget or
// in a full-size window of its own. Nothing plays until play is pressed; a file the platform
// cannot play is reported by Failed and never blocks the window.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QMediaPlayer;
class QTimer;
class QToolButton;
class QVideoWidget;

namespace tavrin {

class MediaPlayer : public QWidget {
    Q_OBJECT

  public:
    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    // Opens a file, paused at its start. A video goes into display, shown once there is a picture
    // to show; without a display, into the player's own full-size window, shown on play.
    void Open(const QString& fileName, QVideoWidget* display);
    // Stops, lets the file go and hides the video.
    void Close();
    bool IsOpen() const { return open_; }
    bool IsPlaying() const;

    // The buttons.
    void Play();
    void Pause();
    void Stop();
    // To the end, and back to the start.
    void Next();
    void Previous();

    // The player of the open file, if any (for the tests).
    QMediaPlayer* Player() const { return player_; }

  signals:
    // The open file cannot be played here: reason is the platform's, empty when it gave none
    // (the file did not load in time).
    void Failed(const QString& reason);

  private:
    void EnsurePlayer();
    // The open file cannot be played: stopped, the buttons disabled, Failed told once.
    void Fail(const QString& reason);
    // While playing a video: the display, or the own window over the whole screen.
    void ShowVideo();
    void EnableButtons();

    QMediaPlayer* player_ = nullptr; // one for each file opened
    QTimer* loadWatch_ = nullptr;
    QPointer<QVideoWidget> display_;
    std::unique_ptr<QVideoWidget> ownWindow_;
    bool open_ = false;
    bool failed_ = false;
    QToolButton *PlayButton = nullptr, *PauseButton = nullptr, *StopButton = nullptr, *NextButton = nullptr,
                *PrevButton = nullptr;
};

} // namespace tavrin
