// Pictures, sounds and videos through the windows: the MULTIMEDIA page and its options, the
// picture viewer, the multimedia chooser and the title editor's four slots. The media are made
// here: pictures by our writers and Qt's, a short WAV written byte by byte, a damaged video.
#include "app/browse/cover_widget.h"
#include "app/browse/media_slot.h"
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/choose_media_dialog.h"
#include "editing/cleaning_window.h"
#include "editing/review_window.h"
#include "editing/title_editor_window.h"
#include "picture_samples.h"
#include "platform/media_player.h"
#include "platform/thumbnail_cache.h"
#include "test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMediaPlayer>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace tavrin;
using namespace tavrin::test;

namespace {

// A second of a 440 Hz tone: 8 kHz, 16-bit mono PCM.
std::vector<std::uint8_t> ShortWav() {
    const std::uint32_t samples = 8000;
    std::vector<std::uint8_t> out;
    const auto text = [&out](const char* s) { out.insert(out.end(), s, s + 4); };
    const auto u32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    const auto u16 = [&out](unsigned v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + samples * 2);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    text("data");
    u32(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i)
        u16(static_cast<unsigned>(
                static_cast<std::int16_t>(8000 * std::sin(i * 2 * 3.14159265 * 440 / 8000))) &
            0xFFFFu);
    return out;
}

// Three notes of a General MIDI piano: a format-0 file.
std::vector<std::uint8_t> ShortMidi() {
    std::vector<std::uint8_t> track;
    for (std::uint8_t note : {60, 64, 67})
        track.insert(track.end(), {0x00, 0x90, note, 100, 0x81, 0x70, 0x80, note, 0});
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> out = {'M', 'T',  'h',  'd', 0,   0,   0,   6, 0, 0, 0,
                                     1,   0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0};
    out.push_back(static_cast<std::uint8_t>(track.size()));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

void WriteJpg(const std::filesystem::path& file, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    QVERIFY(image.save(QStringFromPath(file), "JPG"));
}

// Drags file onto widget at pos and drops it there, as a file manager would: the application
// passes on a drop only to where the drag was let in.
void DropFile(QWidget* widget, const QString& file, QPoint pos) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
}

QLabel* Caption(const TLDF1& w) {
    return Find<QLabel>(w, "ZVIDEOPANEL2");
}

QStringList Strings(const QListView* view) {
    QStringList rows;
    for (int i = 0; i < view->model()->rowCount(); ++i)
        rows << view->model()->index(i, 0).data().toString();
    return rows;
}

void ClickRow(QListView* view, const QString& text, bool twice = false) {
    const int row = Strings(view).indexOf(text);
    QVERIFY2(row >= 0, qPrintable(text));
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class MediaWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;

    // A main window over a collection of one title whose slots are given, the MEDIAS folder
    // holding a TGA cover, a WAV and a damaged AVI.
    WindowUnderTest MakeWith(std::array<std::uint16_t, 4> refs) {
        auto w = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        const auto& medias = w.window->Folders().medias;
        std::filesystem::create_directories(medias);
        const Picture cover = MakePicture(800, 600, [](int x, int y) { return Rgb(x % 256, y % 256, 90); });
        WriteBytes(medias / "cover.tga", MakeTga(cover, {10, 24}));
        WriteBytes(medias / "THEME.WAV", ShortWav());
        WriteBytes(medias / "BROKEN.AVI", Bytes("RIFF????AVI LIST this is not a video"));
        WriteBytes(medias / "tune.mid", ShortMidi());
        w.window->NewTavrinfile1Click();
        Edit(w.window->Document(), [&](Collection& c) {
            c.List(ListId::Media) = {"COVER.TGA", "GONE.JPG", "THEME.WAV", "BROKEN.AVI", "TUNE.MID"};
            TitleRecord t = MakeTitle("ALIEN");
            for (std::size_t s = 0; s < 4; ++s)
                t.SetU16(MediaOffsets[s], refs[s]);
            AppendTitle(c, t);
        });
        w.window->CopyMasterToBrowse();
        w.window->RebuildTitleList();
        w.window->resize(900, 640);
        w.window->show();
        w.window->SelectRecord(0);
        return w;
    }

    static void OpenMediaPage(TLDF1& w) {
        auto* pages = Find<QTabWidget>(w, "Onglet");
        pages->setCurrentWidget(Find<QWidget>(w, "MEDIAS"));
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // A picture slot shows the picture shrunk into the panel; a missing file, no file and a
    // stray slot value say so in the panel; loading off shows only the type.
    void slotsShowPicturesAndSayWhatIsMissing() {
        auto [window, prompts] = MakeWith({0, 1, NoEntry, 65001});
        auto* info = Find<QToolButton>(*window, "MediaButton");
        QVERIFY(info->isVisibleTo(window.get()));
        // Off the page nothing is opened: the type only.
        QCOMPARE(Caption(*window)->text(), QStringLiteral("TGA"));

        QTest::mouseClick(info, Qt::LeftButton);
        QCOMPARE(Find<QTabWidget>(*window, "Onglet")->currentWidget(), Find<QWidget>(*window, "MEDIAS"));
        auto* image = Find<QLabel>(*window, "Image22");
        auto* panel = Find<QFrame>(*window, "Panel1");
        QVERIFY(image->isVisible());
        QVERIFY(!Caption(*window)->isVisible());
        QVERIFY(!image->pixmap().isNull());
        QVERIFY(image->width() < panel->width() && image->height() < panel->height());
        QCOMPARE(
            image->width(),
            ShrinkToPanel({800, 600}, {panel->contentsRect().width(), panel->contentsRect().height()}).width);
        QCOMPARE(Find<QLineEdit>(*window, "Media")->text(), QStringLiteral("COVER.TGA"));

        QTest::mouseClick(ButtonOf(*window, "BMedia2"), Qt::LeftButton);
        QVERIFY(!image->isVisible());
        QCOMPARE(Caption(*window)->text(), QStringLiteral("FILE NOT FOUND"));
        QVERIFY(Caption(*window)->isVisible());
        QVERIFY(prompts->messages.isEmpty());

        QTest::mouseClick(ButtonOf(*window, "BMedia3"), Qt::LeftButton);
        QCOMPARE(Caption(*window)->text(), QStringLiteral("NO FILE"));
        QTest::mouseClick(ButtonOf(*window, "BMedia4"), Qt::LeftButton);
        QCOMPARE(Caption(*window)->text(), QStringLiteral("NO FILE"));
        QCOMPARE(window->Data().titles[0].Media4(), std::uint16_t{65001}); // showing writes nothing
        QVERIFY(!info->isVisibleTo(window.get()));

        // "Loading" off: the type as caption, the picture not decoded.
        QTest::mouseClick(Find<QRadioButton>(*window, "MediaLoad1"), Qt::LeftButton);
        QVERIFY(!window->CurrentSettings().MediaFlag);
        QTest::mouseClick(ButtonOf(*window, "BMedia1"), Qt::LeftButton);
        QCOMPARE(Caption(*window)->text(), QStringLiteral("TGA"));
        QVERIFY(!image->isVisible());
        QTest::mouseClick(Find<QRadioButton>(*window, "MediaLoad0"), Qt::LeftButton);

        // A click on the picture opens the viewer at the picture's size; the main window waits.
        QTest::mouseClick(ButtonOf(*window, "BMedia1"), Qt::LeftButton);
        QTest::mouseClick(image, Qt::LeftButton);
        TMIMAGE& viewer = *window->SecondaryWindows().mImage;
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.windowTitle(), QStringLiteral("COVER.TGA"));
        QCOMPARE(viewer.Picture()->size(), QSize(800, 600));
        QVERIFY(!window->isEnabled());
        viewer.close();
        QVERIFY(window->isEnabled());
    }

    // A sound opens in the player without playing; play plays (or, where the platform cannot,
    // says so); a damaged video says so in the panel and the window goes on.
    void playerWaitsForPlayAndReportsWhatItCannotPlay() {
        auto [window, prompts] = MakeWith({2, 3, 4, NoEntry});
        OpenMediaPage(*window);
        auto* player = Find<MediaPlayer>(*window, "MediaPlayer1");
        QCOMPARE(Caption(*window)->text().section(QLatin1Char('\n'), 0, 0), QStringLiteral("SOUND"));
        QVERIFY(player->IsOpen());
        QTest::qWait(300);
        QVERIFY(!player->IsPlaying()); // nothing plays until play
        QTest::mouseClick(Find<QToolButton>(*player, "Play"), Qt::LeftButton);
        // Without an audio device the platform may refuse: then the panel says why.
        const bool answered = QTest::qWaitFor(
            [&] { return player->IsPlaying() || Caption(*window)->text().contains(QLatin1Char('\n')); },
            10000);
        if (!answered) qInfo("the platform neither played nor refused the sound within 10 s");
        QTest::mouseClick(Find<QToolButton>(*player, "Stop"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!player->IsPlaying(), 5000);

        // The damaged video may be refused as it opens, or when play is pressed.
        QTest::mouseClick(ButtonOf(*window, "BMedia2"), Qt::LeftButton);
        QVERIFY(Caption(*window)->text().startsWith(QStringLiteral("VIDEO")));
        QTest::mouseClick(Find<QToolButton>(*player, "Play"), Qt::LeftButton);
        QTRY_VERIFY2_WITH_TIMEOUT(
            Caption(*window)->text().startsWith(QStringLiteral("VIDEO\nCANNOT PLAY THIS FILE")),
            qPrintable(Caption(*window)->text()), 40000);
        QVERIFY(!player->IsPlaying());
        QVERIFY(!Find<QToolButton>(*player, "Play")->isEnabled());

        // "Screen" on: the video opens again for a window of its own; another slot closes it.
        QTest::mouseClick(Find<QRadioButton>(*window, "VideoScreen0"), Qt::LeftButton);
        QVERIFY(window->CurrentSettings().VideoFlag);
        QVERIFY(Caption(*window)->text().startsWith(QStringLiteral("VIDEO")));
        QVERIFY(player->IsOpen());
        // Music: a MIDI file opens (it plays where a General MIDI sound font is installed).
        QTest::mouseClick(ButtonOf(*window, "BMedia3"), Qt::LeftButton);
        QVERIFY(Caption(*window)->text().startsWith(QStringLiteral("MUSIC")));
        QVERIFY(player->IsOpen());
        QVERIFY(!player->IsPlaying());
        QTest::mouseClick(ButtonOf(*window, "BMedia4"), Qt::LeftButton);
        QVERIFY(!player->IsOpen());
    }

    // The chooser lists the folder by kind without regard to case, previews, picks an existing
    // entry or adds a new one, and refuses OK without a name.
    void chooserPicksOrAddsFromTheFolder() {
        auto [window, prompts] = MakeWith({0, NoEntry, NoEntry, NoEntry});
        const auto& medias = window->Folders().medias;
        WriteJpg(medias / "poster.jpg", 1920, 1080);
        WriteBytes(medias / "notes.txt", {1});
        TChooseMedia& chooser = *window->SecondaryWindows().chooseMedia;
        std::vector<int> picked;
        chooser.Open(
            TChooseMedia::Mode::Editor, [&](int e) { picked.push_back(e); }, window.get());
        QVERIFY(chooser.isVisible());
        QVERIFY(!window->isEnabled());
        auto* files = Find<QListView>(chooser, "FileListBox1");
        QCOMPARE(Strings(files),
                 (QStringList{"BROKEN.AVI", "THEME.WAV", "cover.tga", "poster.jpg", "tune.mid"}));
        Find<QComboBox>(chooser, "FileCombo")->setCurrentIndex(1); // "Images files"
        QCOMPARE(Strings(files), (QStringList{"cover.tga", "poster.jpg"}));
        QCOMPARE(Find<QLineEdit>(chooser, "NbM")->text(), QStringLiteral("5"));

        // A double click previews the picture inside the panel.
        ClickRow(files, QStringLiteral("poster.jpg"), true);
        auto* preview = Find<QLabel>(chooser, "Image1");
        QVERIFY(preview->isVisible());
        QVERIFY(preview->width() < Find<QFrame>(chooser, "Panel1")->width());
        QTest::mouseClick(Find<QPushButton>(chooser, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(picked, (std::vector<int>{5}));
        QCOMPARE(window->Data().List(ListId::Media).back(), std::string("POSTER.JPG"));
        QVERIFY(!chooser.isVisible());
        QVERIFY(window->isEnabled());

        // The same file again: the existing entry, nothing added.
        chooser.Open(
            TChooseMedia::Mode::Editor, [&](int e) { picked.push_back(e); }, window.get());
        ClickRow(files, QStringLiteral("cover.tga"));
        QTest::mouseClick(Find<QPushButton>(chooser, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(picked, (std::vector<int>{5, 0}));
        QCOMPARE(window->Data().List(ListId::Media).size(), 6u);

        // No name: refused, the chooser stays.
        chooser.Open(
            TChooseMedia::Mode::Editor, [&](int e) { picked.push_back(e); }, window.get());
        QTest::mouseClick(Find<QPushButton>(chooser, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(prompts->messages.last(), QStringLiteral("Enter A Name!"));
        QVERIFY(chooser.isVisible());
        // An entry whose file is gone says so when clicked.
        ClickRow(Find<QListView>(chooser, "MediaListe"), QStringLiteral("GONE.JPG"));
        QCOMPARE(prompts->messages.last(), QStringLiteral("FILE NOT FOUND"));
        chooser.reject();
        QVERIFY(window->isEnabled());
    }

    // Delete and Clean List renumber the titles and the open editor's slots; the editor's "+",
    // "-" and double click.
    void chooserDeletesAndCleansAndTheEditorFollows() {
        auto [window, prompts] = MakeWith({0, 1, 2, 3});
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = *window->SecondaryWindows().ajouteF;
        QVERIFY(editor.isVisible());
        auto* slotsList = Find<QListWidget>(editor, "AMedia");
        QCOMPARE(slotsList->count(), 4);
        QTest::mouseClick(Find<QToolButton>(editor, "Button12"), Qt::LeftButton); // four: nothing
        QVERIFY(!window->SecondaryWindows().chooseMedia->isVisible());

        QTest::mouseClick(Find<QToolButton>(editor, "Button14"), Qt::LeftButton);
        QCOMPARE(prompts->messages.last(), QStringLiteral("Choose A Multimedia file\nTo Remove First!"));
        slotsList->setCurrentRow(1);
        QTest::mouseClick(Find<QToolButton>(editor, "Button14"), Qt::LeftButton);
        QCOMPARE(editor.Model().media, (std::array<int, 4>{0, 2, 3, -1}));
        QCOMPARE(slotsList->count(), 3);

        // Delete entry 0 from the chooser opened by "+": every reference goes one lower.
        QTest::mouseClick(Find<QToolButton>(editor, "Button12"), Qt::LeftButton);
        TChooseMedia& chooser = *window->SecondaryWindows().chooseMedia;
        QVERIFY(chooser.isVisible());
        auto* list = Find<QListView>(chooser, "MediaListe");
        list->clearSelection();
        Find<QAction>(chooser, "MenuItem2")->trigger();
        QCOMPARE(prompts->messages.last(), QStringLiteral("Choose Something First!"));
        ClickRow(list, QStringLiteral("COVER.TGA"));
        prompts->yesNoAnswers = {true};
        Find<QAction>(chooser, "MenuItem2")->trigger();
        QVERIFY(prompts->questions.last().startsWith(
            QStringLiteral("DELETE AN INFORMATION|COVER.TGA IS REGISTERED")));
        const TitleRecord& t = window->Data().titles[0];
        QCOMPARE(t.Media1(), NoEntry);
        QCOMPARE(t.Media2(), 0);
        QCOMPARE(t.Media3(), 1);
        QCOMPARE(t.Media4(), 2);
        QCOMPARE(editor.Model().media, (std::array<int, 4>{1, 2, -1, -1}));
        window->SecondaryWindows().cleaning->close();

        // Clean: GONE.JPG is in use but its file is missing.
        prompts->yesNoAnswers = {true};
        Find<QAction>(chooser, "MenuItem4")->trigger();
        QCOMPARE(
            prompts->questions.last(),
            QStringLiteral(
                "CLEAN LIST|CLEAN UNUSED ENTRY ON THE LIST AND MISSING FILE?\nIT COULD TAKE A LONG TIME!"));
        QCOMPARE(window->Data().List(ListId::Media),
                 (NameList{"THEME.WAV", "BROKEN.AVI"})); // TUNE.MID unused
        QCOMPARE(t.Media2(), NoEntry);
        QCOMPARE(t.Media3(), 0);
        QCOMPARE(editor.Model().media, (std::array<int, 4>{0, 1, -1, -1}));
        QCOMPARE(Strings(list), (QStringList{"BROKEN.AVI", "THEME.WAV"}));
        const auto* cleaned = Find<QListView>(*window->SecondaryWindows().cleaning, "CleanedBox");
        QCOMPARE(Strings(cleaned), (QStringList{"Erased : GONE.JPG", "Erased : TUNE.MID"}));
        window->SecondaryWindows().cleaning->close();
        chooser.reject();

        // A double click empties every slot.
        QTest::mouseDClick(slotsList->viewport(), Qt::LeftButton);
        QCOMPARE(editor.Model().media, (std::array<int, 4>{-1, -1, -1, -1}));
        QCOMPARE(slotsList->count(), 0);
        editor.CancelClick();
    }

    // TOOLS "Manage List" opens the chooser for managing; OK only closes.
    void manageListOpensTheChooser() {
        auto [window, prompts] = MakeWith({0, NoEntry, NoEntry, NoEntry});
        window->findChild<QAction*>(QStringLiteral("MultimediaFiles1"))->trigger();
        TChooseMedia& chooser = *window->SecondaryWindows().chooseMedia;
        QVERIFY(chooser.isVisible());
        QCOMPARE(chooser.CurrentMode(), TChooseMedia::Mode::Manage);
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Multimedia File"));
        ClickRow(Find<QListView>(chooser, "FileListBox1"), QStringLiteral("THEME.WAV"));
        QTest::mouseClick(Find<QPushButton>(chooser, "BitBtn1"), Qt::LeftButton);
        QVERIFY(!chooser.isVisible());
        QCOMPARE(window->Data().List(ListId::Media).size(), 5u);
        QVERIFY(window->isEnabled());
    }

    // A picture dropped on a slot button is copied into MEDIAS and set there, one step that one
    // Undo takes back; the editor's slots take a drop too; a file of no kind is named and refused.
    void droppedFilesGoIntoTheSlots() {
        auto [window, prompts] = MakeWith({0, NoEntry, NoEntry, NoEntry});
        OpenMediaPage(*window);
        const TitleRecord before = window->Data().titles[0];
        const QString dropped = dir_->filePath(QStringLiteral("dropped.jpg"));
        WriteJpg(PathFromQString(dropped), 40, 60);
        auto* page = Find<QWidget>(*window, "MEDIAS");
        QToolButton* slot3 = ButtonOf(*window, "BMedia3");
        DropFile(page, dropped, slot3->mapTo(page, slot3->rect().center()));
        const auto medias = window->Folders().medias;
        QVERIFY(std::filesystem::exists(medias / "DROPPED.JPG"));
        QCOMPARE(window->Data().titles[0].Media3(), std::uint16_t{5});
        QCOMPARE(window->Data().List(ListId::Media).back(), std::string("DROPPED.JPG"));
        QCOMPARE(Find<QLineEdit>(*window, "Media")->text(), QStringLiteral("DROPPED.JPG"));
        QVERIFY(Find<QLabel>(*window, "Image22")->isVisible());

        window->Undo1Click();
        QVERIFY(window->Data().titles[0] == before);
        QCOMPARE(window->Data().List(ListId::Media).size(), 5u);

        DropFile(page, dir_->filePath(QStringLiteral("notes.txt")), {10, 10}); // passed on to the window
        QCOMPARE(prompts->messages.size(), 1);
        QVERIFY(prompts->messages.last().startsWith(QStringLiteral("This file is neither")));

        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = *window->SecondaryWindows().ajouteF;
        auto* slotsList = Find<QListWidget>(editor, "AMedia");
        DropFile(slotsList->viewport(), dropped, {5, slotsList->viewport()->height() - 3});
        QCOMPARE(editor.Model().media, (std::array<int, 4>{0, 5, -1, -1}));
        QCOMPARE(slotsList->item(1)->text(), QStringLiteral("DROPPED_2.JPG"));
        DropFile(slotsList->viewport(), dir_->filePath(QStringLiteral("notes.txt")), {5, 5});
        QVERIFY(prompts->messages.last().startsWith(QStringLiteral("This file is of no kind")));
        QCOMPARE(editor.Model().media, (std::array<int, 4>{0, 5, -1, -1}));
        editor.reject();
    }

    // The INFORMATION page shows the first multimedia file when it is a picture, once decoded,
    // and a click opens the viewer; a sound first, or a missing picture, shows nothing.
    void informationPageShowsTheCover() {
        for (const std::uint16_t first : {std::uint16_t{0}, std::uint16_t{2}, std::uint16_t{1}}) {
            auto [window, prompts] = MakeWith({first, 0, NoEntry, NoEntry});
            auto* cover = Find<CoverWidget>(*window, "Cover");
            window->findChild<ThumbnailCache*>(QStringLiteral("Thumbnails"))->WaitForDone();
            QCoreApplication::processEvents();
            QCOMPARE(!cover->Picture().isNull(), first == 0);
            if (first != 0) continue;
            QTest::mouseClick(cover, Qt::LeftButton);
            QVERIFY(window->SecondaryWindows().mImage->isVisible());
            window->SecondaryWindows().mImage->close();
            QVERIFY(prompts->messages.isEmpty());
        }
    }
};

TAVRIN_WINDOW_TEST(MediaWindowTest, "media_window_test");

#include "media_window_test.moc"
