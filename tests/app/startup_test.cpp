// Start and end of a session: settings, program folders, the command-line file, the menus, the
// secondary windows, About and Help.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "platform/help_viewer.h"
#include "platform/settings_store.h"
#include "test_support.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>

#include <filesystem>
#include <map>
#include <memory>

#include <sys/stat.h>

using namespace tavrin;
using namespace tavrin::test;

namespace {

std::map<QString, QString> StoredValues(const QString& iniFile) {
    QSettings ini(iniFile, QSettings::IniFormat);
    std::map<QString, QString> values;
    for (const QString& key : ini.allKeys())
        values[key] = ini.value(key).toString();
    return values;
}

void Store(const QString& iniFile, const std::map<QString, QString>& values) {
    QSettings ini(iniFile, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        ini.setValue(key, value);
    ini.sync();
}

const std::map<QString, QString> Defaults{{"Flip Flag", "N"},  {"Video Flag", "N"}, {"Save TXT", "N"},
                                          {"Media Flag", "Y"}, {"Type Video", "L"}, {"Language", "0"},
                                          {"Keep Backup", "Y"}};

QStringList LanguageChecks(const TLDF1& w) {
    QStringList checked;
    for (const char* name : {"English1", "Franais1", "Allemand1", "Italiano1", "Finlandais1"})
        if (ActionOf(w, name)->isChecked()) checked << QLatin1String(name);
    return checked;
}

// The names of a menu's items shown, "-" for a separator.
QStringList Layout(const QMenu* menu) {
    QStringList items;
    for (const QAction* a : menu->actions())
        if (a->isVisible())
            items << (a->isSeparator() ? QStringLiteral("-")
                      : a->menu()      ? a->menu()->objectName()
                                       : a->objectName());
    return items;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void theFirstRunStoresTheDefaults() {
        // The user's own store: an INI file under the configuration folder.
        const QString userStore =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Tavrin/Tavrin.ini";
        QFile::remove(userStore);
        auto [window, prompts] = MakeWindow(QString());
        QVERIFY2(QFile::exists(userStore), qPrintable(userStore));
        QCOMPARE(StoredValues(userStore), Defaults);
        QCOMPARE(window->CurrentSettings(), Settings{});
        window->show();
        QCOMPARE(LanguageChecks(*window), QStringList{"English1"});
    }

    void aLanguageOutOfRangeStartsInEnglishAndIsMended() {
        const QString ini = Path("settings.ini");
        Store(ini, {{"Language", "7"}, {"Save TXT", "Y"}, {"Media Flag", "N"}, {"Type Video", "D"}});
        auto [window, prompts] = MakeWindow(ini);
        QCOMPARE(window->CurrentSettings().Language, 7);
        QVERIFY(LanguageChecks(*window).isEmpty());
        window->show();
        QCOMPARE(LanguageChecks(*window), QStringList{"English1"});
        QCOMPARE(ShownCaption(MenuOf(*window, "FILES1")), QStringLiteral("FILES"));
        QVERIFY(window->close());
        const auto stored = StoredValues(ini);
        QCOMPARE(stored.at("Language"), QStringLiteral("0"));
        QCOMPARE(stored.at("Save TXT"), QStringLiteral("Y"));
        QCOMPARE(stored.at("Media Flag"), QStringLiteral("N"));
        QCOMPARE(stored.at("Type Video"), QStringLiteral("D"));
        QCOMPARE(stored.at("Flip Flag"), QStringLiteral("N")); // missing values take their defaults
    }

    void theStoredLanguageLabelsTheWindowAndCanBeSwitched() {
        const QString ini = Path("settings.ini");
        Store(ini, {{"Language", "1"}});
        auto [window, prompts] = MakeWindow(ini);
        window->show();
        QCOMPARE(LanguageChecks(*window), QStringList{"Franais1"});
        QCOMPARE(ShownCaption(MenuOf(*window, "FILES1")), QStringLiteral("FICHIERS"));
        QCOMPARE(ShownCaption(ActionOf(*window, "Open1")), QStringLiteral("Ouvrir"));

        ActionOf(*window, "Allemand1")->trigger();
        QCOMPARE(LanguageChecks(*window), QStringList{"Allemand1"});
        QCOMPARE(ShownCaption(ActionOf(*window, "Open1")), QStringLiteral("Öffnen"));
        ActionOf(*window, "English1")->trigger();
        QCOMPARE(LanguageChecks(*window), QStringList{"English1"});
        QCOMPARE(ShownCaption(MenuOf(*window, "FILES1")), QStringLiteral("FILES"));
        QCOMPARE(ShownCaption(ActionOf(*window, "ManageInfoList1")), QStringLiteral("Other Informations 1"));
        QCOMPARE(ShownCaption(ActionOf(*window, "Informations21")), QStringLiteral("Other Informations 2"));
        QVERIFY(window->close());
        QCOMPARE(StoredValues(ini).at("Language"), QStringLiteral("0"));
    }

    void aStoreThatCannotBeCreatedIsNeverWritten() {
        QFile plain(Path("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString ini = Path("plain/settings.ini");

        SettingsStore store(ini);
        QCOMPARE(store.Read(), Settings{});
        QVERIFY(!store.Usable());
        Settings changed;
        changed.FlipFlag = true;
        store.Write(changed);
        QVERIFY(!QFile::exists(ini));

        auto [window, prompts] = MakeWindow(ini);
        window->show();
        QVERIFY(window->close());
        QCOMPARE(QFileInfo(Path("plain")).size(), 0);
    }

    void anExistingStoreIsReadAsItIs() {
        const QString ini = Path("settings.ini");
        Store(ini, {{"Flip Flag", "Y"}, {"Media Flag", "no"}, {"Type Video", "V"}, {"Language", "4"}});
        SettingsStore store(ini);
        const Settings s = store.Read();
        QVERIFY(s.FlipFlag);
        QVERIFY(!s.VideoFlag);
        QVERIFY(s.MediaFlag); // only "N" is off
        QCOMPARE(s.TypeVideo, 2);
        QCOMPARE(s.Language, 4);
        // Reading does not add the missing values.
        QCOMPARE(StoredValues(ini).size(), std::size_t(4));
    }

    void theProgramFoldersAreMadeUnderTavrinHome() {
        const QString home = Path("tavrin home");
        qputenv("TAVRIN_HOME", home.toUtf8());
        auto [window, prompts] = MakeWindow(Path("settings.ini"));
        QCOMPARE(window->Folders().home, PathFromQString(home));
        QVERIFY(QFileInfo(home + "/TEXT").isDir());
        QVERIFY(QFileInfo(home + "/MEDIAS").isDir());
    }

    void theCommandLineFileOpensAtTheFirstActivation() {
        WriteBytes(PathFromQString(Path("start.KXT")),
                   BuildFile('5', {MakeTitle("JAWS"), MakeTitle("HEAT")},
                             std::vector<std::vector<std::string>>(9, std::vector<std::string>{}), {1, 0}));
        {
            auto [window, prompts] = MakeWindow(Path("settings.ini"), Path("start.KXT"));
            QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("0"));
            window->show();
            QTRY_COMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("2"));
            QCOMPARE(ShownTitles(*window), (QStringList{"HEAT", "JAWS"}));
            QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1));
            QCOMPARE(EditOf(*window, "NameFile")->text(), Path("start.KXT"));
            QVERIFY(ActionOf(*window, "SAVEButton")->isEnabled());
            QVERIFY(prompts->questions.isEmpty());
        }
        {
            auto [window, prompts] = MakeWindow(Path("settings.ini"), Path("missing.KXT"));
            window->show();
            QTest::qWait(50);
            QVERIFY(prompts->messages.isEmpty());
            QVERIFY(ShownTitles(*window).isEmpty());
            QVERIFY(!ActionOf(*window, "SAVEButton")->isEnabled());
        }
        {
            WriteBytes(PathFromQString(Path("bad.KXT")), {'M', 'Z', 0});
            auto [window, prompts] = MakeWindow(Path("settings.ini"), Path("bad.KXT"));
            window->show();
            QTRY_COMPARE(prompts->messages, QStringList{"Invalid file!"});
            QVERIFY(!ActionOf(*window, "SAVEButton")->isEnabled());
        }
        {
            // Opened, a pipe would hold the window up for good: it is refused unread.
            QCOMPARE(::mkfifo(QFile::encodeName(Path("pipe.KXT")).constData(), 0600), 0);
            auto [window, prompts] = MakeWindow(Path("settings.ini"), Path("pipe.KXT"));
            window->show();
            QTRY_COMPARE(prompts->messages, QStringList{Path("pipe.KXT") + " is not a regular file"});
            QVERIFY(!ActionOf(*window, "SAVEButton")->isEnabled());
        }
    }

    void theMenusFollowTheirLayout() {
        auto [window, prompts] = MakeWindow(Path("settings.ini"));
        QStringList bar;
        for (const QAction* a : window->menuBar()->actions())
            bar << a->menu()->objectName();
        QCOMPARE(bar, (QStringList{"FILES1", "EDIT1", "VIEW1", "TOOLS1", "STATS1", "Language1", "ABOUT1"}));
        QCOMPARE(Layout(MenuOf(*window, "FILES1")),
                 (QStringList{"NewTavrinfile1", "-", "Open1", "SAVEButton", "SaveAs1", "SaveSelectedList1",
                              "-", "Import1", "ImportTable1", "ImportCatalogue1", "AddAList1", "-", "Export1", "ExportAList1",
                              "-", "Print", "-", "N2"}));
        QCOMPARE(Layout(MenuOf(*window, "TOOLS1")),
                 (QStringList{"ManageList1", "-", "LoadList1", "SaveList1", "-", "ReBuildingIndex1"}));
        QCOMPARE(Layout(MenuOf(*window, "ManageList1")),
                 (QStringList{"ManageActorList1", "ManageBoxList1", "ManageComposerList1",
                              "ManageDirectorList1", "ManageInfoList1", "Informations21", "Publisher1",
                              "ManageRetailerList1", "-", "MultimediaFiles1"}));
        QCOMPARE(Layout(MenuOf(*window, "SaveList1")),
                 (QStringList{"Actor1", "Box1", "Composer1", "Director1", "Informations1", "Publisher2",
                              "Retailer1"}));
        QCOMPARE(Layout(MenuOf(*window, "LoadList1")).size(), 7);
        QCOMPARE(Layout(MenuOf(*window, "VIEW1")), (QStringList{"TitleList1", "TitleTable1", "CoverGrid1",
                                                                "TableColumns1", "SortBy1", "-", "Search1"}));
        QCOMPARE(Layout(MenuOf(*window, "STATS1")), (QStringList{"Statistics1", "DVDStatistics1"}));
        QCOMPARE(Layout(MenuOf(*window, "Language1")),
                 (QStringList{"English1", "Franais1", "Allemand1", "Italiano1", "Finlandais1"}));
        QCOMPARE(Layout(MenuOf(*window, "ABOUT1")), (QStringList{"Help2", "About2"}));
        QCOMPARE(window->windowTitle(), QStringLiteral("TAVRIN V2.91.3 (Beta)"));
        QCOMPARE(EditOf(*window, "NameFile")->toolTip(), QStringLiteral("File Currently Opened"));
        QCOMPARE(ButtonOf(*window, "SpeedButton23")->toolTip(),
                 QStringLiteral("Select manually some titles"));
        auto* pages = Find<QTabWidget>(*window, "Onglet");
        QStringList tabs;
        for (int i = 0; i < pages->count(); ++i)
            tabs << pages->widget(i)->objectName() + "=" + pages->tabText(i);
        QCOMPARE(tabs, (QStringList{"DISC=INFORMATION", "SORTDISC=SORT TITLES", "GADGET=GADGET",
                                    "MEDIAS=MULTIMEDIA", "TEXTDISC=TEXT"}));
    }

    void theSecondaryWindowsExistOnceAndStayHidden() {
        auto [window, prompts] = MakeWindow(Path("settings.ini"));
        Windows& w = window->SecondaryWindows();
        const std::pair<QWidget*, const char*> expected[] = {
            {w.ajouteF.get(), "ADD"},
            {w.chooseActor.get(), "Actor"},
            {w.changeBase.get(), "MODIFY"},
            {w.statsForm.get(), "STATS"},
            {w.kxtAbout.get(), "About this version of TAVRIN"},
            {w.cleaning.get(), "Cleaning"},
            {w.chooseMedia.get(), "Multimedia File"},
            {w.mImage.get(), ""},
            {w.dvdPanel.get(), "DVD PANEL"},
            {w.exportList.get(), "EXPORT"},
            {w.chooseElement.get(), "CHOOSE"},
            {w.htmlChoix.get(), "HTML"}};
        const char* classes[] = {"TAjouteF",  "TChooseActor", "TChangeBase",    "TStatsForm",
                                 "TKXTAbout", "TCleaning",    "TChooseMedia",   "TMIMAGE",
                                 "TDVDPanel", "TEXPORTLIST",  "TChooseElement", "THTMLCHOIX"};
        for (std::size_t i = 0; i < std::size(expected); ++i) {
            QWidget* shell = expected[i].first;
            QVERIFY(shell);
            QCOMPARE(shell->objectName(), QLatin1String(classes[i]));
            QCOMPARE(QLatin1String(shell->metaObject()->className()), "tavrin::" + QLatin1String(classes[i]));
            QCOMPARE(shell->windowTitle(), QString::fromUtf8(expected[i].second));
            QVERIFY(!shell->isVisible());
            QVERIFY(shell->isWindow());
        }
    }

    void aboutDisablesTheMainWindowUntilClosed() {
        auto [window, prompts] = MakeWindow(Path("settings.ini"));
        window->show();
        ActionOf(*window, "About2")->trigger();
        TKXTAbout* about = window->SecondaryWindows().kxtAbout.get();
        QVERIFY(about->isVisible());
        QVERIFY(!window->isEnabled());
        QVERIFY(about->isEnabled());
        QVERIFY(about->findChild<QTextEdit*>()->toPlainText().contains(QStringLiteral("2.91.3 (Beta)")));
        about->close();
        QVERIFY(window->isEnabled());
        // Quitting closes whatever is still open.
        ActionOf(*window, "Help2")->trigger();
        QVERIFY(window->close());
        QVERIFY(!window->Help()->isVisible());
    }

    void helpOpensAtItsContents() {
        auto [window, prompts] = MakeWindow(Path("settings.ini"));
        window->show();
        ActionOf(*window, "Help2")->trigger();
        HelpViewer* help = window->Help();
        QVERIFY(help->isVisible());
        QCOMPARE(help->Browser()->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
        QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Contents")));
    }

    void everyHelpLinkLeadsToAPage() {
        auto [window, prompts] = MakeWindow(Path("settings.ini")); // registers the help pages
        QStringList pages;
        for (QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}); it.hasNext();)
            pages << QFileInfo(it.next()).fileName();
        QVERIFY(pages.size() > 1);
        const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        QSet<QString> linked;
        for (const QString& page : pages) {
            QFile file(":/help/" + page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            for (auto m = href.globalMatch(html); m.hasNext();) {
                const QString target = m.next().captured(1);
                if (target.startsWith(QLatin1String("http"))) continue;
                const QString name = target.section('#', 0, 0);
                const QString anchor = target.section('#', 1);
                QVERIFY2(QFile::exists(":/help/" + name), qPrintable(page + " -> " + target));
                if (!anchor.isEmpty()) {
                    QFile targetFile(":/help/" + name);
                    QVERIFY(targetFile.open(QIODevice::ReadOnly));
                    QVERIFY2(targetFile.readAll().contains(("name=\"" + anchor + "\"").toUtf8()),
                             qPrintable(page + " -> " + target));
                }
                if (page == QLatin1String("index.html")) linked << name;
            }
        }
        for (const QString& page : pages)
            if (page != QLatin1String("index.html")) QVERIFY2(linked.contains(page), qPrintable(page));
    }
};

TAVRIN_WINDOW_TEST(StartupTest, "startup_test");

#include "startup_test.moc"
