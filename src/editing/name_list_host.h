// What the name-list windows work on: the open collection, the dialogs and the texts, and the main
// window's side of filter mode.
#pragma once

#include "editing/collection_changes.h"
#include "lang/catalogue.h"
#include "store/collection.h"

#include <functional>
#include <vector>

namespace tavrin {

class UserPrompts;

struct NameListHost {
    OpenCollection& document;     // every change goes through it
    const Collection& collection; // the document's collection, as it stands
    UserPrompts& prompts;
    const MessageCatalogue& catalogue;
    // Filter mode: the chosen entry becomes the main window's filter selection of that list.
    std::function<void(ListId list, int entry)> setNameFilter;
    // Filter mode of the actor chooser: false when that actor is already a filter actor.
    std::function<bool(int entry)> addActorFilter;
    // After a chooser removed entries (one for a deletion, any number for a cleaning: the
    // positions each had when it was removed, in order) or renamed one; for the owner of the
    // collection, told once per command. The choosers' signals tell the other windows.
    std::function<void(ListId list, const std::vector<int>& positions)> entriesRemoved;
    std::function<void(ListId list, int position)> entryRenamed;

    // The open collection: every change of these windows goes through it.
    Changes Edits() const { return document; }
};

} // namespace tavrin
