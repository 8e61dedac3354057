// The browse pages of the main window driven through their real controls: filters, counters,
// the title view, typed search, "Watched Today", the DVD panel and the language switch.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/dvd_panel_window.h"
#include "editing/name_list_host.h"
#include "editing/title_editor_window.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace tavrin;
using namespace tavrin::test;

namespace {

constexpr DayNumber Bought = 40000;

// Records: 0 STARGATE (DVD zone 0, THX, director 0), 1 ALIEN (LD), 2 STAR WARS (DVD zone 2,
// actors 0 and 1), 3 ZARDOZ (VHS, director 1, review text 1).
Collection Sample() {
    Collection c;
    c.List(ListId::Director) = {"EMMERICH", "BOORMAN"};
    c.List(ListId::Actor) = {"FORD", "HAMILL"};
    TitleRecord stargate = MakeTitle("STARGATE", 1994);
    stargate.SetSupport(1);
    stargate.SetZone(0);
    stargate.SetThx(true);
    stargate.SetDirector(0);
    stargate.SetDvdSubtitles(0x83);
    TitleRecord alien = MakeTitle("ALIEN", 1979);
    TitleRecord starWars = MakeTitle("STAR WARS", 1977);
    starWars.SetSupport(1);
    starWars.SetZone(2);
    starWars.SetActor1(1);
    starWars.SetActor3(0);
    TitleRecord zardoz = MakeTitle("ZARDOZ", 1974);
    zardoz.SetSupport(2);
    zardoz.SetDirector(1);
    zardoz.SetReviewNumber(1);
    for (auto* t : {&stargate, &alien, &starWars, &zardoz}) {
        t->SetBuyDate(Bought);
        AppendTitle(c, *t);
    }
    return c;
}

QString Shown(const TLDF1& w, const char* field) {
    return EditOf(w, field)->text();
}

} // namespace

class BrowseWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    // A window with the sample collection opened.
    WindowUnderTest Open() {
        Collection c = Sample();
        const QString file = dir_->filePath(QStringLiteral("SAMPLE.KXT"));
        if (!SaveCollection(c, PathFromQString(file))) qFatal("cannot write the sample");
        auto w = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        w.window->LoadFromCommandLine(file);
        return w;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void openingListsEveryTitleAndShowsTheFirst() {
        auto [window, prompts] = Open();
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "STAR WARS", "STARGATE", "ZARDOZ"}));
        QCOMPARE(Shown(*window, "Edit1"), QStringLiteral("4"));
        QCOMPARE(Shown(*window, "Edit2"), QStringLiteral("4"));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1));
        QCOMPARE(Shown(*window, "Titre"), QStringLiteral("ALIEN"));
        QCOMPARE(Shown(*window, "Annee"), QStringLiteral("1979"));
        QCOMPARE(Shown(*window, "Support"), QStringLiteral("LD"));
        QVERIFY(Find<QToolButton>(*window, "DVDButton")->isHidden());
    }

    void combosAndCheckBoxesNarrowTheList() {
        auto [window, prompts] = Open();
        auto* support = Find<QComboBox>(*window, "TSupport");
        auto* zone = Find<QComboBox>(*window, "TZone");
        QVERIFY(zone->isHidden());
        support->setCurrentIndex(1); // DVD
        QCOMPARE(ShownTitles(*window), (QStringList{"STAR WARS", "STARGATE"}));
        QCOMPARE(Shown(*window, "Edit2"), QStringLiteral("2"));
        QVERIFY(!zone->isHidden());
        QCOMPARE(zone->currentIndex(), 7);
        zone->setCurrentIndex(0); // "Zone All" keeps zone byte 0 only
        QCOMPARE(ShownTitles(*window), (QStringList{"STARGATE"}));
        QCOMPARE(Shown(*window, "Titre"), QStringLiteral("STARGATE"));
        // A new medium puts the zone back to neutral.
        support->setCurrentIndex(4);
        QCOMPARE(zone->currentIndex(), 7);
        QVERIFY(zone->isHidden());
        QCOMPARE(ShownTitles(*window).size(), 4);

        auto* thx = Find<QCheckBox>(*window, "TTHX");
        thx->click();
        QCOMPARE(ShownTitles(*window), (QStringList{"STARGATE"}));
        QVERIFY(window->Filters().TTHX);
        // Reset shows every title again with the filters neutral.
        Find<QToolButton>(*window, "SpeedButton16")->click();
        QCOMPARE(ShownTitles(*window).size(), 4);
        QVERIFY(!thx->isChecked());
        QVERIFY(!window->Filters().TTHX);
    }

    void yearBoundsKeepTheirRules() {
        auto [window, prompts] = Open();
        auto* to = EditOf(*window, "TAnnee2");
        const int thisYear = QDate::currentDate().year();
        to->selectAll();
        QTest::keyClicks(to, QStringLiteral("2999"));
        QCOMPARE(to->text(), QString::number(thisYear));
        auto* from = EditOf(*window, "TAnnee1");
        from->selectAll();
        QTest::keyClicks(from, QStringLiteral("1978"));
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "STARGATE"}));
        // An emptied field is refused on leaving and takes back the bound in force.
        to->clear();
        emit to->editingFinished();
        QCOMPARE(to->text(), QString::number(thisYear));
        QCOMPARE(prompts->messages.size(), 1);
        // A "from" year above the "to" year the field shows, even one not yet applied, takes it.
        to->selectAll();
        QTest::keyClicks(to, QStringLiteral("1890"));
        from->selectAll();
        QTest::keyClicks(from, QStringLiteral("1950"));
        QCOMPARE(from->text(), QStringLiteral("1890"));
    }

    void nameFiltersSelectEntriesOrTitlesWithoutOne() {
        auto [window, prompts] = Open();
        auto* director = EditOf(*window, "TDirector");
        QCOMPARE(director->text(), QStringLiteral("All Directors"));
        QTest::mouseDClick(director, Qt::LeftButton);
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "STAR WARS"}));
        QCOMPARE(director->text(), QString());
        window->SetNameFilter(ListId::Director, 1);
        QCOMPARE(director->text(), QStringLiteral("BOORMAN"));
        QCOMPARE(ShownTitles(*window), (QStringList{"ZARDOZ"}));
        Find<QToolButton>(*window, "Button2")->click(); // its "ALL"
        QCOMPARE(director->text(), QStringLiteral("All Directors"));
        QCOMPARE(ShownTitles(*window).size(), 4);
    }

    void actorFilterTakesUpToThreeDistinctActors() {
        auto [window, prompts] = Open();
        QVERIFY(window->AddActorFilter(1));
        QVERIFY(!window->AddActorFilter(1));
        QCOMPARE(ShownTitles(*window), (QStringList{"STAR WARS"}));
        auto* actors = Find<QListWidget>(*window, "TActor");
        QCOMPARE(actors->count(), 1);
        QCOMPARE(actors->item(0)->text(), QStringLiteral("HAMILL"));
        Find<QToolButton>(*window, "SpeedButton6")->click();
        QCOMPARE(prompts->messages, QStringList{QStringLiteral("Choose An Actor\nTo Remove First!")});
        actors->setCurrentRow(0);
        Find<QToolButton>(*window, "SpeedButton6")->click();
        QCOMPARE(actors->count(), 0);
        QCOMPARE(ShownTitles(*window).size(), 4);
    }

    void markBarsCannotCrossAndMirrorTheirValue() {
        auto [window, prompts] = Open();
        auto* high = Find<QScrollBar>(*window, "TNoteFilm2");
        auto* low = Find<QScrollBar>(*window, "TNoteFilm1");
        high->setValue(3);
        QCOMPARE(Find<QProgressBar>(*window, "PBF2")->value(), 3);
        low->setValue(5);
        QCOMPARE(low->value(), 3);
        QCOMPARE(window->Filters().TNoteFilm1, 3);
        QCOMPARE(Shown(*window, "Edit2"), QStringLiteral("0")); // every sample title has mark 0
    }

    void entryDateFieldsCheckTheDate() {
        auto [window, prompts] = Open();
        auto* day = EditOf(*window, "TDateAJ1");
        auto* month = EditOf(*window, "TDateAM1");
        auto* year = EditOf(*window, "TDateAA1");
        // The earliest purchase date of the collection.
        QCOMPARE(day->text() + "/" + month->text() + "/" + year->text(), QStringLiteral("6/7/2009"));
        day->setText(QStringLiteral("31"));
        month->setText(QStringLiteral("2"));
        emit day->editingFinished();
        QCOMPARE(prompts->messages, QStringList{QStringLiteral("Day invalid!")});
        QCOMPARE(day->text(), QStringLiteral("1"));
        // GO brings a date before the earliest purchase back to it; after today, to today.
        year->setText(QStringLiteral("2001"));
        Find<QToolButton>(*window, "SpeedButton18")->click();
        QCOMPARE(day->text() + "/" + month->text() + "/" + year->text(), QStringLiteral("6/7/2009"));
        QCOMPARE(ShownTitles(*window).size(), 4);
        year->setText(QStringLiteral("2010"));
        Find<QToolButton>(*window, "SpeedButton18")->click();
        QCOMPARE(ShownTitles(*window).size(), 0);
        // Any refresh uses the date the fields hold, also one typed without "GO".
        year->setText(QStringLiteral("2009"));
        Find<QToolButton>(*window, "Button2")->click(); // the director filter's "ALL"
        QCOMPARE(ShownTitles(*window).size(), 4);
    }

    void dvdShortcutsResetTheSingleSoundFilters() {
        auto [window, prompts] = Open();
        auto* dd51 = Find<QComboBox>(*window, "TDVDDD51");
        auto* allMpeg = Find<QComboBox>(*window, "TDVDALLMPEG");
        dd51->setCurrentIndex(1);
        allMpeg->setCurrentIndex(2);
        QCOMPARE(dd51->currentIndex(), 8);
        Find<QComboBox>(*window, "TDVDALLDD")->setCurrentIndex(1);
        QCOMPARE(allMpeg->currentIndex(), 8);
        QCOMPARE(window->Filters().DvdCombo(DvdFilter::AllDd), 1);
        QCOMPARE(window->Filters().DvdCombo(DvdFilter::AllMpeg), DvdAllLang);
        Find<QComboBox>(*window, "TDVDSub")->setCurrentIndex(1);
        QCOMPARE(ShownTitles(*window).size(), 0);
    }

    void typedNameSelectsTheFirstMatchingTitle() {
        auto [window, prompts] = Open();
        auto* enter = EditOf(*window, "EnterName");
        QTest::keyClicks(enter, QStringLiteral("star"));
        QCOMPARE(enter->text(), QStringLiteral("STAR"));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(2));
        QCOMPARE(Shown(*window, "Titre"), QStringLiteral("STAR WARS"));
        QCOMPARE(Find<QListWidget>(*window, "LDActorList")->count(), 2);
        QVERIFY(!Find<QToolButton>(*window, "DVDButton")->isHidden());
        QCOMPARE(Find<QLabel>(*window, "CLVLabel")->text(), QStringLiteral("Simple Side"));
        QCOMPARE(Find<QLabel>(*window, "CAVLabel")->text(), QStringLiteral("RSDL"));
        QTest::keyClicks(enter, QStringLiteral("X"));
        QCOMPARE(window->CurrentRecord(), std::nullopt);
        QCOMPARE(Shown(*window, "Titre"), QStringLiteral("STAR WARS")); // the view stays
    }

    void watchedTodayCountsAndMarksModified() {
        auto [window, prompts] = Open();
        QVERIFY(!window->Document().Modified());
        auto* watched = Find<QToolButton>(*window, "SpeedButton9");
        watched->click();
        watched->click();
        QCOMPARE(window->Data().RecordAt(1).Viewings(), 2);
        QCOMPARE(Shown(*window, "NbVision"), QStringLiteral("2"));
        QVERIFY(window->Document().Modified());
    }

    void pageFlippingAndTheTextPage() {
        auto [window, prompts] = Open();
        const auto review = window->Folders().text / "ZARDOZ1.TXT";
        std::ofstream(review, std::ios::binary) << "A strange film.";
        auto* pages = Find<QTabWidget>(*window, "Onglet");
        pages->setCurrentWidget(Find<QWidget>(*window, "GADGET"));
        window->SelectRecord(3);
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("GADGET")); // flipping is off
        auto* txt = Find<QToolButton>(*window, "ATxtButton");
        QVERIFY(!txt->isHidden());
        txt->click();
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TEXTDISC"));
        QCOMPARE(Find<QPlainTextEdit>(*window, "Review")->toPlainText(), QStringLiteral("A strange film."));

        Find<QRadioButton>(*window, "PageFlipping0")->click();
        QVERIFY(window->CurrentSettings().FlipFlag);
        auto* list = Find<QListView>(*window, "ListDisc");
        const QRect row = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("DISC"));
        QVERIFY(txt->isHidden()); // ALIEN has no text
    }

    void dvdButtonOpensThePanelReadOnly() {
        auto [window, prompts] = Open();
        window->show();
        window->SelectRecord(0);
        auto* dvd = Find<QToolButton>(*window, "DVDButton");
        QVERIFY(!dvd->isHidden());
        dvd->click();
        QWidget* panel = window->SecondaryWindows().dvdPanel.get();
        QVERIFY(panel->isVisible());
        QVERIFY(!window->isEnabled());
        QVERIFY(Find<QCheckBox>(*panel, "CSub")->isChecked());
        QVERIFY(Find<QCheckBox>(*panel, "OSub")->isChecked());
        QVERIFY(!Find<QCheckBox>(*panel, "FSub")->isChecked());
        QVERIFY(!Find<QWidget>(*panel, "DVDACTIVE")->isEnabled());
        panel->close();
        QVERIFY(window->isEnabled());
    }

    // The DVD panel also holds the languages ticked in the open title editor: showing the
    // selected title again meanwhile (a name renamed in a chooser) must not replace them.
    void openEditorKeepsItsDvdLanguages() {
        auto [window, prompts] = Open();
        window->show();
        window->SelectRecord(0); // STARGATE: DVD with subtitles
        ButtonOf(*window, "Ajoute")->click();
        TAjouteF& editor = *window->SecondaryWindows().ajouteF;
        QTest::keyClicks(Find<QLineEdit>(editor, "ATitre"), QStringLiteral("matrix"));
        Find<QComboBox>(editor, "ASupport")->setCurrentIndex(1);
        Find<QPushButton>(editor, "ADVDButton")->click();
        TDVDPanel& panel = *window->SecondaryWindows().dvdPanel;
        Find<QCheckBox>(panel, "FDD51")->click();
        Find<QPushButton>(panel, "BitBtn1")->click();

        window->SecondaryWindows().nameLists->entryRenamed(ListId::Director, 0);
        Find<QPushButton>(editor, "BitBtn2")->click();
        const TitleRecord& added = window->Data().RecordAt(4);
        QCOMPARE(QStringFromCp1252(added.TitleView()), QStringLiteral("MATRIX"));
        QCOMPARE(int(added.DvdDd51()), 0x04);
        QCOMPARE(int(added.DvdSubtitles()), 0);
    }

    // The lists filled from the catalogue come back at their neutral item; the title list keeps
    // what the last refresh left until the next one.
    void languageSwitchReturnsTheCatalogueListsToNeutral() {
        auto [window, prompts] = Open();
        auto* sound = Find<QComboBox>(*window, "TSound");
        auto* genre = Find<QComboBox>(*window, "TGenre");
        auto* subtitles = Find<QComboBox>(*window, "TDVDSub");
        sound->setCurrentIndex(2);
        genre->setCurrentIndex(genre->findData(13)); // Horror
        QCOMPARE(window->Filters().TGenre, 13);
        const QStringList filtered = ShownTitles(*window);

        window->SetLanguage(1);
        QCOMPARE(sound->currentIndex(), 5);
        QCOMPARE(sound->currentText(), QStringLiteral("Son"));
        QCOMPARE(genre->currentData().toInt(), GenreAll);
        QCOMPARE(genre->currentText(), QStringLiteral("Genre"));
        QCOMPARE(subtitles->currentIndex(), subtitles->count() - 1);
        QCOMPARE(ShownTitles(*window), filtered);
        QCOMPARE(EditOf(*window, "TDirector")->text(), QStringLiteral("Tous les réalisateurs"));
        QCOMPARE(Find<QCheckBox>(*window, "TSubtitled")->text(), QStringLiteral("Sous-titrage"));

        window->RefreshList();
        QCOMPARE(window->Filters().TGenre, GenreAll);
        QCOMPARE(window->Filters().TSound, 5);
        window->SetLanguage(0);
        QCOMPARE(Find<QCheckBox>(*window, "TSubtitled")->text(), QStringLiteral("Subtitled"));
    }
};

TAVRIN_WINDOW_TEST(BrowseWindowTest, "browse_window_test");

#include "browse_window_test.moc"
