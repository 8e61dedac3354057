// What the title list does after the open collection changed: the filters, the titles listed and
// the title selected, for each kind of change, so that every command leaves the list as its users
// expect without each handler rebuilding it.
#pragma once

#include "editing/open_collection.h"

namespace tavrin {

struct ListAfterChange {
    enum class Titles {
        Unchanged,     // the collection's data did not change (a save)
        Shown,         // the same titles in the same rows, their texts shown again
        Refiltered,    // the filters in force applied again
        Master,        // every title, the filter controls keeping their settings
        MasterNeutral, // every title, every filter back to neutral
    };
    enum class Select {
        Kept,    // the line selected before
        Current, // the change's title (else the first line)
        First,   // the first line
        None,    // no line, an empty view
    };
    Titles titles = Titles::Unchanged;
    Select select = Select::Kept;
    bool flip = false;            // with page flipping on, the INFORMATION page comes to the top
    bool entryDate = false;       // the "Entry Since..." date starts from the earliest purchase again
    bool informationOnly = false; // of the kept title, only what the INFORMATION page shows changed
};

ListAfterChange ListAfter(const CollectionNews& news);

} // namespace tavrin
