// The export window through the main window: its two modes, the name field, the kind of export
// and the detail boxes, the text, spreadsheet and Tellico files, printing into a PDF file.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "exchange/catalogue_source.h"
#include "report_fixture.h"
#include "reports/export_window.h"
#include "reports/list_export.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::test;

class ExportWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;

    // A main window holding the report collection's titles, all listed.
    WindowUnderTest MakeWith(int titles) {
        auto w = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        w.window->NewTavrinfile1Click();
        Edit(w.window->Document(), [&](Collection& c) {
            const Collection names = ReportCollection();
            c.lists = names.lists;
            for (int i = 0; i < titles; ++i) {
                TitleRecord t = FullLaserDisc();
                t.SetTitle("TITLE " + std::to_string(10 + i));
                AppendTitle(c, t);
            }
        });
        w.window->CopyMasterToBrowse();
        w.window->RebuildTitleList();
        w.window->show();
        Export(*w.window).SetDatePattern("dd/MM/yyyy");
        return w;
    }
    static TEXPORTLIST& Export(TLDF1& w) { return *w.SecondaryWindows().exportList; }
    static QPushButton* Push(TLDF1& w, const char* name) { return Find<QPushButton>(Export(w), name); }
    static QCheckBox* Box(TLDF1& w, DetailBox box) {
        return Find<QCheckBox>(Export(w), std::string(DetailBoxName(box)).c_str());
    }
    static void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    // The bytes the logic gives for the window's choices.
    static std::string Expected(TLDF1& w, bool spreadsheet) {
        const ReportTexts texts(w.Catalogue());
        const DateFormat dates("dd/MM/yyyy");
        const ReportContext context{w.Data(), texts, dates};
        const ExportChoices choices = Export(w).Choices();
        return spreadsheet ? SpreadsheetExport(context, w.ListeIndexTri(), choices.details)
                           : TextExport(context, w.ListeIndexTri(), choices);
    }
    static std::string FileText(const QString& path) {
        const auto bytes = ReadBytes(PathFromQString(path));
        return {bytes.begin(), bytes.end()};
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void modesShowTheirButtonsAndDisableTheMainWindow() {
        auto [window, prompts] = MakeWith(2);
        ActionOf(*window, "ExportAList1")->trigger();
        TEXPORTLIST& e = Export(*window);
        QVERIFY(e.isVisible());
        QVERIFY(!window->isEnabled());
        QCOMPARE(e.windowTitle(), QStringLiteral("EXPORT LIST"));
        for (const char* shown : {"ETEXT", "ETEXTSPREAD", "EHTML", "ETELLICO"})
            QVERIFY(Push(*window, shown)->isVisible());
        for (const char* hidden : {"PrintList", "PrintSetup", "Preview"})
            QVERIFY(!Push(*window, hidden)->isVisible());
        Click(Push(*window, "BitBtn1"));
        QVERIFY(!e.isVisible());
        QVERIFY(window->isEnabled());

        ActionOf(*window, "Print")->trigger();
        QCOMPARE(e.windowTitle(), QStringLiteral("PRINTING"));
        QCOMPARE(Push(*window, "PrintList")->text(), QStringLiteral("Print"));
        for (const char* shown : {"PrintList", "PrintSetup", "Preview"})
            QVERIFY(Push(*window, shown)->isVisible());
        for (const char* hidden : {"ETEXT", "ETEXTSPREAD", "EHTML", "ETELLICO"})
            QVERIFY(!Push(*window, hidden)->isVisible());
        QVERIFY(!window->isEnabled());
        e.close();
        QVERIFY(window->isEnabled());
    }

    void emptyListOpensNothing() {
        auto [window, prompts] = MakeWith(0);
        ActionOf(*window, "ExportAList1")->trigger();
        ActionOf(*window, "Print")->trigger();
        QVERIFY(!Export(*window).isVisible());
        QVERIFY(window->isEnabled());
    }

    void kindAndBoxesFollowTheRadioGroup() {
        auto [window, prompts] = MakeWith(1);
        ActionOf(*window, "ExportAList1")->trigger();
        TEXPORTLIST& e = Export(*window);
        auto* oiText = Find<QGroupBox>(e, "OIText");
        QVERIFY(Find<QRadioButton>(e, "JustTheTitles")->isChecked());
        QVERIFY(!oiText->isEnabled());
        QCOMPARE(oiText->findChildren<QCheckBox*>().size(), qsizetype(DetailBoxCount));

        Click(Find<QRadioButton>(e, "OtherInformations"));
        QVERIFY(oiText->isEnabled());
        for (DetailBox box : AllDetailBoxes)
            QVERIFY(Box(*window, box)->isChecked());
        Click(Box(*window, DetailBox::DT));
        Click(Box(*window, DetailBox::TextT));
        ExportChoices choices = e.Choices();
        QCOMPARE(choices.kind, ExportKind::OtherInformations);
        QVERIFY(!choices.details.Has(DetailBox::DT));
        QVERIFY(choices.details.Has(DetailBox::AT));

        // Choosing the kind again ticks every box again.
        Click(Find<QRadioButton>(e, "JustTheTitles"));
        QVERIFY(!oiText->isEnabled());
        Click(Find<QRadioButton>(e, "OtherInformations"));
        QVERIFY(Box(*window, DetailBox::DT)->isChecked());

        // Each opening starts again from the titles and the default name.
        auto* name = Find<QLineEdit>(e, "NomTexte");
        name->clear();
        QTest::keyClicks(name, QStringLiteral("my list"));
        QCOMPARE(name->text(), QStringLiteral("MY LIST"));
        QTest::keyClicks(name, QString(100, QLatin1Char('x')));
        QCOMPARE(name->text().size(), qsizetype(ListNameLimit));
        e.close();
        ActionOf(*window, "ExportAList1")->trigger();
        QCOMPARE(name->text(), QStringLiteral("TAVRIN LIST"));
        QVERIFY(Find<QRadioButton>(e, "JustTheTitles")->isChecked());
        QVERIFY(!oiText->isEnabled());
    }

    void textAndSpreadsheetFilesHoldTheExportBytes() {
        auto [window, prompts] = MakeWith(3);
        ActionOf(*window, "ExportAList1")->trigger();
        TEXPORTLIST& e = Export(*window);
        const QString text = dir_->filePath(QStringLiteral("LIST.TXT"));

        // The spreadsheet button does nothing for the titles alone.
        Click(Push(*window, "ETEXTSPREAD"));
        QCOMPARE(prompts->saveAsked, 0);

        prompts->saveAnswers = {text};
        Click(Push(*window, "ETEXT"));
        QCOMPARE(prompts->lastDialog.filter, QStringLiteral("Fichier Texte (*.TXT)"));
        QCOMPARE(prompts->lastDialog.defaultSuffix, QStringLiteral("TXT"));
        QCOMPARE(FileText(text), Expected(*window, false));
        QVERIFY(FileText(text).starts_with("TAVRIN LIST\r\n \r\nTITLE 10\r\n"));

        Click(Find<QRadioButton>(e, "OtherInformations"));
        Click(Box(*window, DetailBox::PT));
        prompts->saveAnswers = {text};
        Click(Push(*window, "ETEXT"));
        QCOMPARE(FileText(text), Expected(*window, false));
        QVERIFY(FileText(text).find("Directed by : RIDLEY SCOTT\r\n") != std::string::npos);
        QVERIFY(FileText(text).find("Purchased the") == std::string::npos);

        const QString sheet = dir_->filePath(QStringLiteral("SHEET.TXT"));
        prompts->saveAnswers = {sheet};
        Click(Push(*window, "ETEXTSPREAD"));
        QCOMPARE(FileText(sheet), Expected(*window, true));

        // Cancelling writes nothing; the window stays open.
        Click(Push(*window, "ETEXT"));
        QCOMPARE(prompts->saveAsked, 4);
        QVERIFY(e.isVisible());
        QVERIFY(prompts->messages.isEmpty());
    }

    void aFileThatCannotBeWrittenIsReported() {
        auto [window, prompts] = MakeWith(1);
        ActionOf(*window, "ExportAList1")->trigger();
        const QString bad = dir_->filePath(QStringLiteral("no such folder/LIST.TXT"));
        prompts->saveAnswers = {bad};
        Click(Push(*window, "ETEXT"));
        QCOMPARE(prompts->messages,
                 QStringList{"Could not write " + bad +
                             ": No such file or directory. The file on disk is unchanged."});
        QVERIFY(!QFile::exists(bad));
    }

    void tellicoFileIsWrittenAndItsMissingCoversNamed() {
        auto [window, prompts] = MakeWith(2);
        Edit(window->Document(), [](Collection& c) {
            c.List(ListId::Media) = {"GONE.JPG"};
            c.RecordAt(1).SetMedia1(0);
        });
        ActionOf(*window, "ExportAList1")->trigger();
        const QString file = dir_->filePath(QStringLiteral("list.tc"));
        prompts->saveAnswers = {file};
        Click(Push(*window, "ETELLICO"));
        QCOMPARE(prompts->lastDialog.filter, QStringLiteral("Tellico (*.tc)"));
        QCOMPARE(RecogniseCatalogue(ReadBytes(PathFromQString(file))), CatalogueFormat::Tellico);
        QCOMPARE(prompts->messages.size(), qsizetype(1));
        QVERIFY(prompts->messages[0].endsWith(QStringLiteral(":\nGONE.JPG")));
    }

    void htmlButtonHandsOver() {
        auto [window, prompts] = MakeWith(1);
        ActionOf(*window, "ExportAList1")->trigger();
        QSignalSpy spy(&Export(*window), &TEXPORTLIST::HtmlRequested);
        Click(Push(*window, "EHTML"));
        QCOMPARE(spy.count(), 1);
    }

    void previewDrawsAndLeavesTheWindowOpen() {
        auto [window, prompts] = MakeWith(3);
        ActionOf(*window, "Print")->trigger();
        TEXPORTLIST& e = Export(*window);
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                shown = modal->inherits("QPrintPreviewDialog");
                modal->close();
            }
        });
        Click(Push(*window, "Preview"));
        QVERIFY(shown);
        QVERIFY(e.isVisible());
        QVERIFY(!window->isEnabled());
        e.close();
    }

    void printingIntoAPdfClosesTheWindow() {
        auto [window, prompts] = MakeWith(2);
        ActionOf(*window, "Print")->trigger();
        TEXPORTLIST& e = Export(*window);
        e.SetPrintConfirmation([](QPrinter&) { return false; });
        Click(Push(*window, "PrintList"));
        QVERIFY(e.isVisible());

        const QString pdf = dir_->filePath(QStringLiteral("list.pdf"));
        e.SetPrintConfirmation([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        Click(Push(*window, "PrintList"));
        QVERIFY(!e.isVisible());
        QVERIFY(window->isEnabled());
        QVERIFY(FileText(pdf).starts_with("%PDF"));

        // A PDF that cannot be created is reported and the window stays.
        ActionOf(*window, "Print")->trigger();
        const QString bad = dir_->filePath(QStringLiteral("no such folder/list.pdf"));
        e.SetPrintConfirmation([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(bad);
            return true;
        });
        Click(Push(*window, "PrintList"));
        QCOMPARE(prompts->messages, QStringList{QStringLiteral("Could not write the file:\n") + bad});
        QVERIFY(e.isVisible());
        e.close();
    }
};

TAVRIN_WINDOW_TEST(ExportWindowTest, "export_window_test");

#include "export_window_test.moc"
