// The HTML options window driven through its controls: the colours, the background picture, the
// rules between "Multi Page", "Frames" and the export kind, and OK writing the files.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "reports/export_window.h"
#include "reports/html_options_window.h"
#include "store/files/file_access.h"
#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace tavrin;
using namespace tavrin::test;

namespace {

struct Options {
    FakePrompts prompts;
    MessageCatalogue catalogue;
    THTMLCHOIX window{catalogue, prompts};
    QWidget opener;
    Collection collection = MakeCollection({"ALIEN", "ALIEN", "BRAZIL"});
    std::vector<QColor> colourAnswers; // what the colour dialog answers, in turn

    Options() {
        window.askColour = [this](const QColor&, const QString&) {
            const QColor answer = colourAnswers.empty() ? QColor() : colourAnswers.front();
            if (!colourAnswers.empty()) colourAnswers.erase(colourAnswers.begin());
            return answer;
        };
    }
    HtmlExportJob Job(ExportKind kind, const std::filesystem::path& home = {}) {
        HtmlExportJob job;
        job.collection = &collection;
        job.browse = {0, 1, 2};
        job.choices.kind = kind;
        job.choices.details = DetailChoices::All();
        job.folders = {home / "MEDIAS", home / "TEXT"};
        return job;
    }
    template <class T> T* Control(const char* name) { return Find<T>(window, name); }
    // On the box or the button itself: a check box takes clicks on its box and caption only.
    void Click(const char* name) {
        auto* button = Control<QAbstractButton>(name);
        const bool box = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {},
                          box ? QPoint(8, button->height() / 2) : button->rect().center());
    }
};

} // namespace

class HtmlOptionsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void multiPageNeedsTheDetailsAndFramesNeedMultiPage() {
        Options o;
        o.window.Open(&o.opener, o.Job(ExportKind::JustTheTitles));
        QVERIFY(!o.opener.isEnabled());
        o.Click("HTMLMultiP");
        QVERIFY(!o.Control<QCheckBox>("HTMLMultiP")->isChecked());
        QVERIFY(!o.Control<QCheckBox>("HTMLFrames")->isEnabled());
        o.Click("BitBtn2");
        QVERIFY(o.opener.isEnabled());
        QVERIFY(!o.window.isVisible());

        o.window.Open(&o.opener, o.Job(ExportKind::OtherInformations));
        o.Click("HTMLMultiP");
        QVERIFY(o.Control<QCheckBox>("HTMLMultiP")->isChecked());
        QVERIFY(o.Control<QCheckBox>("HTMLFrames")->isEnabled());
        o.Click("HTMLFrames");
        QVERIFY(o.window.Options().frames);
        o.Click("HTMLMultiP");
        QVERIFY(!o.Control<QCheckBox>("HTMLFrames")->isEnabled());
        QVERIFY(!o.window.Options().frames);
        o.Click("HTMLMultiP");
        o.window.close();
        // Every opening starts on one page.
        o.window.Open(&o.opener, o.Job(ExportKind::OtherInformations));
        QVERIFY(!o.Control<QCheckBox>("HTMLMultiP")->isChecked());
        QVERIFY(!o.window.Options().multiPage);
        o.window.close();
    }

    void coloursBackgroundPictureAndPlace() {
        Options o;
        o.window.Open(&o.opener, o.Job(ExportKind::OtherInformations));
        QCOMPARE(o.window.Options().textColour, BlackColour);
        QCOMPARE(o.window.Options().backgroundColour, WhiteColour);
        o.colourAnswers = {QColor(255, 0, 0), QColor(0, 0, 128)};
        o.Click("Button2");
        o.Click("Button1");
        QCOMPARE(o.window.Options().textColour, ColourFromRgb(255, 0, 0));
        QCOMPARE(o.window.Options().backgroundColour, ColourFromRgb(0, 0, 128));
        QCOMPARE(o.Control<QLineEdit>("HTMLEdit")->palette().color(QPalette::Text), QColor(255, 0, 0));
        // A cancelled dialog gives black text and a white background again.
        o.Click("Button2");
        o.Click("Button1");
        QCOMPARE(o.window.Options().textColour, BlackColour);
        QCOMPARE(o.window.Options().backgroundColour, WhiteColour);

        auto* back = o.Control<QLineEdit>("IMGBACK");
        QTest::keyClicks(back, QStringLiteral("pics/"));
        back->insert(QStringLiteral("\u00e9t\u00e9.jpg")); // typed with a compose key

        QCOMPARE(o.window.Options().backgroundImage, std::string("pics/\xE9t\xE9.jpg"));
        QTest::mouseDClick(back, Qt::LeftButton);
        QVERIFY(back->text().isEmpty());

        QCOMPARE(o.window.Options().place, PicturePlace::Right);
        o.Click("ImageLeft");
        QCOMPARE(o.window.Options().place, PicturePlace::Left);
        o.Click("ImageNone");
        QCOMPARE(o.window.Options().place, PicturePlace::None);
        o.window.close();
    }

    void okWritesThePagesAndCopiesThePictures() {
        TempDir home;
        std::filesystem::create_directories(home / "MEDIAS");
        Options o;
        o.collection.List(ListId::Media).clear();
        // More pictures than the progress threshold, each title its own.
        for (int i = 0; i < THTMLCHOIX::ProgressFrom + 5; ++i) {
            const std::string name = "P" + std::to_string(i) + ".JPG";
            o.collection.List(ListId::Media).push_back(name);
            WriteBytes(home / "MEDIAS" / name, {1});
            TitleRecord t = MakeTitle("T" + std::to_string(i));
            t.SetMedia1(static_cast<std::uint16_t>(i));
            AppendTitle(o.collection, t);
        }
        auto job = o.Job(ExportKind::OtherInformations, home.path());
        job.browse.clear();
        for (std::uint16_t r = 0; r < o.collection.Count(); ++r)
            job.browse.push_back(r);
        o.window.SetMailAddress("me@example.org");
        o.window.Open(&o.opener, job);
        o.Click("HTMLMultiP");
        o.Click("HTMLFrames");
        o.Click("HTMLMedia");
        std::filesystem::create_directories(home / "out");
        o.prompts.saveAnswers = {QStringFromPath(home / "out" / "list.htm")};
        QSignalSpy closed(&o.window, &THTMLCHOIX::Closed);
        o.Click("BitBtn1");
        QCOMPARE(closed.count(), 1);
        QVERIFY(o.opener.isEnabled());
        QCOMPARE(o.prompts.lastDialog.defaultSuffix, QStringLiteral("htm"));
        QVERIFY(o.prompts.messages.isEmpty());
        for (const char* file : {"list.htm", "liste_index.htm", "ALIEN.htm", "ALIEN1.htm", "BRAZIL.htm",
                                 "T0.htm", "P0.JPG", "P24.JPG"})
            QVERIFY2(std::filesystem::exists(home / "out" / file), file);
        const auto page = ReadBytes(home / "out" / "ALIEN.htm");
        QVERIFY(std::string(page.begin(), page.end()).find("mailto:me@example.org") != std::string::npos);
    }

    void theExportWindowsHtmlButtonOpensItOnTheBrowseList() {
        QTemporaryDir dir;
        auto w = MakeWindow(dir.filePath(QStringLiteral("settings.ini")));
        w.window->NewTavrinfile1Click();
        Edit(w.window->Document(), [](Collection& c) {
            for (const char* title : {"ALIEN", "TOM & JERRY"})
                AppendTitle(c, MakeTitle(title));
        });
        w.window->CopyMasterToBrowse();
        w.window->RebuildTitleList();
        w.window->show();
        ActionOf(*w.window, "ExportAList1")->trigger();
        TEXPORTLIST& exportList = *w.window->SecondaryWindows().exportList;
        THTMLCHOIX& options = *w.window->SecondaryWindows().htmlChoix;
        QTest::mouseClick(Find<QPushButton>(exportList, "EHTML"), Qt::LeftButton);
        QVERIFY(options.isVisible());
        QVERIFY(!exportList.isEnabled());
        QVERIFY(!w.window->isEnabled());

        const QString target = dir.filePath(QStringLiteral("list.htm"));
        w.prompts->saveAnswers = {target};
        QTest::mouseClick(Find<QPushButton>(options, "BitBtn1"), Qt::LeftButton);
        QVERIFY(!options.isVisible());
        QVERIFY(exportList.isEnabled());
        const auto page = ReadBytes(PathFromQString(target));
        QVERIFY(std::string(page.begin(), page.end()).find("<LI>ALIEN\r\n<LI>TOM &amp; JERRY\r\n") !=
                std::string::npos);
        exportList.close();
        QVERIFY(w.window->isEnabled());
    }

    void aFileThatCannotBeWrittenIsReported() {
        TempDir home;
        Options o;
        o.window.Open(&o.opener, o.Job(ExportKind::OtherInformations, home.path()));
        const QString target = QStringFromPath(home / "missing folder" / "list.htm");
        o.prompts.saveAnswers = {target};
        o.Click("BitBtn1");
        QCOMPARE(o.prompts.messages.size(), 1);
        QCOMPARE(o.prompts.messages[0],
                 WriteFailureText(o.catalogue, FileFailure{FileError::CannotWrite, target.toStdString(),
                                                           SystemReason(ENOENT)}));
        QVERIFY(!o.window.isVisible());

        // A cancelled file choice writes nothing and closes the window.
        o.window.Open(&o.opener, o.Job(ExportKind::OtherInformations, home.path()));
        o.Click("BitBtn1");
        QVERIFY(!o.window.isVisible());
        QVERIFY(o.opener.isEnabled());
        QCOMPARE(o.prompts.messages.size(), 1);
    }
};

TAVRIN_WINDOW_TEST(HtmlOptionsWindowTest, "html_options_window_test");

#include "html_options_window_test.moc"
