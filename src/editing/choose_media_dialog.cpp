#include "editing/choose_media_dialog.h"

#include "editing/cleaning_window.h"
#include "editing/media_files.h"
#include "editing/name_chooser_dialog.h"
#include "editing/name_list_box_widget.h"
#include "editing/name_list_operations.h"
#include "platform/media_player.h"
#include "platform/picture_decoder.h"
#include "platform/text.h"
#include "platform/user_prompts.h"
#include "platform/window_placement.h"
#include "store/text_encoding.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace tavrin {
namespace {

QString Text8(std::string_view text) {
    return QStringFromCp1252(text);
}

// The black preview panel's caption label.
QLabel* BlackCaption(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("QLabel { background: black; color: white; font-weight: bold; }"));
    return label;
}

} // namespace

TChooseMedia::TChooseMedia(NameListHost& host, TCleaning& cleaning) : host_(host), cleaning_(cleaning) {
    setObjectName(QStringLiteral("TChooseMedia"));
    setAttribute(Qt::WA_QuitOnClose, false);

    FileCombo = new QComboBox(this);
    FileCombo->setObjectName(QStringLiteral("FileCombo"));
    for (const MediaFilter& filter : MediaFilters)
        FileCombo->addItem(
            QString::fromLatin1(filter.item.data(), static_cast<qsizetype>(filter.item.size())));
    FileListBox1 = new QListView(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    files_ = new QStringListModel(this);
    FileListBox1->setModel(files_);
    MediaName = new QLineEdit(this);
    MediaName->setObjectName(QStringLiteral("MediaName"));
    MediaName->hide();

    MediaListe = new QListView(this);
    MediaListe->setObjectName(QStringLiteral("MediaListe"));
    MediaListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MediaListe->setUniformItemSizes(true);
    entries_ = new NameListModel(this);
    MediaListe->setModel(entries_);
    NbM = new QLineEdit(this);
    NbM->setObjectName(QStringLiteral("NbM"));
    NbM->setReadOnly(true);
    NbM->setMaximumWidth(60);
    MPopupMenu1 = new QMenu(this);
    MPopupMenu1->setObjectName(QStringLiteral("MPopupMenu1"));
    MenuItem2 = MPopupMenu1->addAction(QStringLiteral("Delete"));
    MenuItem2->setObjectName(QStringLiteral("MenuItem2"));
    MPopupMenu1->addSeparator();
    MenuItem4 = MPopupMenu1->addAction(QStringLiteral("Clean List"));
    MenuItem4->setObjectName(QStringLiteral("MenuItem4"));
    MediaListe->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MediaListe, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { MPopupMenu1->popup(MediaListe->viewport()->mapToGlobal(at)); });

    // The player before its display: children go in the order they came, and the player must let
    // go of the display first.
    MMediaPlayer = new MediaPlayer(this);
    MMediaPlayer->setObjectName(QStringLiteral("MMediaPlayer"));

    // The preview: a black panel with the picture centred, or the player's caption and video.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: black; }"));
    Panel1->setMinimumSize(240, 180);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->hide();
    ZVIDEOPANEL = BlackCaption("ZVIDEOPANEL", Panel1);
    ZVIDEOPANEL->hide();
    video_ = new QVideoWidget(ZVIDEOPANEL);
    video_->setObjectName(QStringLiteral("ZVIDEOPANELVideo"));
    video_->hide();
    auto* videoFill = new QGridLayout(ZVIDEOPANEL);
    videoFill->setContentsMargins(0, 0, 0, 0);
    videoFill->addWidget(video_, 0, 0);
    auto* panelGrid = new QGridLayout(Panel1);
    panelGrid->setContentsMargins(0, 0, 0, 0);
    panelGrid->addWidget(ZVIDEOPANEL, 0, 0);
    panelGrid->addWidget(Image1, 0, 0, Qt::AlignCenter);
    connect(MMediaPlayer, &MediaPlayer::Failed, this, [this](const QString& reason) {
        QString text =
            ZVIDEOPANEL->text() + QLatin1Char('\n') + QText(host_.catalogue, Msg::MsgCannotPlayFile);
        if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
        ZVIDEOPANEL->setText(text);
    });

    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (auto* b : {BitBtn1, BitBtn2})
        b->setAutoDefault(false);

    connect(FileCombo, &QComboBox::currentIndexChanged, this, &TChooseMedia::FileComboChange);
    connect(FileListBox1, &QListView::clicked, this, &TChooseMedia::FileListBox1Click);
    connect(FileListBox1, &QListView::doubleClicked, this, &TChooseMedia::FileListBox1DblClick);
    connect(MediaListe, &QListView::clicked, this, &TChooseMedia::MediaListeClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TChooseMedia::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(MenuItem2, &QAction::triggered, this, &TChooseMedia::MenuItem2Click);
    connect(MenuItem4, &QAction::triggered, this, &TChooseMedia::MenuItem4Click);

    auto* files = new QVBoxLayout;
    files->addWidget(FileCombo);
    files->addWidget(FileListBox1, 1);
    // The pop-up's commands as visible buttons too, so that they are found without a right click.
    auto* commands = new QHBoxLayout;
    commands->addWidget(NbM);
    for (auto [action, name] : {std::pair{MenuItem2, "DeleteButton"}, std::pair{MenuItem4, "CleanButton"}}) {
        auto* button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, button, [button, action] { button->setText(action->text()); });
        button->setText(action->text());
        commands->addWidget(button);
    }
    auto* list = new QVBoxLayout;
    list->addWidget(MediaListe, 1);
    list->addLayout(commands);
    auto* preview = new QVBoxLayout;
    preview->addWidget(Panel1, 1);
    preview->addWidget(MMediaPlayer);
    auto* top = new QHBoxLayout;
    top->addLayout(files, 2);
    top->addLayout(list, 2);
    top->addLayout(preview, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(640, 360);
    CentreOnScreen(this);
    ApplyTexts();
}

TChooseMedia::~TChooseMedia() = default;

void TChooseMedia::ApplyTexts() {
    const MessageCatalogue& catalogue = host_.catalogue;
    setWindowTitle(QText(catalogue, Msg::MsgMultimediaFile));
    MenuItem2->setText(QText(catalogue, Msg::MsgDeleteMenu));
    MenuItem4->setText(QText(catalogue, Msg::MsgCleanList));
    BitBtn1->setText(QText(catalogue, Msg::MsgOk));
    BitBtn2->setText(QText(catalogue, Msg::MsgCancel));
    // The files of the folder beside the list's own entries, told apart for a screen reader.
    FileListBox1->setAccessibleName(QText(catalogue, Msg::MsgFiles));
}

void TChooseMedia::Open(Mode mode, std::function<void(int)> picked, QWidget* opener) {
    if (opener_ && opener_ != opener) opener_->setEnabled(true);
    mode_ = mode;
    picked_ = std::move(picked);
    opener_ = opener;
    if (opener) opener->setEnabled(false);
    // What every activation does.
    MediaName->clear();
    Refill();
    if (entries_->rowCount() > 0) MediaListe->setCurrentIndex(entries_->index(0));
    ShowCount();
    FileCombo->setCurrentIndex(0);
    RefreshFiles();
    HidePreview();
    CentreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TChooseMedia::done(int result) {
    HidePreview();
    QDialog::done(result);
    picked_ = nullptr;
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
}

void TChooseMedia::FileComboChange(int) {
    RefreshFiles();
}

void TChooseMedia::RefreshFiles() {
    const int item = std::max(0, FileCombo->currentIndex());
    QStringList names;
    for (const auto& name : ListMediaFolder(medias_, MediaFilters[static_cast<std::size_t>(item)].mask))
        names << Text8(name);
    files_->setStringList(names);
}

void TChooseMedia::FileListBox1Click() {
    HidePreview();
    if (const QModelIndex index = FileListBox1->currentIndex(); index.isValid())
        MediaName->setText(UpperStorable(index.data().toString()));
}

void TChooseMedia::FileListBox1DblClick(const QModelIndex& index) {
    HidePreview();
    if (!index.isValid()) return;
    MediaName->setText(UpperStorable(index.data().toString()));
    Preview();
}

void TChooseMedia::MediaListeClick(const QModelIndex& index) {
    HidePreview();
    if (!index.isValid()) return;
    const std::string name = entries_->Rows()[static_cast<std::size_t>(index.row())].text;
    MediaName->setText(Text8(name));
    if (!FindMediaFile(medias_, name)) {
        host_.prompts.ShowMessage(QText(host_.catalogue, Msg::MsgFileNotFound));
        return;
    }
    Preview();
}

void TChooseMedia::HidePreview() {
    Image1->hide();
    Image1->clear();
    ZVIDEOPANEL->hide();
    MMediaPlayer->Close();
}

void TChooseMedia::Preview() {
    const std::string name = Cp1252FromQString(MediaName->text());
    const auto file = FindMediaFile(medias_, name);
    if (!file) return;
    const MediaKind kind = KindOfMedia(name);
    if (kind == MediaKind::Picture) {
        const QImage image = NViewLibLoad(QStringFromPath(*file), 1);
        const QSize panel = Panel1->contentsRect().size();
        const PictureSize size =
            ShrinkToPanel({image.width(), image.height()}, {panel.width(), panel.height()});
        Image1->setFixedSize(size.width, size.height);
        if (!image.isNull() && size.width > 0 && size.height > 0)
            Image1->setPixmap(QPixmap::fromImage(
                image.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        Image1->show();
        return;
    }
    if (kind == MediaKind::None) return;
    const std::string_view caption = PlayerCaption(kind);
    ZVIDEOPANEL->setText(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
    ZVIDEOPANEL->show();
    MMediaPlayer->Open(QStringFromPath(*file), video_);
}

int TChooseMedia::SelectedEntry() const {
    const QModelIndex index = MediaListe->currentIndex();
    if (!index.isValid() || !MediaListe->selectionModel()->isSelected(index)) return -1;
    return entries_->Rows()[static_cast<std::size_t>(index.row())].entry;
}

void TChooseMedia::SelectEntry(int entry) {
    const auto rows = entries_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].entry == entry) {
            MediaListe->setCurrentIndex(entries_->index(static_cast<int>(i)));
            return;
        }
}

void TChooseMedia::BitBtn1Click() {
    const std::string name = Cp1252FromQString(MediaName->text());
    // The first line showing the name being handled becomes the selected one.
    for (const SortedEntry& row : entries_->Rows())
        if (row.text == name) {
            SelectEntry(row.entry);
            break;
        }
    if (mode_ == Mode::Manage) {
        accept();
        return;
    }
    PickOrAddAndClose(host_, ListId::Media, *MediaName, *this, picked_, [this] {
        Refill();
        ShowCount();
    });
}

void TChooseMedia::MenuItem2Click() {
    const int p = SelectedEntry();
    if (p < 0) {
        host_.prompts.ShowMessage(QText(host_.catalogue, Msg::MsgChooseSomethingFirst));
        return;
    }
    const Collection& c = host_.collection;
    const std::string name(NameAt(c.List(ListId::Media), p));
    const std::size_t uses = NameUseCount(c, ListId::Media, p);
    if (!host_.prompts.AskYesNo(QText(host_.catalogue, DeleteCaption(ListId::Media)),
                                Text8(DeleteQuestion(host_.catalogue, name, uses))))
        return;

    HidePreview();
    cleaning_.RunDeletion(host_.Edits(), ListId::Media, p, *this);
    MediaName->clear();
    Refill();
    ShowCount();
    Removed({p});
}

void TChooseMedia::MenuItem4Click() {
    const Collection& c = host_.collection;
    if (c.List(ListId::Media).empty()) return;
    if (!host_.prompts.AskYesNo(QText(host_.catalogue, Msg::MsgCleanList).toUpper(),
                                QText(host_.catalogue, Msg::MsgCleanUnusedAndMissing)))
        return;

    HidePreview();
    cleaning_.Begin();
    setEnabled(false);
    const QString prefix = QText(host_.catalogue, Msg::MsgCheckingEntry);
    const MediaFolderIndex folder(medias_);
    const auto result = CleanList(
        host_.Edits(), ListId::Media,
        [&](std::size_t remaining, std::string_view text) {
            if (cleaning_.ProgressDue())
                cleaning_.ShowChecking(prefix + QString::number(remaining) + QStringLiteral(" : ") +
                                       Text8(text));
        },
        [&folder](std::string_view name) { return !folder.Holds(name); });
    QStringList lines;
    for (const auto& name : result.erased)
        lines << Text8(ErasedLine(host_.catalogue, name));
    cleaning_.AddCleaned(lines);
    Removed(result.removedAt);
    cleaning_.Finish(QText(host_.catalogue, Msg::MsgCleaningComplete));
    MediaName->clear();
    Refill();
    ShowCount();
    setEnabled(true);
}

void TChooseMedia::Removed(const std::vector<int>& positions) {
    for (int p : positions)
        emit EntryDeleted(ListId::Media, p);
    if (host_.entriesRemoved && !positions.empty()) host_.entriesRemoved(ListId::Media, positions);
}

void TChooseMedia::ShowCount() {
    NbM->setText(QString::number(host_.collection.List(ListId::Media).size()));
}

void TChooseMedia::Refill() {
    entries_->SetRows(SortedEntries(host_.collection.List(ListId::Media)));
}

} // namespace tavrin
