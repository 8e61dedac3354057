// The main window's side of the title editor: Add, Edit, Duplicate and Delete.
#include "app/main_window.h"

namespace tavrin {

void TLDF1::ConnectTitleCommands() {}

} // namespace tavrin
