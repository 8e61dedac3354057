// The program's secondary windows, created once at start-up and owned by the main window; each
// lives in a file of its own, with the feature it serves.
#pragma once

#include "app/about_window.h"
#include "editing/change_base_dialog.h"
#include "editing/choose_actor_dialog.h"
#include "editing/choose_element_dialog.h"
#include "editing/choose_media_dialog.h"
#include "editing/cleaning_window.h"
#include "editing/dvd_panel_window.h"
#include "editing/name_list_host.h"
#include "editing/review_window.h"
#include "editing/title_editor_window.h"
#include "lang/catalogue.h"
#include "reports/export_window.h"
#include "reports/html_options_window.h"
#include "reports/stats_window.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <memory>

namespace tavrin {

// Every secondary window, one instance each. They have no Qt parent: disabling the main window
// while one of them is open must leave that one usable.
struct Windows {
    std::unique_ptr<TAjouteF> ajouteF;
    std::unique_ptr<TChooseActor> chooseActor;
    std::unique_ptr<TChangeBase> changeBase;
    std::unique_ptr<TStatsForm> statsForm;
    std::unique_ptr<TKXTAbout> kxtAbout;
    std::unique_ptr<TCleaning> cleaning;
    std::unique_ptr<TChooseMedia> chooseMedia;
    std::unique_ptr<TMIMAGE> mImage;
    std::unique_ptr<TDVDPanel> dvdPanel;
    std::unique_ptr<TEXPORTLIST> exportList;
    std::unique_ptr<TChooseElement> chooseElement;
    std::unique_ptr<THTMLCHOIX> htmlChoix;
    // What the name-list windows share: the collection, the dialogs, the filter write-back.
    std::unique_ptr<NameListHost> nameLists;
    const MessageCatalogue* catalogue = nullptr; // the language the windows are labelled in

    // Creates them in the program's start-up order.
    static Windows Create(const MessageCatalogue& catalogue, NameListHost nameLists);
    // Re-labels them after a language change.
    void ApplyTexts();
    // Closes whichever are open (the program is ending).
    void CloseAll();
    // Each of them, in the order above.
    std::array<QWidget*, 12> All() const;
};

} // namespace tavrin
