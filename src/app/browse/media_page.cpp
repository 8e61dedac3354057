// The MULTIMEDIA page: a title's four multimedia files, one at a time, a picture scaled into the
// black panel or a sound, music or video file in the player; the options "Loading" and "Screen".
#include "app/browse/media_page.h"

#include "app/browse/media_slot.h"
#include "editing/media_drop.h"
#include "platform/dragged_files.h"
#include "platform/media_player.h"
#include "platform/picture_decoder.h"
#include "platform/text.h"

#include <QButtonGroup>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVideoWidget>

#include <algorithm>
#include <functional>
#include <utility>

namespace tavrin {
namespace {

class ClickFilter : public QObject {
  public:
    ClickFilter(QObject* owner, std::function<void()> action) : QObject(owner), action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) action_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> action_;
};

// What a title's slots name: when it is unchanged, the page already shows that title's files.
QString MediaKey(const Collection& c, std::size_t record, bool onPage) {
    if (record >= c.Count()) return {};
    const TitleRecord& t = c.RecordAt(record);
    QString key = QString::number(record) + QLatin1Char('|') + QString::number(onPage);
    for (std::size_t offset : MediaOffsets) {
        const int entry = EntryFromStored(t.U16(offset));
        key += QLatin1Char('|') + QString::number(entry) + QLatin1Char(':') +
               QStringFromCp1252(NameAt(c.List(ListId::Media), entry));
    }
    return key;
}

// The panel's caption once the player has refused the file: the kind, what happened, and the
// platform's reason when it gave one.
QString CannotPlayCaption(const QString& kind, const QString& cannotPlay, const QString& reason) {
    QString text = kind + QLatin1Char('\n') + cannotPlay;
    if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
    return text;
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TMediaPage::TMediaPage(BrowseHost host, QWidget* parent) : QWidget(parent), host_(std::move(host)) {
    setObjectName(QStringLiteral("MEDIAS"));
    setAcceptDrops(true);
    Build();
}

void TMediaPage::Build() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(4);

    auto* top = new QHBoxLayout;
    slotButtons_ = new QButtonGroup(this);
    slotButtons_->setExclusive(true);
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "BMedia" + QByteArray::number(i + 1);
        QToolButton* button = NamedButton(name.constData(), this, QString::number(i + 1));
        button->setCheckable(true);
        button->setFixedWidth(28);
        BMedia[static_cast<std::size_t>(i)] = button;
        slotButtons_->addButton(button, i + 1);
        top->addWidget(button);
    }
    BMedia[0]->setChecked(true);
    Media = ViewField("Media", this);
    top->addWidget(Media, 1);
    page->addLayout(top);

    // Made before the panel: children go in the order they came, and the player must let go of
    // its display before the display goes.
    MediaPlayer1 = new MediaPlayer(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));

    // The black panel: the picture centred in it, or the panel's captions and the video filling it.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: black; }"));
    Panel1->setMinimumSize(200, 150);
    Image22 = new QLabel(Panel1);
    Image22->setObjectName(QStringLiteral("Image22"));
    Image22->setCursor(Qt::PointingHandCursor);
    Image22->hide();
    Image22->installEventFilter(new ClickFilter(Image22, [this] { PictureClicked(); }));
    ZVIDEOPANEL2 = new QLabel(Panel1);
    ZVIDEOPANEL2->setObjectName(QStringLiteral("ZVIDEOPANEL2"));
    ZVIDEOPANEL2->setAlignment(Qt::AlignCenter);
    ZVIDEOPANEL2->setWordWrap(true);
    ZVIDEOPANEL2->setStyleSheet(
        QStringLiteral("QLabel { background: black; color: white; font-weight: bold; }"));
    video_ = new QVideoWidget(ZVIDEOPANEL2);
    video_->setObjectName(QStringLiteral("ZVIDEOPANEL2Video"));
    video_->hide();
    auto* videoFill = new QGridLayout(ZVIDEOPANEL2);
    videoFill->setContentsMargins(0, 0, 0, 0);
    videoFill->addWidget(video_, 0, 0);
    auto* panel = new QGridLayout(Panel1);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(ZVIDEOPANEL2, 0, 0);
    panel->addWidget(Image22, 0, 0, Qt::AlignCenter);
    page->addWidget(Panel1, 1);

    page->addWidget(MediaPlayer1);
    connect(MediaPlayer1, &MediaPlayer::Failed, this, [this](const QString& reason) {
        ZVIDEOPANEL2->setText(
            CannotPlayCaption(ZVIDEOPANEL2->text(), QText(host_.catalogue, Msg::MsgCannotPlayFile), reason));
    });

    MediaLoad = NamedRadioGroup("MediaLoad", this, 2);
    VideoScreen = NamedRadioGroup("VideoScreen", this, 2);
    for (RadioGroup* group : {&MediaLoad, &VideoScreen}) {
        for (QRadioButton* item : {group->items[0], group->items[1]})
            qobject_cast<QVBoxLayout*>(group->frame->layout())->removeWidget(item);
        delete group->frame->layout();
        auto* row = new QHBoxLayout(group->frame);
        Tighten(row);
        row->addWidget(group->items[0]);
        row->addWidget(group->items[1]);
    }
    ApplyTexts();
    MediaLoad.items[host_.options.MediaFlag ? 0 : 1]->setChecked(true);
    VideoScreen.items[host_.options.VideoFlag ? 0 : 1]->setChecked(true);
    auto* options = new QHBoxLayout;
    options->addWidget(MediaLoad.frame);
    options->addWidget(VideoScreen.frame);
    options->addStretch();
    page->addLayout(options);

    connect(slotButtons_, &QButtonGroup::idClicked, this, &TMediaPage::SlotClicked);
    connect(MediaLoad.buttons, &QButtonGroup::idClicked, this, &TMediaPage::MediaLoadClicked);
    connect(VideoScreen.buttons, &QButtonGroup::idClicked, this, &TMediaPage::VideoScreenClicked);
}

void TMediaPage::ApplyTexts() {
    MediaLoad.frame->setTitle(QText(host_.catalogue, Msg::MsgLoadingFrame));
    VideoScreen.frame->setTitle(QText(host_.catalogue, Msg::MsgScreenFrame));
    for (RadioGroup* group : {&MediaLoad, &VideoScreen})
        SetRadioTexts(*group, {QText(host_.catalogue, Msg::MsgOn), QText(host_.catalogue, Msg::MsgOff)});
}

void TMediaPage::ShowMedia(std::size_t record, int slot) {
    Image22->hide();
    ZVIDEOPANEL2->hide();
    MediaPlayer1->Close();
    BMedia[static_cast<std::size_t>(std::clamp(slot, 1, MediaSlotCount) - 1)]->setChecked(true);
    Media->clear();
    host_.mediaFound(false);
    type_.clear();
    file_.clear();
    const auto caption = [this](const QString& text) {
        ZVIDEOPANEL2->setText(text);
        ZVIDEOPANEL2->show();
    };

    const bool onPage = host_.mediaOnTop();
    const bool loading = host_.options.MediaFlag && onPage;
    const MediaSlotView view = DescribeMediaSlot(host_.collection, record, slot, host_.mediaFolder, loading);
    shownKey_ = MediaKey(host_.collection, record, onPage);
    if (view.shows == SlotShows::NoFile) {
        caption(QText(host_.catalogue, Msg::MsgNoFile));
        return;
    }
    host_.mediaFound(true);
    Media->setText(QStringFromCp1252(view.name));
    if (view.shows == SlotShows::NotFound) {
        caption(QText(host_.catalogue, Msg::MsgFileNotFound));
        return;
    }
    type_ = QStringFromCp1252(view.type);
    file_ = QStringFromPath(view.file);
    switch (view.shows) {
    case SlotShows::TypeOnly:
        caption(type_);
        return;
    case SlotShows::Picture: {
        const QImage image = NViewLibLoad(file_, 1);
        const QSize panel = Panel1->contentsRect().size();
        const PictureSize size =
            ShrinkToPanel({image.width(), image.height()}, {panel.width(), panel.height()});
        Image22->setFixedSize(size.width, size.height);
        if (image.isNull() || size.width <= 0 || size.height <= 0)
            Image22->clear(); // a file the decoder cannot read leaves the picture empty
        else
            Image22->setPixmap(QPixmap::fromImage(
                image.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        Image22->show();
        return;
    }
    case SlotShows::Player:
        caption(Latin(PlayerCaption(view.kind)));
        MediaPlayer1->Open(file_, host_.options.VideoFlag ? nullptr : video_);
        return;
    default:
        return;
    }
}

void TMediaPage::ShowTitleMedia(std::size_t record) {
    if (MediaKey(host_.collection, record, host_.mediaOnTop()) != shownKey_) ShowMedia(record, 1);
}

void TMediaPage::Clear() {
    MediaPlayer1->Close();
    Image22->hide();
    ZVIDEOPANEL2->hide();
    Media->clear();
    type_.clear();
    file_.clear();
    shownKey_.clear();
    host_.mediaFound(false);
}

bool TMediaPage::ShowsMedia() const {
    return KindOfMedia(Cp1252FromQString(type_)) != MediaKind::None;
}

void TMediaPage::SlotClicked(int slot) {
    if (const auto record = host_.currentRecord()) ShowMedia(*record, slot);
}

void TMediaPage::PictureClicked() {
    if (KindOfMedia(Cp1252FromQString(type_)) != MediaKind::Picture) return;
    host_.viewPicture(Media->text(), NViewLibLoad(file_, 1));
}

void TMediaPage::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMediaPage::dragMoveEvent(QDragMoveEvent* event) {
    if (!DraggedLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMediaPage::dropEvent(QDropEvent* event) {
    const QString file = DraggedLocalFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    if (!MediaExtensionOf(Cp1252FromQString(QFileInfo(file).fileName()))) {
        host_.openDroppedFile(file);
        return;
    }
    std::optional<std::size_t> slot;
    for (QWidget* w = childAt(event->position().toPoint()); w && w != this; w = w->parentWidget())
        for (std::size_t i = 0; i < BMedia.size(); ++i)
            if (w == BMedia[i]) slot = i;
    const auto record = host_.currentRecord();
    if (!record) {
        host_.prompts.ShowMessage(QText(host_.catalogue, Msg::MsgDropNoTitle));
        return;
    }
    const auto dropped =
        DropMediaOnTitle(host_.document, *record, slot, PathFromQString(file), host_.mediaFolder);
    if (!dropped) {
        host_.prompts.ShowMessage(QString::fromStdString(MediaDropText(host_.catalogue, dropped.error())));
        return;
    }
    // The main window has followed the change; the page shows the slot just filled.
    ShowMedia(*record, static_cast<int>(dropped->slot) + 1);
}

void TMediaPage::MediaLoadClicked(int item) {
    host_.options.MediaFlag = item == 0;
}

void TMediaPage::VideoScreenClicked(int item) {
    host_.options.VideoFlag = item == 0;
    // A video open in the player goes to its new display.
    if (KindOfMedia(Cp1252FromQString(type_)) != MediaKind::Video || !MediaPlayer1->IsOpen()) return;
    MediaPlayer1->Close();
    ZVIDEOPANEL2->setText(QStringLiteral("VIDEO"));
    ZVIDEOPANEL2->show();
    MediaPlayer1->Open(file_, host_.options.VideoFlag ? nullptr : video_);
}

} // namespace tavrin
