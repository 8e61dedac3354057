#include "app/window_test_support.h"

#include "store/files/collection_file.h"
#include "test_support.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>

#include <filesystem>

namespace tavrin::test {

QString FakePrompts::AskOpenFile(const FileDialogOptions& dialogOptions) {
    ++openAsked;
    lastDialog = dialogOptions;
    if (openAnswers.empty()) return {};
    QString answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

QString FakePrompts::AskSaveFile(const FileDialogOptions& dialogOptions) {
    ++saveAsked;
    lastDialog = dialogOptions;
    if (saveAnswers.empty()) return {};
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString key = text.mid(i, n);
        i += n - 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
        QApplication::sendEvent(widget, &release);
    }
}

SaveAnswer FakePrompts::AskSaveChanges(const QString& caption, const QString& text) {
    questions << caption + QLatin1Char('|') + text;
    if (questionAnswers.empty()) return SaveAnswer::Cancel;
    const SaveAnswer answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

bool FakePrompts::AskYesNo(const QString& caption, const QString& text) {
    questions << caption + QLatin1Char('|') + text;
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

void FakePrompts::ShowMessage(const QString& text) {
    messages << text;
}

void PrepareScratch() {
    namespace fs = std::filesystem;
    const QByteArray scratch = qgetenv("TAVRIN_SCRATCH");
    if (!scratch.isEmpty()) {
        std::error_code ec;
        fs::remove_all(fs::path(scratch.toStdString()), ec);
        fs::create_directories(fs::path(scratch.toStdString()), ec);
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        const fs::path dir(runtime.toStdString());
        std::error_code ec;
        fs::create_directories(dir, ec);
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
}

WindowUnderTest MakeWindow(const QString& settingsFile, const QString& commandLineFile) {
    auto prompts = std::make_unique<FakePrompts>();
    WindowUnderTest made;
    made.prompts = prompts.get();
    StartOptions options;
    options.prompts = std::move(prompts);
    options.settingsFile = settingsFile;
    options.commandLineFile = commandLineFile;
    made.window = std::make_unique<TLDF1>(std::move(options));
    // Owned by the window, so it watches the model for the window's whole life.
    new QAbstractItemModelTester(Find<QListView>(*made.window, "ListDisc")->model(),
                                 QAbstractItemModelTester::FailureReportingMode::QtTest, made.window.get());
    return made;
}

WindowUnderTest MakeWindowOpening(const QString& settingsFile, const QString& file, const Collection& c) {
    WriteBytes(PathFromQString(file), SerializeCollection(c));
    auto w = MakeWindow(settingsFile);
    w.prompts->openAnswers = {file};
    ActionOf(*w.window, "Open1")->trigger();
    return w;
}

WindowUnderTest MakeWindowWithTitles(const QString& settingsFile, std::initializer_list<const char*> titles) {
    auto w = MakeWindow(settingsFile);
    w.window->NewTavrinfile1Click();
    const DayNumber today = w.window->Today();
    Edit(w.window->Document(), [&](Collection& c) {
        for (const char* t : titles) {
            TitleRecord r = MakeTitle(t);
            r.SetBuyDate(today);
            AppendTitle(c, r);
        }
    });
    w.window->CopyMasterToBrowse();
    w.window->RebuildTitleList();
    if (titles.size() > 0) w.window->SelectRecord(w.window->ListeIndexTri().front());
    w.window->show();
    return w;
}

QStringList ShownTitles(const TLDF1& w) {
    const QAbstractItemModel* model = Find<QListView>(w, "ListDisc")->model();
    QStringList titles;
    for (int row = 0; row < model->rowCount(); ++row)
        titles << model->index(row, 0).data().toString();
    return titles;
}

} // namespace tavrin::test
