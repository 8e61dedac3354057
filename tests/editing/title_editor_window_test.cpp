// The title editor through its window: adding, editing, duplicating and deleting titles from the
// main window, the checks on leaving a field, the medium-dependent controls, the DVD panel and
// the review text.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/choose_actor_dialog.h"
#include "editing/choose_element_dialog.h"
#include "editing/dvd_panel_window.h"
#include "editing/review_window.h"
#include "editing/title_editor_window.h"
#include "store/review_files.h"
#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QPushButton* Push(const QObject& owner, const char* name) {
    return Find<QPushButton>(owner, name);
}

} // namespace

class TitleEditorWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;

    // A main window with a new collection holding these titles, the first line selected.
    WindowUnderTest MakeWith(std::initializer_list<const char*> titles) {
        return MakeWindowWithTitles(dir_->filePath(QStringLiteral("settings.ini")), titles);
    }
    static TAjouteF& Editor(TLDF1& w) { return *w.SecondaryWindows().ajouteF; }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void addedTitleIsSelectedInTheList() {
        auto [window, prompts] = MakeWith({"ALIEN", "ZULU"});
        QTest::mouseClick(ButtonOf(*window, "Ajoute"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QVERIFY(editor.isVisible());
        QVERIFY(!window->isEnabled());
        QCOMPARE(editor.windowTitle(), QStringLiteral("ADD"));

        QTest::keyClicks(Find<QLineEdit>(editor, "ATitre"), QStringLiteral("matrix"));
        QCOMPARE(Find<QLineEdit>(editor, "ATitre")->text(), QStringLiteral("MATRIX"));
        QLineEdit* length = Find<QLineEdit>(editor, "ADuree");
        length->clear();
        QTest::keyClicks(length, QStringLiteral("136"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);

        QVERIFY(!editor.isVisible());
        QVERIFY(window->isEnabled());
        QVERIFY(prompts->messages.isEmpty());
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "MATRIX", "ZULU"}));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(2));
        QCOMPARE(Find<QListView>(*window, "ListDisc")->currentIndex().row(), 1);
        QCOMPARE(window->Data().titles[2].Length(), 136);
        QVERIFY(window->Document().Modified());
    }

    void emptyTitleKeepsTheEditorOpen() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        QTest::mouseClick(ButtonOf(*window, "Ajoute"), Qt::LeftButton);
        QTest::mouseClick(Push(Editor(*window), "BitBtn2"), Qt::LeftButton);
        QCOMPARE(prompts->messages, QStringList{"There's no title!"});
        QVERIFY(Editor(*window).isVisible());
        QCOMPARE(window->Data().Count(), std::size_t{1});
        QTest::mouseClick(Push(Editor(*window), "BitBtn1"), Qt::LeftButton);
        QVERIFY(!Editor(*window).isVisible());
        QVERIFY(window->isEnabled());
        QVERIFY(!window->Document().Modified());
    }

    void editingKeepsOrMovesTheLine() {
        auto [window, prompts] = MakeWith({"ALIEN", "MATRIX", "ZULU"});
        window->SelectRecord(1);
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QCOMPARE(editor.windowTitle(), QStringLiteral("EDIT"));
        QCOMPARE(Find<QLineEdit>(editor, "ATitre")->text(), QStringLiteral("MATRIX"));
        QLineEdit* year = Find<QLineEdit>(editor, "AAnnee");
        year->clear();
        QTest::keyClicks(year, QStringLiteral("1999"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(window->Data().titles[1].Year(), 1999);
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1));

        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        QLineEdit* title = Find<QLineEdit>(editor, "ATitre");
        title->clear();
        QTest::keyClicks(title, QStringLiteral("BRAZIL"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "BRAZIL", "ZULU"}));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1));
        QCOMPARE(window->Data().Count(), std::size_t{3});
    }

    void duplicateAddsASecondTitle() {
        auto [window, prompts] = MakeWith({"ALIEN", "ZULU"});
        Edit(window->Document(), [](Collection& c) {
            c.titles[0].SetDirector(0);
            AddName(c, ListId::Director, "SCOTT");
        });
        window->SelectRecord(0);
        QTest::mouseClick(ButtonOf(*window, "SpeedButton12"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QCOMPARE(editor.windowTitle(), QStringLiteral("DUPLICATE"));
        QCOMPARE(Find<QLineEdit>(editor, "ADirector")->text(), QStringLiteral("SCOTT"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "ALIEN", "ZULU"}));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(2));
        QCOMPARE(window->Data().titles[2].Director(), 0);
    }

    void commandsNeedASelection() {
        auto [window, prompts] = MakeWith({});
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        QTest::mouseClick(ButtonOf(*window, "SpeedButton12"), Qt::LeftButton);
        QTest::mouseClick(ButtonOf(*window, "Efface"), Qt::LeftButton);
        QCOMPARE(prompts->messages,
                 (QStringList{"Choose A Title To Edit First!", "Choose A Title To Duplicate First!",
                              "Choose a title first!"}));
        QVERIFY(!Editor(*window).isVisible());
    }

    void deleteAsksFirst() {
        auto [window, prompts] = MakeWith({"ALIEN", "MATRIX", "ZULU"});
        window->SelectRecord(1);
        prompts->yesNoAnswers = {false};
        QTest::mouseClick(ButtonOf(*window, "Efface"), Qt::LeftButton);
        QCOMPARE(prompts->questions,
                 QStringList{"CONFIRMATION|Do you really want to delete this title from your list?\nMATRIX"});
        QCOMPARE(window->Data().Count(), std::size_t{3});

        prompts->yesNoAnswers = {true};
        QTest::mouseClick(ButtonOf(*window, "Efface"), Qt::LeftButton);
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "ZULU"}));
        QCOMPARE(window->Data().ListeIndex, (std::vector<std::uint16_t>{0, 1}));
        QVERIFY(window->Document().Modified());
    }

    void leavingABadFieldShowsItsMessage() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        QTest::mouseClick(ButtonOf(*window, "Ajoute"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QLineEdit* day = Find<QLineEdit>(editor, "ADateAchatJ");
        QLineEdit* month = Find<QLineEdit>(editor, "ADateAchatM");
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        month->setFocus();
        month->clear();
        QTest::keyClicks(month, QStringLiteral("2"));
        day->setFocus();
        QVERIFY(prompts->messages.isEmpty()); // 15/2 is a date
        day->clear();
        QTest::keyClicks(day, QStringLiteral("31"));
        month->setFocus();
        QCOMPARE(prompts->messages, QStringList{"Buy Day invalid!"});
        QCOMPARE(day->text(), QStringLiteral("1"));
        QCOMPARE(editor.Model().ADateAchatJ, std::string("1"));
        QTest::mouseClick(Push(editor, "BitBtn1"), Qt::LeftButton);
    }

    // Return in a field also presses OK: a refused value is reset, and nothing is saved yet.
    void returnOnABadFieldKeepsTheEditorOpen() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        QTest::mouseClick(ButtonOf(*window, "Ajoute"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QTest::keyClicks(Find<QLineEdit>(editor, "ATitre"), QStringLiteral("HEAT"));
        QLineEdit* year = Find<QLineEdit>(editor, "AAnnee");
        year->setFocus();
        year->clear();
        QTest::keyClicks(year, QStringLiteral("19x5"));
        QTest::keyClick(year, Qt::Key_Return);
        QCOMPARE(prompts->messages, QStringList{"Movie year invalid!"});
        QVERIFY(editor.isVisible());
        QCOMPARE(window->Data().Count(), std::size_t{1});

        year->clear();
        QTest::keyClicks(year, QStringLiteral("1995"));
        QTest::keyClick(year, Qt::Key_Return);
        QVERIFY(!editor.isVisible());
        QCOMPARE(window->Data().Count(), std::size_t{2});
        QCOMPARE(int(window->Data().titles[1].Year()), 1995);
    }

    void mediumDecidesTheSideControls() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        QTest::mouseClick(ButtonOf(*window, "Ajoute"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        auto* medium = Find<QComboBox>(editor, "ASupport");
        medium->setCurrentIndex(1);
        QCOMPARE(Find<QLabel>(editor, "ACLVLabel")->text(), QStringLiteral("Simple Side"));
        QCOMPARE(Find<QLabel>(editor, "ACAVLabel")->text(), QStringLiteral("RSDL"));
        QVERIFY(Push(editor, "ADVDButton")->isVisible());
        QVERIFY(Find<QComboBox>(editor, "AZone")->isVisible());
        medium->setCurrentIndex(3);
        QCOMPARE(Find<QLabel>(editor, "ACLVLabel")->text(), QStringLiteral("Disc"));
        QVERIFY(!Find<QLineEdit>(editor, "ACAV")->isVisible());
        QVERIFY(!Push(editor, "ADVDButton")->isVisible());
        medium->setCurrentIndex(2);
        QCOMPARE(Find<QLabel>(editor, "ACAVLabel")->text(), QStringLiteral("End"));
        QVERIFY(Find<QLineEdit>(editor, "ACAV")->isVisible());
        QVERIFY(!Find<QComboBox>(editor, "AZone")->isVisible());
        QTest::mouseClick(Push(editor, "BitBtn1"), Qt::LeftButton);
    }

    void doubleClickClearsAReference() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        Edit(window->Document(), [](Collection& c) {
            AddName(c, ListId::Composer, "GOLDSMITH");
            c.titles[0].SetComposer(0);
        });
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QLineEdit* composer = Find<QLineEdit>(editor, "AComposer");
        QCOMPARE(composer->text(), QStringLiteral("GOLDSMITH"));
        QTest::mouseDClick(composer, Qt::LeftButton);
        QCOMPARE(composer->text(), QStringLiteral("Composer"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(window->Data().titles[0].Composer(), NoEntry);
    }

    void choosersFillTheReferences() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        const auto pick = [&](const char* button, NameChooser& chooser, const QString& name) {
            QTest::mouseClick(Find<QToolButton>(editor, button), Qt::LeftButton);
            QVERIFY(chooser.isVisible());
            QVERIFY(!editor.isEnabled());
            QTest::keyClicks(chooser.Names()->Edit(), name);
            QTest::mouseClick(Push(chooser, "BitBtn1"), Qt::LeftButton);
            QVERIFY(!chooser.isVisible());
            QVERIFY(editor.isEnabled());
        };
        pick("Button7", *window->SecondaryWindows().chooseElement, QStringLiteral("williams"));
        QCOMPARE(Find<QLineEdit>(editor, "AComposer")->text(), QStringLiteral("WILLIAMS"));
        pick("Button4", *window->SecondaryWindows().chooseActor, QStringLiteral("weaver"));
        QCOMPARE(Find<QLineEdit>(editor, "AActor3")->text(), QStringLiteral("WEAVER"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        const TitleRecord& t = window->Data().titles[0];
        QCOMPARE(t.Composer(), 0);
        QCOMPARE(t.Actor3(), 0);
        QCOMPARE(t.Actor1(), NoEntry);
        QCOMPARE(window->Data().List(ListId::Actor), (NameList{"WEAVER"}));
    }

    void removedNamesRenumberTheOpenEditor() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        Edit(window->Document(), [](Collection& c) {
            for (const char* name : {"CAMERON", "FINCHER", "SCOTT"})
                AddName(c, ListId::Director, name);
            c.titles[0].SetDirector(2);
        });
        const Collection& c = window->Data();
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QLineEdit* director = Find<QLineEdit>(editor, "ADirector");
        QCOMPARE(director->text(), QStringLiteral("SCOTT"));

        // What the chooser does when an entry below the editor's is deleted.
        DeleteEntry(window->Document(), ListId::Director, 0);
        emit window->SecondaryWindows().chooseElement->EntryDeleted(ListId::Director, 0);
        QCOMPARE(director->text(), QStringLiteral("SCOTT"));
        RenameEntry(window->Document(), ListId::Director, 1, "RIDLEY SCOTT");
        emit window->SecondaryWindows().chooseElement->EntryRenamed(ListId::Director, 1);
        QCOMPARE(director->text(), QStringLiteral("RIDLEY SCOTT"));
        DeleteEntry(window->Document(), ListId::Director, 1);
        emit window->SecondaryWindows().chooseElement->EntryDeleted(ListId::Director, 1);
        QCOMPARE(director->text(), QStringLiteral("Director"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(c.titles[0].Director(), NoEntry);
    }

    void dvdPanelIsEditableOnlyFromTheEditor() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        Edit(window->Document(), [](Collection& c) {
            c.titles[0].SetSupport(1);
            c.titles[0].SetDvdSubtitles(0x83);
        });
        TDVDPanel& panel = *window->SecondaryWindows().dvdPanel;

        panel.LoadDvdPanel(window->Data(), 0);
        panel.OpenForViewing(window.get());
        QVERIFY(!window->isEnabled());
        QVERIFY(!Find<QWidget>(panel, "DVDACTIVE")->isEnabled());
        QVERIFY(Find<QCheckBox>(panel, "OSub")->isChecked());
        QVERIFY(!Find<QCheckBox>(panel, "FSub")->isChecked());
        QTest::mouseClick(Find<QCheckBox>(panel, "FSub"), Qt::LeftButton);
        QVERIFY(!Find<QCheckBox>(panel, "FSub")->isChecked());
        QTest::mouseClick(Push(panel, "BitBtn1"), Qt::LeftButton);
        QVERIFY(!panel.isVisible());
        QVERIFY(window->isEnabled());

        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QTest::mouseClick(Push(editor, "ADVDButton"), Qt::LeftButton);
        QVERIFY(panel.isVisible());
        QVERIFY(!editor.isEnabled());
        QVERIFY(Find<QWidget>(panel, "DVDACTIVE")->isEnabled());
        QTest::mouseClick(Find<QCheckBox>(panel, "FDD51"), Qt::LeftButton);
        QTest::mouseClick(Push(panel, "BitBtn1"), Qt::LeftButton);
        QVERIFY(editor.isEnabled());
        QVERIFY(!window->isEnabled());
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(int(window->Data().titles[0].DvdDd51()), 0x04);
        QCOMPARE(int(window->Data().titles[0].DvdSubtitles()), 0x83);
    }

    void reviewTextIsSavedWithTheTitle() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        auto* saveText = Find<QGroupBox>(*window, "RadioSaveTXT")->findChildren<QRadioButton*>().value(0);
        QVERIFY(saveText);
        saveText->click();
        QVERIFY(window->CurrentSettings().SaveTxt);

        QTest::mouseClick(ButtonOf(*window, "Ajoute"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QTest::keyClicks(Find<QLineEdit>(editor, "ATitre"), QStringLiteral("AB:C"));
        QTest::mouseClick(Push(editor, "SpeedButton1"), Qt::LeftButton);
        TMIMAGE& review = *window->SecondaryWindows().mImage;
        QVERIFY(review.isVisible());
        QCOMPARE(review.windowTitle(), QStringLiteral("AB:C"));
        QVERIFY(editor.isEnabled());
        auto* text = Find<QPlainTextEdit>(review, "AReview");
        QTest::keyClicks(text, QStringLiteral("Two"));
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QStringLiteral("lines"));
        // At the length limit the window says so, instead of the keys doing nothing.
        QLabel* note = Find<QLabel>(review, "LimitNote");
        QVERIFY(!note->isVisible());
        const QString typed = text->toPlainText();
        text->insertPlainText(QString(int(ReviewTextLimit), QLatin1Char('x')));
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("10000 characters at most"));
        text->setPlainText(typed);
        QVERIFY(!note->isVisible());
        review.close();
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);

        const auto file = window->Folders().text / "AB_C1.TXT";
        const auto bytes = ReadBytes(file);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
                 QByteArray("Two\r\nlines"));
        const auto r = window->CurrentRecord();
        QVERIFY(r.has_value());
        QCOMPARE(int(window->Data().titles[*r].ReviewNumber()), 1);
    }

    // A character Windows-1252 lacks is named with its field and nothing is saved: the record stays
    // as it was, the text as typed, the field keeps the focus. The code page's own letters are kept.
    void lettersACollectionCannotStoreAreRefused_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("review");
        QTest::addColumn<QString>("message"); // none: saved
        QTest::addColumn<QString>("shown");   // the title as the edit shows it after OK
        QTest::addColumn<QString>("focused");
        QTest::newRow("title")
            << u"Człowiek z żelaza"_s << QString()
            << u"Title: ł and ż cannot be stored in a collection; type them without accents"_s
            << u"CZłOWIEK Z żELAZA"_s << u"ATitre"_s;
        QTest::newRow("kana")
            << u"となりのトトロ"_s << QString()
            << u"Title: と, な, り, の, ト and ロ cannot be stored in a collection; type them "
               u"without accents"_s
            << u"となりのトトロ"_s << u"ATitre"_s;
        QTest::newRow("review") << u"Heat"_s << u"Ładny"_s
                                << u"Review: Ł cannot be stored in a collection; type it without accents"_s
                                << u"HEAT"_s << u"AReview"_s;
        QTest::newRow("kept") << u"Škoda € œuvre"_s << QString() << QString() << u"ŠKODA € ŒUVRE"_s
                              << QString();
    }

    void lettersACollectionCannotStoreAreRefused() {
        QFETCH(QString, title);
        QFETCH(QString, review);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QFETCH(QString, focused);
        auto [window, prompts] = MakeWith({"ALIEN"});
        const TitleRecord before = window->Data().titles[0];
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QLineEdit* edit = Find<QLineEdit>(editor, "ATitre");
        edit->clear();
        TypeText(edit, title);
        TMIMAGE& reviewWindow = *window->SecondaryWindows().mImage;
        if (!review.isEmpty()) {
            QTest::mouseClick(Push(editor, "SpeedButton1"), Qt::LeftButton);
            TypeText(Find<QPlainTextEdit>(reviewWindow, "AReview"), review);
        }
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(edit->text(), shown);
        if (message.isEmpty()) {
            QVERIFY(prompts->messages.isEmpty());
            QVERIFY(!editor.isVisible());
            QCOMPARE(QStringFromCp1252(window->Data().titles[0].Title()), shown);
            return;
        }
        QCOMPARE(prompts->messages, QStringList{message});
        QVERIFY(editor.isVisible());
        QVERIFY(window->Data().titles[0] == before);
        QWidget* field = focused == u"AReview"_s
                             ? static_cast<QWidget*>(Find<QPlainTextEdit>(reviewWindow, "AReview"))
                             : edit;
        QVERIFY(field->isVisible());
        QCOMPARE(field->window()->focusWidget(), field);
    }

    // A full title says so under the edit, and its tool tip gives the limit.
    void aFullTitleShowsItsLimit() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        QTest::mouseClick(ButtonOf(*window, "Ajoute"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QLineEdit* edit = Find<QLineEdit>(editor, "ATitre");
        edit->setFocus();
        QCOMPARE(edit->toolTip(), u"Title\n49 characters at most"_s);
        auto* note = Find<QLabel>(*edit, "LengthNote");
        QTest::keyClicks(edit, QString(48, u'A'));
        QVERIFY(!note->isVisible());
        QTest::keyClicks(edit, u"BC"_s);
        QCOMPARE(edit->text(), QString(48, u'A') + u'B');
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), u"49 characters at most"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!note->isVisible());
    }

    void languageSwitchKeepsTheChoices() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        Edit(window->Document(), [](Collection& c) {
            c.titles[0].SetGenre(19); // Science Fiction
            c.titles[0].SetColor(1);
        });
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = Editor(*window);
        window->SetLanguage(1);
        QCOMPARE(Find<QComboBox>(editor, "AColor")->currentText(), QStringLiteral("Noir & Blanc"));
        QCOMPARE(Find<QComboBox>(editor, "AGenre")->currentData().toInt(), 19);
        QCOMPARE(Find<QCheckBox>(editor, "ASubtitled")->text(), QStringLiteral("Sous-titrage"));
        QCOMPARE(Find<QLineEdit>(editor, "ADirector")->text(), QStringLiteral("Réalisateur"));
        QTest::mouseClick(Push(editor, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(int(window->Data().titles[0].Genre()), 19);
        QCOMPARE(int(window->Data().titles[0].Color()), 1);
        window->SetLanguage(0);
    }
};

TAVRIN_WINDOW_TEST(TitleEditorWindowTest, "title_editor_window_test");

#include "title_editor_window_test.moc"
