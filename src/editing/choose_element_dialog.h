// The generic name-list chooser: directors, composers, box sets, retailers, publishers and the two
// other-informations lists, one at a time.
#pragma once

#include "editing/name_chooser_dialog.h"

namespace tavrin {

class TChooseElement : public NameChooser {
    Q_OBJECT

  public:
    TChooseElement(NameListHost& host, TChangeBase& rename, TCleaning& cleaning);
    void ApplyTexts();

    // For the title editor: OK picks the entry of the typed name, adding it when new, and hands it
    // to picked. reference is the editor's current entry for this list (-1: none).
    void OpenForEditor(ListId list, int reference, std::function<void(int entry)> picked, QWidget* opener);
    // From the TOOLS menu: Modify, Delete and Clean List; OK closes.
    void OpenForManage(ListId list, QWidget* opener);
    // For the main window's filter of this list: OK makes the selected entry the filter value.
    void OpenForFilter(ListId list, QWidget* opener);
};

} // namespace tavrin
