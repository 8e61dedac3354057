// The main window's side of the reports: "Export A List" and "Print" open the export window on
// the browse list.
#include "app/main_window.h"

#include "reports/export_window.h"
#include "reports/html_options_window.h"

#include <QAction>

namespace tavrin {

void TLDF1::ConnectReportCommands() {
    TEXPORTLIST& exportList = *windows_.exportList;
    exportList.Bind(ExportWindowHost{&collection_, &listeIndexTri_, prompts_.get()});
    connect(ExportAList1, &QAction::triggered, this, &TLDF1::ExportAList1Click);
    connect(Print, &QAction::triggered, this, &TLDF1::PrintClick);
    // "HTML": the options window takes the export window's choices and disables it meanwhile.
    connect(&exportList, &TEXPORTLIST::HtmlRequested, this, [this] {
        TEXPORTLIST& from = *windows_.exportList;
        windows_.htmlChoix->Open(&from, HtmlExportJob{&collection_, listeIndexTri_, from.Choices(),
                                                      from.DatePattern(),
                                                      HtmlFolders{folders_.medias, folders_.text}});
    });
}

void TLDF1::OpenExportWindow(TEXPORTLIST::Mode mode) {
    if (listeIndexTri_.empty()) return;
    windows_.exportList->OpenFor(mode, this);
}

void TLDF1::ExportAList1Click() {
    OpenExportWindow(TEXPORTLIST::Mode::Export);
}

void TLDF1::PrintClick() {
    OpenExportWindow(TEXPORTLIST::Mode::Print);
}

} // namespace tavrin
