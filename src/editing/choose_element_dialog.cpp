#include "editing/choose_element_dialog.h"

#include "platform/text.h"

namespace tavrin {

TChooseElement::TChooseElement(NameListHost& host, TChangeBase& rename, TCleaning& cleaning)
    : NameChooser(host, rename, cleaning,
                  {"TChooseElement", "ElementListe", "NbElement2", "ElementPopupMenu1", "CleanList1"}) {
    ApplyTexts();
}

void TChooseElement::ApplyTexts() {
    setWindowTitle(QText(host_.catalogue, Msg::MsgChooseCaption));
    ApplyButtonTexts();
}

void TChooseElement::OpenForEditor(ListId list, int, std::function<void(int entry)> picked, QWidget* opener) {
    // The editor's own reference needs no keeping here: the editor follows EntryDeleted.
    Open(Mode::Editor, list, std::move(picked), opener);
}

void TChooseElement::OpenForManage(ListId list, QWidget* opener) {
    Open(Mode::Manage, list, nullptr, opener);
}

void TChooseElement::OpenForFilter(ListId list, QWidget* opener) {
    Open(Mode::Filter, list, nullptr, opener);
}

} // namespace tavrin
