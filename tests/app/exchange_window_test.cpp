// The main window's title exchange: Export A Title, Import A Title (its question answered No and
// Yes), Add A List with the progress bar moving, and Re-Building Index.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "store/files/collection_file.h"
#include "store/files/title_file.h"
#include "store/title_exchange.h"
#include "store/title_order.h"
#include "test_support.h"

#include <QApplication>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::test;

class ExchangeWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }

    // A window holding ZULU (directed by LEONE) and ALIEN (by SCOTT), opened from a file.
    WindowUnderTest Opened() {
        Collection c;
        c.List(ListId::Director) = {"LEONE", "SCOTT"};
        TitleRecord zulu = MakeTitle("ZULU"), alien = MakeTitle("ALIEN");
        zulu.SetDirector(0);
        alien.SetDirector(1);
        zulu.SetBuyDate(40000);
        alien.SetBuyDate(40000);
        AppendTitle(c, zulu);
        AppendTitle(c, alien);
        return MakeWindowOpening(Path(QStringLiteral("settings.ini")), Path("films.KXT"), c);
    }

    // A title file of HEAT directed by MANN.
    QString HeatFile() {
        Collection c;
        c.List(ListId::Director) = {"MANN"};
        TitleRecord heat = MakeTitle("HEAT", 1995);
        heat.SetDirector(0);
        AppendTitle(c, heat);
        const QString file = Path("heat.KXM");
        WriteBytes(PathFromQString(file), ExportTitle(c, 0));
        return file;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void importAsksBeforeAddingTheTitle() {
        auto [window, prompts] = Opened();
        // A filter that hides ZULU: the imported title is shown with every other.
        window->SetNameFilter(ListId::Director, 1);
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN"}));
        const Collection before = window->Data();

        // No: nothing changes.
        prompts->openAnswers = {HeatFile()};
        prompts->yesNoAnswers = {false};
        ActionOf(*window, "Import1")->trigger();
        QCOMPARE(prompts->lastDialog.filter, QStringLiteral("Tavrin File (*.KXM)"));
        QCOMPARE(prompts->lastDialog.defaultSuffix, QStringLiteral("KXM"));
        QCOMPARE(prompts->questions,
                 QStringList{"CONFIRMATION|Do you really want to add to your list this title?\nHEAT"});
        QCOMPARE(window->Data().titles, before.titles);
        QCOMPARE(window->Data().lists, before.lists);
        QVERIFY(!window->Document().Modified());
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN"}));

        // Yes: appended with its director re-linked, shown and selected among every title.
        prompts->openAnswers = {HeatFile()};
        prompts->yesNoAnswers = {true};
        ActionOf(*window, "Import1")->trigger();
        QVERIFY(prompts->messages.isEmpty());
        QCOMPARE(window->Data().Count(), std::size_t{3});
        QCOMPARE(window->Data().List(ListId::Director), (NameList{"LEONE", "SCOTT", "MANN"}));
        QCOMPARE(window->Data().RecordAt(2).Director(), std::uint16_t{2});
        QCOMPARE(window->Data().RecordAt(2).BuyDate(), window->Today());
        QVERIFY(window->Document().Modified());
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "HEAT", "ZULU"}));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(2));
        QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("3"));
        QCOMPARE(window->Filters().TDirector, 1);
    }

    void aDamagedTitleFileChangesNothing() {
        auto [window, prompts] = Opened();
        auto bytes = ReadBytes(PathFromQString(HeatFile()));
        bytes.resize(bytes.size() - 1);
        WriteBytes(PathFromQString(Path("cut.KXM")), bytes);
        const Collection before = window->Data();
        prompts->openAnswers = {Path("cut.KXM")};
        prompts->yesNoAnswers = {true};
        ActionOf(*window, "Import1")->trigger();
        QCOMPARE(prompts->messages, QStringList{"Invalid file!"});
        QVERIFY(prompts->questions.isEmpty());
        QCOMPARE(window->Data().titles, before.titles);
        QCOMPARE(window->Data().lists, before.lists);
        QVERIFY(!window->Document().Modified());
    }

    void exportWritesTheSelectedTitle() {
        auto [window, prompts] = Opened();
        Find<QListView>(*window, "ListDisc")->selectionModel()->clear();
        ActionOf(*window, "Export1")->trigger();
        QCOMPARE(prompts->messages, QStringList{"Choose a title first!"});
        QCOMPARE(prompts->saveAsked, 0);

        window->SelectRecord(1);
        prompts->saveAnswers = {Path("alien.KXM")};
        ActionOf(*window, "Export1")->trigger();
        QCOMPARE(prompts->lastDialog.filter, QStringLiteral("Tavrin Title (*.KXM)"));
        QCOMPARE(prompts->lastDialog.defaultSuffix, QStringLiteral("KXM"));
        const auto file = LoadTitleFile(PathFromQString(Path("alien.KXM")));
        QVERIFY(file.has_value());
        QCOMPARE(file->record, window->Data().RecordAt(1));
        QCOMPARE(*file->names[0], std::string("SCOTT"));
        QVERIFY(!window->Document().Modified());
    }

    void addAListMergesWithTheProgressBarMoving() {
        auto [window, prompts] = Opened();
        Collection other;
        other.List(ListId::Director) = {"SCOTT", "KUROSAWA"};
        for (const char* t : {"RAN", "BLADE RUNNER", "KAGEMUSHA", "IKIRU"}) {
            TitleRecord r = MakeTitle(t);
            r.SetDirector(t[0] == 'B' ? 0 : 1);
            r.SetBuyDate(36526); // 1 January 2000
            AppendTitle(other, r);
        }
        WriteBytes(PathFromQString(Path("other.KXT")), SerializeCollection(other));
        auto older = SerializeCollection(other);
        older[2] = '4';
        WriteBytes(PathFromQString(Path("older.KXT")), older);

        auto* bar = Find<QProgressBar>(*window, "ProgressBar1");
        std::vector<int> values;
        connect(bar, &QProgressBar::valueChanged, this, [&values](int v) { values.push_back(v); });

        prompts->openAnswers = {Path("older.KXT")};
        ActionOf(*window, "AddAList1")->trigger();
        QCOMPARE(prompts->messages, QStringList{"Invalid file!"});
        QCOMPARE(window->Data().Count(), std::size_t{2});
        QVERIFY(!window->Document().Modified());

        window->SetNameFilter(ListId::Director, 0);
        prompts->openAnswers = {Path("other.KXT")};
        ActionOf(*window, "AddAList1")->trigger();
        QCOMPARE(prompts->messages.size(), 1);
        QCOMPARE(window->Data().Count(), std::size_t{6});
        QCOMPARE(window->Data().List(ListId::Director), (NameList{"LEONE", "SCOTT", "KUROSAWA"}));
        QCOMPARE(ShownTitles(*window),
                 (QStringList{"ALIEN", "BLADE RUNNER", "IKIRU", "KAGEMUSHA", "RAN", "ZULU"}));
        QCOMPARE(window->Filters().TDirector, -1);
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1));
        QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("6"));
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("6"));
        QVERIFY(window->Document().Modified());
        // The bar went up to the last title and back to 0.
        QVERIFY(!values.empty());
        QCOMPARE(*std::max_element(values.begin(), values.end()), 3);
        QCOMPARE(bar->value(), 0);
        // The entry date starts from the earliest purchase now.
        QCOMPARE(EditOf(*window, "TDateAA1")->text(), QStringLiteral("2000"));
        QCOMPARE(window->Data().EarliestBuyDate, 36526);
    }

    void rebuildingTheIndexShowsEveryTitleWithNoneSelected() {
        auto [window, prompts] = Opened();
        Edit(window->Document(), [](Collection& c) { c.ListeIndex = {0, 1}; }); // ZULU before ALIEN: out of order
        window->SetNameFilter(ListId::Director, 0);
        ActionOf(*window, "ReBuildingIndex1")->trigger();
        QCOMPARE(window->Data().ListeIndex, (std::vector<std::uint16_t>{1, 0}));
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "ZULU"}));
        QVERIFY(!window->CurrentRecord());
        QCOMPARE(window->Filters().TDirector, -1);
        QVERIFY(!window->Document().Modified());
        QVERIFY(prompts->messages.isEmpty());
    }
};

TAVRIN_WINDOW_TEST(ExchangeWindowTest, "exchange_window_test");

#include "exchange_window_test.moc"
