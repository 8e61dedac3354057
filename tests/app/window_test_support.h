// What the window tests share: scripted answers to the dialogs, a fresh scratch folder, and
// short ways to reach a window's controls by name.
#pragma once

#include "app/main_window.h"
#include "platform/text.h"
#include "platform/user_prompts.h"
#include "test_support.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStringList>
#include <QToolButton>

#include <deque>
#include <initializer_list>
#include <memory>

namespace tavrin::test {

// Answers the dialogs from queues and records what was asked and shown. An empty queue answers
// Cancel, as a user closing the dialog would.
class FakePrompts final : public UserPrompts {
  public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<SaveAnswer> questionAnswers;
    std::deque<bool> yesNoAnswers; // an empty queue answers No

    int openAsked = 0;
    int saveAsked = 0;
    QStringList questions; // caption + "|" + text
    QStringList messages;
    FileDialogOptions lastDialog;

    QString AskOpenFile(const FileDialogOptions& dialogOptions) override;
    QString AskSaveFile(const FileDialogOptions& dialogOptions) override;
    SaveAnswer AskSaveChanges(const QString& caption, const QString& text) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    void ShowMessage(const QString& text) override;
};

// Creates XDG_RUNTIME_DIR (mode 0700) and empties the scratch folder the test runner gave this
// program; call before the QApplication exists.
void PrepareScratch();

struct WindowUnderTest {
    std::unique_ptr<TLDF1> window;
    FakePrompts* prompts = nullptr; // owned by the window
};

// A main window answering its dialogs from a FakePrompts, with its settings in settingsFile
// (empty: the user's store) and a model tester on its title list.
WindowUnderTest MakeWindow(const QString& settingsFile, const QString& commandLineFile = {});
// The same, then the collection written to file and opened there through FILES "Open".
WindowUnderTest MakeWindowOpening(const QString& settingsFile, const QString& file, const Collection& c);
// The same with a new collection holding these titles (bought today), the first line selected,
// the window shown.
WindowUnderTest MakeWindowWithTitles(const QString& settingsFile, std::initializer_list<const char*> titles);

template <class T> T* Find(const QObject& owner, const char* name) {
    T* child = owner.findChild<T*>(QLatin1String(name));
    if (!child) qFatal("no control named %s", name);
    return child;
}

inline QAction* ActionOf(const TLDF1& w, const char* name) {
    return Find<QAction>(w, name);
}
// A menu item's or menu's text as read, without the mark of its keyboard letter.
inline QString ShownCaption(const QAction* a) {
    return QString::fromStdString(test::WithoutMnemonic(a->text().toStdString()));
}
inline QString ShownCaption(const QMenu* m) {
    return ShownCaption(m->menuAction());
}
inline QMenu* MenuOf(const TLDF1& w, const char* name) {
    return Find<QMenu>(w, name);
}
inline QLineEdit* EditOf(const TLDF1& w, const char* name) {
    return Find<QLineEdit>(w, name);
}
inline QToolButton* ButtonOf(const TLDF1& w, const char* name) {
    return Find<QToolButton>(w, name);
}

// Types text into widget as a keyboard would, one character a key (a surrogate pair as one):
// QTest::keyClicks sends Latin-1 only.
void TypeText(QWidget* widget, const QString& text);

// The texts ListDisc shows, top to bottom.
QStringList ShownTitles(const TLDF1& w);

} // namespace tavrin::test
