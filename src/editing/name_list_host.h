// What the name-list windows work on: the open collection, the dialogs and the texts, and the main
// window's side of filter mode.
#pragma once

#include "lang/catalogue.h"
#include "platform/user_prompts.h"
#include "store/collection.h"

#include <functional>

namespace tavrin {

struct NameListHost {
    Collection& collection;
    UserPrompts& prompts;
    const MessageCatalogue& catalogue;
    // Filter mode: the chosen entry becomes the main window's filter selection of that list.
    std::function<void(ListId list, int entry)> setNameFilter;
    // Filter mode of the actor chooser: false when that actor is already a filter actor.
    std::function<bool(int entry)> addActorFilter;
    // After an entry was removed or renamed by a chooser, for the owner of the collection (the
    // choosers' signals tell the other windows).
    std::function<void(ListId list, int position)> entryRemoved;
    std::function<void(ListId list, int position)> entryRenamed;
};

} // namespace tavrin
