// The main window's side of the title exchange: Export A Title, Import A Title, Import A
// Spreadsheet, Import From Another Program, Add A List and Re-Building Index.
#include "app/browse/gadget_page.h"
#include "app/browse/title_table_model.h"
#include "app/main_window.h"
#include "editing/name_list_operations.h"
#include "exchange/catalogue_file.h"
#include "exchange/catalogue_import_dialog.h"
#include "exchange/table_import_dialog.h"
#include "platform/text.h"
#include "store/files/collection_file.h"
#include "store/files/file_access.h"
#include "store/files/table_reader.h"
#include "store/title_exchange.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListView>
#include <QProgressBar>

namespace tavrin {

void TLDF1::ConnectExchangeCommands() {
    connect(Export1, &QAction::triggered, this, &TLDF1::Export1Click);
    connect(Import1, &QAction::triggered, this, &TLDF1::Import1Click);
    connect(ImportTable1, &QAction::triggered, this, &TLDF1::ImportTable1Click);
    connect(AddAList1, &QAction::triggered, this, &TLDF1::AddAList1Click);
    connect(ReBuildingIndex1, &QAction::triggered, this, &TLDF1::ReBuildingIndex1Click);
    TableImport = new TTableImport(document_, catalogue_, this);
    connect(TableImport, &QDialog::finished, this, &TLDF1::TableImportFinished);
    connect(ImportCatalogue1, &QAction::triggered, this, &TLDF1::ImportCatalogue1Click);
    CatalogueImport = new TCatalogueImport(document_, catalogue_, this);
    connect(CatalogueImport, &QDialog::finished, this, &TLDF1::CatalogueImportFinished);
}

void TLDF1::ShowExchangeRefusal(const ExchangeRefusal& refusal) {
    prompts_->ShowMessage(QText(catalogue_, refusal.error == StoreError::CollectionFull
                                                ? Msg::MsgAmazingCollectionButI
                                                : ListFullMessage(refusal.list)));
}

void TLDF1::Export1Click() {
    const auto record = CurrentRecord();
    if (!record) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgChooseATitleFirst));
        return;
    }
    const QString fileName =
        prompts_->AskSaveFile({QText(catalogue_, Msg::MsgSave).toUpper(),
                               QStringLiteral("Tavrin Title (*.KXM)"), QStringLiteral("KXM")});
    if (fileName.isEmpty()) return;
    if (auto written = WriteFileReplacing(PathFromQString(fileName), ExportTitle(collection_, *record));
        !written)
        prompts_->ShowMessage(WriteFailureText(catalogue_, written.error()));
    // The repair may have cleared references that named nothing.
    ShowCurrentTitle();
}

void TLDF1::Import1Click() {
    if (collection_.Count() >= TitleCapacity) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }
    const QString fileName =
        prompts_->AskOpenFile({QText(catalogue_, Msg::MsgOpen).toUpper(),
                               QStringLiteral("Tavrin File (*.KXM)"), QStringLiteral("KXM")});
    if (fileName.isEmpty()) return;
    const auto title = LoadTitleFile(PathFromQString(fileName));
    if (!title) {
        ShowFileFailure(title.error(), fileName);
        return;
    }
    const QString question =
        QText(catalogue_, Msg::MsgDoYouReallyWantToAdd) + QStringFromCp1252(title->record.TitleView());
    if (!prompts_->AskYesNo(QText(catalogue_, Msg::MsgConfirmation), question)) return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto imported = ImportTitle(document_, *title, today_, CurrentRecord());
    QApplication::restoreOverrideCursor();
    if (!imported) ShowExchangeRefusal(imported.error());
}

void TLDF1::ImportTable1Click() {
    if (collection_.Count() >= TitleCapacity) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }
    const QString fileName =
        prompts_->AskOpenFile({QText(catalogue_, Msg::MsgOpen).toUpper(),
                               QStringLiteral("Spreadsheet (*.csv *.txt *.tsv)"), QStringLiteral("csv")});
    if (!fileName.isEmpty()) ImportTableFile(fileName);
}

void TLDF1::ImportTableFile(const QString& fileName) {
    if (collection_.Count() >= TitleCapacity) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }
    const auto bytes = ReadTableFile(PathFromQString(fileName));
    if (!bytes) {
        // Even a file gone since it was chosen is named: the user asked for that one.
        prompts_->ShowMessage(bytes.error().error == FileError::Invalid
                                  ? QText(catalogue_, Msg::MsgInvalidFile) + QLatin1Char('\n') + fileName
                                  : ReadFailureText(catalogue_, bytes.error(), fileName));
        return;
    }
    auto table = ReadTable(*bytes);
    if (!table) {
        QString message =
            QText(catalogue_, TableFailureMessage(table.error())) + QLatin1Char('\n') + fileName;
        if (table.error().error == TableError::UnclosedQuote)
            message += QLatin1Char('\n') + QText(catalogue_, Msg::MsgTableRow) + QLatin1Char(' ') +
                       QString::number(table.error().row);
        prompts_->ShowMessage(message);
        return;
    }
    TableImport->Open(std::move(*table), fileName, today_, CurrentRecord());
}

void TLDF1::ImportCatalogue1Click() {
    if (collection_.Count() >= TitleCapacity) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }
    const QString fileName = prompts_->AskOpenFile(
        {QText(catalogue_, Msg::MsgOpen).toUpper(),
         QStringLiteral("Catalogue (*.tc *.xml *.gcs *.amc);;All files (*)"), QString()});
    if (!fileName.isEmpty()) ImportCatalogueFile(fileName);
}

void TLDF1::ImportCatalogueFile(const QString& fileName) {
    if (collection_.Count() >= TitleCapacity) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }
    const auto path = PathFromQString(fileName);
    const auto bytes = ReadCatalogueFile(path);
    if (!bytes) {
        ShowFileFailure(bytes.error(), fileName);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto source = ReadCatalogueBytes(*bytes);
    QApplication::restoreOverrideCursor();
    if (!source) {
        const std::string name = QFileInfo(fileName).fileName().toStdString();
        prompts_->ShowMessage(
            QString::fromStdString(CatalogueFailureText(source.error(), name, catalogue_.Language())));
        return;
    }
    CatalogueImportOptions options;
    options.today = today_;
    options.sourceFolder = path.parent_path();
    CatalogueImport->Open(std::move(*source), fileName, options,
                          ImportFolders{folders_.text, folders_.medias}, &pictureCodec_, CurrentRecord());
}

void TLDF1::CatalogueImportFinished(int result) {
    if (result == QDialog::Accepted) ShownTitles()->setFocus();
}

void TLDF1::TableImportFinished(int result) {
    // The list followed the import (its first new title shown); the focus comes back to it, after
    // the cells that were not taken whole are named.
    if (result != QDialog::Accepted) return;
    if (const QString remarks = TableImport->RemarksText(); !remarks.isEmpty())
        prompts_->ShowMessage(remarks);
    ShownTitles()->setFocus();
}

void TLDF1::AddAList1Click() {
    const QString fileName =
        prompts_->AskOpenFile(CollectionDialog(QText(catalogue_, Msg::MsgOpen).toUpper()));
    if (fileName.isEmpty()) return;
    auto loaded = LoadCollectionFile(PathFromQString(fileName), OtherName());
    if (!loaded && loaded.error().error == FileError::NotFound) return;
    if (loaded && loaded->version == '5' && !CanMerge(collection_, loaded->collection.Count())) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }

    if (!loaded) {
        ShowFileFailure(loaded.error(), fileName);
    } else if (loaded->version != '5') {
        // Only the current version is merged; Open reads the older ones.
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgInvalidFile));
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::size_t m = loaded->collection.Count();
        ProgressBar1->setMaximum(static_cast<int>(std::max<std::size_t>(m, 1)));
        // Each change the bar shows is a repaint: it moves every 40 ms (the clock read every 256
        // calls) and at the last title of each pass, not at each of the hundreds of thousands.
        QElapsedTimer sinceShown;
        sinceShown.start();
        std::size_t calls = 0;
        const auto merged = AddList(
            document_, std::move(loaded->collection), today_,
            [&](std::size_t j) {
                if (j + 1 == m || ((++calls & 255) == 0 && sinceShown.elapsed() >= 40)) {
                    ProgressBar1->setValue(static_cast<int>(j));
                    sinceShown.restart();
                }
            },
            CurrentRecord());
        QApplication::restoreOverrideCursor();
        if (!merged) ShowExchangeRefusal(merged.error());
    }
    ProgressBar1->setValue(0);
}

void TLDF1::ReBuildingIndex1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RebuildIndex(document_, CurrentRecord());
    QApplication::restoreOverrideCursor();
}

void TLDF1::ShowFileFailure(const FileFailure& failure, const QString& fileName) {
    if (failure.error != FileError::NotFound)
        prompts_->ShowMessage(ReadFailureText(catalogue_, failure, fileName));
}

} // namespace tavrin
