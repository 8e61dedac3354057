// The MULTIMEDIA page: a title's four multimedia files, one at a time, a picture scaled into the
// black panel or a sound, music or video file in the player; the options "Loading" and "Screen";
// the picture viewer and the INFORMATION page's MediaButton.
#include "app/browse/browse_pages.h"
#include "app/browse/media_slot.h"
#include "app/browse/page_widgets.h"
#include "app/main_window.h"
#include "platform/media_player.h"
#include "platform/picture_decoder.h"
#include "platform/text.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVideoWidget>

#include <functional>

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

void TLDF1::BuildMediaPage() {
    MediaPageControls& m = pages_->media;
    auto* page = new QVBoxLayout(MEDIAS);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(4);

    auto* top = new QHBoxLayout;
    m.slotButtons = new QButtonGroup(MEDIAS);
    m.slotButtons->setExclusive(true);
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "BMedia" + QByteArray::number(i + 1);
        QToolButton* button = NamedButton(name.constData(), MEDIAS, QString::number(i + 1));
        button->setCheckable(true);
        button->setFixedWidth(28);
        m.BMedia[static_cast<std::size_t>(i)] = button;
        m.slotButtons->addButton(button, i + 1);
        top->addWidget(button);
    }
    m.BMedia[0]->setChecked(true);
    m.Media = ViewField("Media", MEDIAS);
    top->addWidget(m.Media, 1);
    page->addLayout(top);

    // Made before the panel: children go in the order they came, and the player must let go of
    // its display before the display goes.
    m.MediaPlayer1 = new MediaPlayer(MEDIAS);
    m.MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));

    // The black panel: the picture centred in it, or the panel's captions and the video filling it.
    m.Panel1 = new QFrame(MEDIAS);
    m.Panel1->setObjectName(QStringLiteral("Panel1"));
    m.Panel1->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: black; }"));
    m.Panel1->setMinimumSize(200, 150);
    m.Image22 = new QLabel(m.Panel1);
    m.Image22->setObjectName(QStringLiteral("Image22"));
    m.Image22->setCursor(Qt::PointingHandCursor);
    m.Image22->hide();
    m.Image22->installEventFilter(new ClickFilter(m.Image22, [this] { Image22Click(); }));
    m.ZVIDEOPANEL2 = new QLabel(m.Panel1);
    m.ZVIDEOPANEL2->setObjectName(QStringLiteral("ZVIDEOPANEL2"));
    m.ZVIDEOPANEL2->setAlignment(Qt::AlignCenter);
    m.ZVIDEOPANEL2->setWordWrap(true);
    m.ZVIDEOPANEL2->setStyleSheet(
        QStringLiteral("QLabel { background: black; color: white; font-weight: bold; }"));
    m.video = new QVideoWidget(m.ZVIDEOPANEL2);
    m.video->setObjectName(QStringLiteral("ZVIDEOPANEL2Video"));
    m.video->hide();
    auto* videoFill = new QGridLayout(m.ZVIDEOPANEL2);
    videoFill->setContentsMargins(0, 0, 0, 0);
    videoFill->addWidget(m.video, 0, 0);
    auto* panel = new QGridLayout(m.Panel1);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(m.ZVIDEOPANEL2, 0, 0);
    panel->addWidget(m.Image22, 0, 0, Qt::AlignCenter);
    page->addWidget(m.Panel1, 1);

    page->addWidget(m.MediaPlayer1);
    connect(m.MediaPlayer1, &MediaPlayer::Failed, this, [this](const QString& reason) {
        QLabel* caption = pages_->media.ZVIDEOPANEL2;
        caption->setText(
            CannotPlayCaption(caption->text(), QText(catalogue_, Msg::MsgCannotPlayFile), reason));
    });

    m.MediaLoad = NamedRadioGroup("MediaLoad", MEDIAS, 2);
    m.VideoScreen = NamedRadioGroup("VideoScreen", MEDIAS, 2);
    for (RadioGroup* group : {&m.MediaLoad, &m.VideoScreen}) {
        SetRadioTexts(*group, {QStringLiteral("On"), QStringLiteral("Off")});
        for (QRadioButton* item : {group->items[0], group->items[1]})
            qobject_cast<QVBoxLayout*>(group->frame->layout())->removeWidget(item);
        delete group->frame->layout();
        auto* row = new QHBoxLayout(group->frame);
        Tighten(row);
        row->addWidget(group->items[0]);
        row->addWidget(group->items[1]);
    }
    m.MediaLoad.frame->setTitle(QStringLiteral("Loading"));
    m.VideoScreen.frame->setTitle(QStringLiteral("Screen"));
    m.MediaLoad.items[settings_.MediaFlag ? 0 : 1]->setChecked(true);
    m.VideoScreen.items[settings_.VideoFlag ? 0 : 1]->setChecked(true);
    auto* options = new QHBoxLayout;
    options->addWidget(m.MediaLoad.frame);
    options->addWidget(m.VideoScreen.frame);
    options->addStretch();
    page->addLayout(options);

    connect(m.slotButtons, &QButtonGroup::idClicked, this, &TLDF1::BMediaClick);
    connect(m.MediaLoad.buttons, &QButtonGroup::idClicked, this, &TLDF1::MediaLoadClick);
    connect(m.VideoScreen.buttons, &QButtonGroup::idClicked, this, &TLDF1::VideoScreenClick);
}

void TLDF1::ShowMedia(std::size_t record, int slot) {
    MediaPageControls& m = pages_->media;
    m.Image22->hide();
    m.ZVIDEOPANEL2->hide();
    m.MediaPlayer1->Close();
    m.BMedia[static_cast<std::size_t>(std::clamp(slot, 1, MediaSlotCount) - 1)]->setChecked(true);
    m.Media->clear();
    pages_->info.MediaButton->hide();
    m.type.clear();
    m.file.clear();
    const auto caption = [&m](const QString& text) {
        m.ZVIDEOPANEL2->setText(text);
        m.ZVIDEOPANEL2->show();
    };

    const bool onPage = Onglet->currentWidget() == MEDIAS;
    const bool loading = settings_.MediaFlag && onPage;
    const MediaSlotView view = DescribeMediaSlot(collection_, record, slot, folders_.medias, loading);
    m.shownKey = MediaKey(collection_, record, onPage);
    if (view.shows == SlotShows::NoFile) {
        caption(QStringLiteral("NO FILE"));
        return;
    }
    pages_->info.MediaButton->show();
    m.Media->setText(QStringFromCp1252(view.name));
    if (view.shows == SlotShows::NotFound) {
        caption(QText(catalogue_, Msg::MsgFileNotFound));
        return;
    }
    m.type = QStringFromCp1252(view.type);
    m.file = QStringFromPath(view.file);
    switch (view.shows) {
    case SlotShows::TypeOnly:
        caption(m.type);
        return;
    case SlotShows::Picture: {
        const QImage image = NViewLibLoad(m.file, 1);
        const QSize panel = m.Panel1->contentsRect().size();
        const PictureSize size =
            ShrinkToPanel({image.width(), image.height()}, {panel.width(), panel.height()});
        m.Image22->setFixedSize(size.width, size.height);
        if (image.isNull() || size.width <= 0 || size.height <= 0)
            m.Image22->clear(); // a file the decoder cannot read leaves the picture empty
        else
            m.Image22->setPixmap(QPixmap::fromImage(
                image.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        m.Image22->show();
        return;
    }
    case SlotShows::Player:
        caption(Latin(PlayerCaption(view.kind)));
        m.MediaPlayer1->Open(m.file, settings_.VideoFlag ? nullptr : m.video);
        return;
    default:
        return;
    }
}

void TLDF1::ShowTitleMedia(std::size_t record) {
    if (MediaKey(collection_, record, Onglet->currentWidget() == MEDIAS) != pages_->media.shownKey)
        ShowMedia(record, 1);
}

void TLDF1::ClearMediaPage() {
    MediaPageControls& m = pages_->media;
    m.MediaPlayer1->Close();
    m.Image22->hide();
    m.ZVIDEOPANEL2->hide();
    m.Media->clear();
    m.type.clear();
    m.file.clear();
    m.shownKey.clear();
    pages_->info.MediaButton->hide();
}

void TLDF1::BMediaClick(int slot) {
    if (const auto record = CurrentRecord()) ShowMedia(*record, slot);
}

void TLDF1::MediaButtonClick() {
    const MediaKind kind = KindOfMedia(Cp1252FromQString(pages_->media.type));
    if (kind == MediaKind::None) return;
    // Opening the page shows slot 1 there, with the picture or the player.
    Onglet->setCurrentWidget(MEDIAS);
}

void TLDF1::Image22Click() {
    const MediaPageControls& m = pages_->media;
    if (KindOfMedia(Cp1252FromQString(m.type)) != MediaKind::Picture || !windows_.mImage) return;
    windows_.mImage->OpenForPicture(m.Media->text(), NViewLibLoad(m.file, 1), this);
}

void TLDF1::MediaLoadClick(int item) {
    settings_.MediaFlag = item == 0;
}

void TLDF1::VideoScreenClick(int item) {
    settings_.VideoFlag = item == 0;
    MediaPageControls& m = pages_->media;
    // A video open in the player goes to its new display.
    if (KindOfMedia(Cp1252FromQString(m.type)) != MediaKind::Video || !m.MediaPlayer1->IsOpen()) return;
    m.MediaPlayer1->Close();
    m.ZVIDEOPANEL2->setText(QStringLiteral("VIDEO"));
    m.ZVIDEOPANEL2->show();
    m.MediaPlayer1->Open(m.file, settings_.VideoFlag ? nullptr : m.video);
}

} // namespace tavrin
