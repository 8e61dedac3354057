// The main window's side of the name lists: the TOOLS menu's list commands and the choosers
// behind the filter buttons.
#include "app/main_window.h"

namespace tavrin {

void TLDF1::ConnectListCommands() {}

void TLDF1::ChooseFilterName(ListId) {}

void TLDF1::ChooseFilterActor() {}

} // namespace tavrin
