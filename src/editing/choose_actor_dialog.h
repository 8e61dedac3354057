// The actor chooser: the same as the generic chooser, always on the actor list.
#pragma once

#include "editing/name_chooser_dialog.h"

namespace tavrin {

class TChooseActor : public NameChooser {
    Q_OBJECT

  public:
    TChooseActor(NameListHost& host, TChangeBase& rename, TCleaning& cleaning);
    void ApplyTexts();

    // For actor slot 0 .. 4 of the title editor: OK picks the entry of the typed name, adding it
    // when new, and hands it to picked.
    void OpenForEditor(int slot, std::function<void(int entry)> picked, QWidget* opener);
    void OpenForManage(QWidget* opener);
    // For the main window's actor filter: OK adds the selected actor to the filter actors.
    void OpenForFilter(QWidget* opener);

    // The slot the editor opened this for.
    int Slot() const { return slot_; }

  private:
    int slot_ = 0;
};

} // namespace tavrin
