// The progress window of a deletion or a cleaning of a name list: what is being checked, what was
// removed, and an OK button that is enabled once the work is done.
#pragma once

#include "editing/collection_changes.h"
#include "lang/catalogue.h"
#include "store/collection.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>

class QLabel;
class QListView;
class QPushButton;
class QStringListModel;

namespace tavrin {

class TCleaning : public QDialog {
    Q_OBJECT

  public:
    explicit TCleaning(const MessageCatalogue& catalogue);
    void ApplyTexts();

    // Centred, OK disabled, the list emptied, shown.
    void Begin();
    // True when the progress line is due for a new text: often enough for the eye to follow,
    // seldom enough not to slow the work down.
    bool ProgressDue();
    // The progress line, repainted at once.
    void ShowChecking(const QString& text);
    // The removed entries or titles, added at once.
    void AddCleaned(const QStringList& lines);
    // The final state on the progress line; OK enabled.
    void Finish(const QString& state);

    // Deletes entry of list from c, from Begin to Finish: the titles being checked on the progress
    // line, those the entry was erased from in the list. owner is disabled meanwhile.
    void RunDeletion(Changes ch, ListId list, int entry, QWidget& owner);

  private:
    const MessageCatalogue& catalogue_;
    QLabel* Checking = nullptr;
    QListView* CleanedBox = nullptr;
    QStringListModel* cleaned_ = nullptr;
    QPushButton* CleanClose = nullptr;
    QElapsedTimer sinceRepaint_;
};

} // namespace tavrin
