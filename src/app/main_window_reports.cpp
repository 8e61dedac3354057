// The main window's side of the reports: "Export A List" and "Print" open the export window on
// the browse list.
#include "app/main_window.h"

#include "exchange/tellico_export.h"
#include "platform/picture_codec_qt.h"
#include "reports/export_window.h"
#include "reports/html_options_window.h"
#include "store/text_encoding.h"

#include <QAction>

namespace tavrin {

void TLDF1::ConnectReportCommands() {
    TEXPORTLIST& exportList = *windows_.exportList;
    // The Tellico file, with the covers of MEDIAS and the review texts of TEXT.
    const auto writeTellico =
        [this](const std::filesystem::path& file, std::span<const std::uint16_t> browse,
               const ExportChoices& choices) -> Expected<std::vector<std::string>, FileFailure> {
        static const PictureCodec codec = QtPictureCodec();
        TellicoExportInput input;
        input.collection = &collection_;
        input.records = browse;
        input.textFolder = folders_.text;
        input.mediasFolder = folders_.medias;
        input.codec = &codec;
        input.title = Cp1252ToUtf8(choices.listName);
        std::vector<LeftOutCover> leftOut;
        const std::vector<std::uint8_t> bytes = TellicoZip(input, &leftOut);
        if (bytes.empty())
            return Unexpected(
                FileFailure{FileError::CannotWrite, PathText(file), "the zip could not be made"});
        if (auto written = WriteFileReplacing(file, bytes); !written) return Unexpected(written.error());
        std::vector<std::string> names;
        for (const LeftOutCover& cover : leftOut)
            names.push_back(cover.media);
        return names;
    };
    exportList.Bind(ExportWindowHost{&collection_, &listeIndexTri_, prompts_.get(), writeTellico});
    connect(ExportAList1, &QAction::triggered, this, &TLDF1::ExportAList1Click);
    connect(Print, &QAction::triggered, this, &TLDF1::PrintClick);
    // "HTML": the options window takes the export window's choices and disables it meanwhile.
    connect(&exportList, &TEXPORTLIST::HtmlRequested, this, [this] {
        TEXPORTLIST& from = *windows_.exportList;
        windows_.htmlChoix->Open(&from,
                                 HtmlExportJob{&collection_, listeIndexTri_, from.Choices(), from.Dates(),
                                               HtmlFolders{folders_.medias, folders_.text}, &pictureCodec_});
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
