// What the browse pages work with besides their own controls, and the main window's side of what
// they do; given by the main window, which owns all of it.
#pragma once

#include "app/browse/browse_filters.h"
#include "editing/collection_changes.h"
#include "lang/catalogue.h"
#include "platform/user_prompts.h"
#include "store/collection.h"
#include "store/day_number.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QImage;

namespace tavrin {

class ThumbnailCache;

// The settings the pages show and change, as the main window keeps them.
struct BrowseOptions {
    bool& FlipFlag;   // page flipping
    bool& SaveTxt;    // the editor saves the title's text
    int& TypeVideo;   // the medium a new title starts with
    bool& MediaFlag;  // multimedia loading
    bool& VideoFlag;  // video in a window of its own
    bool& KeepBackup; // Save keeps the file it replaces
};

struct BrowseHost {
    OpenCollection& document;               // every change to the collection goes through it
    const Collection& collection;           // the document's collection, as it stands
    std::vector<std::uint16_t>& browseList; // the titles listed, one per row of the title list
    BrowseFilters& filters;                 // the filters in force
    const MessageCatalogue& catalogue;
    UserPrompts& prompts;
    DayNumber today;
    std::filesystem::path textFolder;
    std::filesystem::path mediaFolder;
    BrowseOptions options;
    ThumbnailCache& thumbnails; // the covers, decoded off the GUI thread

    // The record of the selected title, if any.
    std::function<std::optional<std::size_t>()> currentRecord;

    // A filter control changed: every control is read and the list refreshed.
    std::function<void()> filtersChanged;
    // Every control read, edit applied to the filters, every control showing them, the list
    // refreshed: for a control whose choice changes other filters.
    std::function<void(const std::function<void(BrowseFilters&)>& edit)> changeFilters;
    // A reset button: every filter neutral, every title listed.
    std::function<void()> resetFilters;
    // The chooser that picks a name filter's entry, or adds a filter actor.
    std::function<void(ListId list)> chooseNameFilter;
    std::function<void()> chooseActorFilter;

    // The title list shows exactly these titles, the first one selected.
    std::function<void(std::vector<std::uint16_t> titles)> listTitles;
    // Selects a row of the title list and shows its title.
    std::function<void(std::size_t row)> selectRow;
    // With page flipping on, the INFORMATION page comes to the top.
    std::function<void()> flipToInformation;

    // The INFORMATION page's buttons: the TEXT page, the MULTIMEDIA page (when slot 1 holds a
    // file it can show), the DVD panel of the title.
    std::function<void()> showText;
    std::function<void()> showMedia;
    std::function<void()> viewDvdPanel;

    // Whether the MULTIMEDIA page is on top; whether the title shown there has a file in its
    // slot (the INFORMATION page's MEDIA button); the picture viewer on a picture of the page.
    std::function<bool()> mediaOnTop;
    std::function<void(bool found)> mediaFound;
    std::function<void(const QString& name, const QImage& picture)> viewPicture;
    // A file dropped on a page that does not take it itself: opened as the main window opens it.
    std::function<void(const QString& file)> openDroppedFile;
};

} // namespace tavrin
