#include "app/secondary_windows.h"

#include "platform/accessible_names.h"
#include "platform/text.h"

namespace tavrin {

Windows Windows::Create(const MessageCatalogue& catalogue, NameListHost nameLists) {
    Windows w;
    w.catalogue = &catalogue;
    w.nameLists = std::make_unique<NameListHost>(std::move(nameLists));
    // The choosers open the rename and progress windows, so those two come first.
    w.changeBase = std::make_unique<TChangeBase>(*w.nameLists);
    w.cleaning = std::make_unique<TCleaning>(catalogue);
    w.ajouteF = std::make_unique<TAjouteF>(catalogue);
    w.chooseActor = std::make_unique<TChooseActor>(*w.nameLists, *w.changeBase, *w.cleaning);
    w.statsForm = std::make_unique<TStatsForm>(catalogue);
    w.kxtAbout = std::make_unique<TKXTAbout>();
    w.kxtAbout->ApplyTexts(catalogue);
    w.chooseMedia = std::make_unique<TChooseMedia>(*w.nameLists, *w.cleaning);
    w.mImage = std::make_unique<TMIMAGE>();
    w.mImage->ApplyTexts(catalogue);
    w.dvdPanel = std::make_unique<TDVDPanel>(catalogue);
    w.exportList = std::make_unique<TEXPORTLIST>(catalogue);
    w.chooseElement = std::make_unique<TChooseElement>(*w.nameLists, *w.changeBase, *w.cleaning);
    w.htmlChoix = std::make_unique<THTMLCHOIX>(catalogue, w.nameLists->prompts);
    return w;
}

void Windows::ApplyTexts() {
    ajouteF->ApplyTexts();
    chooseActor->ApplyTexts();
    changeBase->ApplyTexts();
    statsForm->ApplyTexts();
    cleaning->ApplyTexts();
    chooseMedia->ApplyTexts();
    dvdPanel->ApplyTexts();
    exportList->ApplyTexts();
    chooseElement->ApplyTexts();
    htmlChoix->ApplyTexts();
    mImage->ApplyTexts(*catalogue);
    kxtAbout->ApplyTexts(*catalogue);
    for (QWidget* window : All())
        NameControls(window);
}

std::array<QWidget*, 12> Windows::All() const {
    return {ajouteF.get(),  chooseActor.get(), changeBase.get(),    statsForm.get(),
            kxtAbout.get(), cleaning.get(),    chooseMedia.get(),   mImage.get(),
            dvdPanel.get(), exportList.get(),  chooseElement.get(), htmlChoix.get()};
}

void Windows::CloseAll() {
    for (QWidget* window : All())
        if (window) window->hide();
}

} // namespace tavrin
