#include "app/window_shells.h"

#include "platform/text.h"
#include "platform/window_placement.h"

namespace tavrin {
namespace {

// Name, ownership of the quit decision and place: what every secondary window shares.
void PrepareWindow(QWidget* window, const char* name) {
    window->setObjectName(QLatin1String(name));
    window->setAttribute(Qt::WA_QuitOnClose, false);
    CentreOnScreen(window);
}

} // namespace

TStatsForm::TStatsForm(const MessageCatalogue& catalogue)
    : QWidget(nullptr, Qt::Window), catalogue_(catalogue) {
    PrepareWindow(this, "TStatsForm");
    ApplyTexts();
}
void TStatsForm::ApplyTexts() {
    setWindowTitle(QStringLiteral("STATS"));
}

TEXPORTLIST::TEXPORTLIST(const MessageCatalogue& catalogue)
    : QWidget(nullptr, Qt::Window), catalogue_(catalogue) {
    PrepareWindow(this, "TEXPORTLIST");
    ApplyTexts();
}
void TEXPORTLIST::ApplyTexts() {
    setWindowTitle(QStringLiteral("EXPORT"));
}

THTMLCHOIX::THTMLCHOIX(const MessageCatalogue& catalogue) : catalogue_(catalogue) {
    PrepareWindow(this, "THTMLCHOIX");
    ApplyTexts();
}
void THTMLCHOIX::ApplyTexts() {
    setWindowTitle(QStringLiteral("HTML"));
}

Windows Windows::Create(const MessageCatalogue& catalogue, NameListHost nameLists) {
    Windows w;
    w.nameLists = std::make_unique<NameListHost>(std::move(nameLists));
    // The choosers open the rename and progress windows, so those two come first.
    w.changeBase = std::make_unique<TChangeBase>(*w.nameLists);
    w.cleaning = std::make_unique<TCleaning>(catalogue);
    w.ajouteF = std::make_unique<TAjouteF>(catalogue);
    w.chooseActor = std::make_unique<TChooseActor>(*w.nameLists, *w.changeBase, *w.cleaning);
    w.statsForm = std::make_unique<TStatsForm>(catalogue);
    w.kxtAbout = std::make_unique<TKXTAbout>();
    w.chooseMedia = std::make_unique<TChooseMedia>(*w.nameLists, *w.cleaning);
    w.mImage = std::make_unique<TMIMAGE>();
    w.dvdPanel = std::make_unique<TDVDPanel>(catalogue);
    w.exportList = std::make_unique<TEXPORTLIST>(catalogue);
    w.chooseElement = std::make_unique<TChooseElement>(*w.nameLists, *w.changeBase, *w.cleaning);
    w.htmlChoix = std::make_unique<THTMLCHOIX>(catalogue);
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
}

void Windows::CloseAll() {
    QWidget* all[] = {ajouteF.get(),  chooseActor.get(), changeBase.get(),    statsForm.get(),
                      kxtAbout.get(), cleaning.get(),    chooseMedia.get(),   mImage.get(),
                      dvdPanel.get(), exportList.get(),  chooseElement.get(), htmlChoix.get()};
    for (QWidget* window : all)
        if (window) window->hide();
}

} // namespace tavrin
