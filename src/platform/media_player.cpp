#include "platform/media_player.h"

#include <QAudioOutput>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMediaPlayer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVideoWidget>

namespace tavrin {
namespace {

// A local file is loaded well within this (a MIDI file waits for the General MIDI sound font to
// load, a few seconds); a player still loading then has lost its error.
constexpr int LoadTimeoutMs = 20000;

QToolButton* PlayerButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

MediaPlayer::MediaPlayer(QWidget* parent) : QWidget(parent) {
    PlayButton = PlayerButton(this, "Play", QStyle::SP_MediaPlay);
    PauseButton = PlayerButton(this, "Pause", QStyle::SP_MediaPause);
    StopButton = PlayerButton(this, "Stop", QStyle::SP_MediaStop);
    NextButton = PlayerButton(this, "Next", QStyle::SP_MediaSkipForward);
    PrevButton = PlayerButton(this, "Prev", QStyle::SP_MediaSkipBackward);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    for (QToolButton* b : {PlayButton, PauseButton, StopButton, NextButton, PrevButton})
        row->addWidget(b);
    row->addStretch();
    connect(PlayButton, &QToolButton::clicked, this, &MediaPlayer::Play);
    connect(PauseButton, &QToolButton::clicked, this, &MediaPlayer::Pause);
    connect(StopButton, &QToolButton::clicked, this, &MediaPlayer::Stop);
    connect(NextButton, &QToolButton::clicked, this, &MediaPlayer::Next);
    connect(PrevButton, &QToolButton::clicked, this, &MediaPlayer::Previous);
    loadWatch_ = new QTimer(this);
    loadWatch_->setSingleShot(true);
    loadWatch_->setInterval(LoadTimeoutMs);
    connect(loadWatch_, &QTimer::timeout, this, [this] {
        if (!player_) return;
        const auto status = player_->mediaStatus();
        if (status == QMediaPlayer::LoadingMedia || status == QMediaPlayer::NoMedia) Fail({});
    });
    EnableButtons();
}

MediaPlayer::~MediaPlayer() {
    if (!player_) return;
    player_->stop();
    player_->setVideoOutput(nullptr);
}

void MediaPlayer::Open(const QString& fileName, QVideoWidget* display) {
    Close();
    // A player of its own for each file: nothing of the last file's pipeline is left to it.
    player_ = new QMediaPlayer(this);
    auto* audio = new QAudioOutput(player_);
    player_->setAudioOutput(audio);
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString& reason) {
                if (error != QMediaPlayer::NoError) Fail(reason);
            });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia)
            Fail(player_->errorString());
        else if (status != QMediaPlayer::LoadingMedia && status != QMediaPlayer::NoMedia)
            loadWatch_->stop();
    });
    connect(player_, &QMediaPlayer::hasVideoChanged, this, &MediaPlayer::ShowVideo);
    connect(player_, &QMediaPlayer::playbackStateChanged, this, &MediaPlayer::ShowVideo);

    display_ = display;
    if (!display) {
        if (!ownWindow_) {
            ownWindow_ = std::make_unique<QVideoWidget>();
            ownWindow_->setObjectName(QStringLiteral("MediaPlayerWindow"));
            ownWindow_->setAttribute(Qt::WA_QuitOnClose, false);
        }
        ownWindow_->setWindowTitle(fileName);
    }
    player_->setVideoOutput(display ? display : ownWindow_.get());
    open_ = true;
    failed_ = false;
    loadWatch_->start();
    player_->setSource(QUrl::fromLocalFile(fileName));
    EnableButtons();
}

void MediaPlayer::Close() {
    loadWatch_->stop();
    if (player_) {
        disconnect(player_, nullptr, this, nullptr);
        player_->stop();
        player_->setVideoOutput(nullptr);
        player_->deleteLater();
        player_ = nullptr;
    }
    if (display_) display_->hide();
    if (ownWindow_) ownWindow_->hide();
    display_ = nullptr;
    open_ = false;
    failed_ = false;
    EnableButtons();
}

void MediaPlayer::Fail(const QString& reason) {
    if (!open_ || failed_) return;
    failed_ = true;
    loadWatch_->stop();
    if (display_) display_->hide();
    if (ownWindow_) ownWindow_->hide();
    EnableButtons();
    emit Failed(reason);
}

bool MediaPlayer::IsPlaying() const {
    return player_ && !failed_ && player_->playbackState() == QMediaPlayer::PlayingState;
}

void MediaPlayer::Play() {
    if (open_ && !failed_) player_->play();
}

void MediaPlayer::ShowVideo() {
    if (!open_ || !IsPlaying() || !player_->hasVideo()) return;
    if (display_) {
        display_->show();
        return;
    }
    if (!ownWindow_ || ownWindow_->isVisible()) return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        ownWindow_->setGeometry(screen->availableGeometry());
    ownWindow_->show();
    ownWindow_->raise();
}

void MediaPlayer::Pause() {
    if (open_ && !failed_) player_->pause();
}

void MediaPlayer::Stop() {
    if (open_ && !failed_) player_->stop();
}

void MediaPlayer::Next() {
    if (open_ && !failed_) player_->setPosition(player_->duration());
}

void MediaPlayer::Previous() {
    if (open_ && !failed_) player_->setPosition(0);
}

void MediaPlayer::EnableButtons() {
    const bool usable = open_ && !failed_;
    for (QToolButton* b : {PlayButton, PauseButton, StopButton, NextButton, PrevButton})
        b->setEnabled(usable);
}

} // namespace tavrin
