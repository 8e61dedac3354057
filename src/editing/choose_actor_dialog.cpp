#include "editing/choose_actor_dialog.h"

#include "platform/text.h"

#include <QLineEdit>

namespace tavrin {

TChooseActor::TChooseActor(NameListHost& host, TChangeBase& rename, TCleaning& cleaning)
    : NameChooser(host, rename, cleaning, {"TChooseActor", "ActorListe", "NbA", "APopupMenu1", "Clean1"}) {
    ApplyTexts();
}

void TChooseActor::ApplyTexts() {
    setWindowTitle(QText(host_.catalogue, Msg::MsgActor));
    findChild<QLineEdit*>(QStringLiteral("NbA"))->setToolTip(QText(host_.catalogue, Msg::MsgActorsNumber));
    ApplyButtonTexts();
}

void TChooseActor::OpenForEditor(int slot, std::function<void(int entry)> picked, QWidget* opener) {
    slot_ = slot;
    Open(Mode::Editor, ListId::Actor, std::move(picked), opener);
}

void TChooseActor::OpenForManage(QWidget* opener) {
    Open(Mode::Manage, ListId::Actor, nullptr, opener);
}

void TChooseActor::OpenForFilter(QWidget* opener) {
    Open(Mode::Filter, ListId::Actor, nullptr, opener);
}

} // namespace tavrin
