// "Import From Another Program": what a file of another catalogue program holds, before anything
// is added: the format found, the titles, those already in the collection, the covers found and
// missing, and per field how many values are kept, approximated or moved to the review text. Import
// appends them as one step of the history, with a progress bar for large files.
#pragma once

#include "editing/collection_changes.h"
#include "exchange/catalogue_import.h"
#include "lang/catalogue.h"
#include "store/day_number.h"
#include "store/pictures/picture_codec.h"

#include <QDialog>

#include <cstddef>
#include <optional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace tavrin {

class CatalogueReportModel;

class TCatalogueImport : public QDialog {
    Q_OBJECT

  public:
    TCatalogueImport(Changes changes, const MessageCatalogue& catalogue, QWidget* parent);
    ~TCatalogueImport() override;
    void ApplyTexts();

    // Shows what source holds, window-modal. The covers are copied into folders.medias, the review
    // texts written into folders.text; codec converts covers the program does not show.
    void Open(SourceCatalogue source, const QString& fileName, const CatalogueImportOptions& options,
              const ImportFolders& folders, const PictureCodec* codec, std::optional<std::size_t> current);
    const CataloguePlan& Plan() const { return plan_; }
    // How many titles the last Import appended; nothing before one succeeded.
    std::optional<std::size_t> Imported() const { return imported_; }

    void KeepDuplicates(bool keep);
    void ImportBtnClick();

  private:
    void ShowPlan();

    Changes changes_;
    const MessageCatalogue& catalogue_;
    SourceCatalogue source_;
    CatalogueImportOptions options_;
    ImportFolders folders_;
    const PictureCodec* codec_ = nullptr;
    CataloguePlan plan_;
    QString fileName_;
    std::optional<std::size_t> current_;
    std::optional<std::size_t> imported_;

    CatalogueReportModel* reportModel_ = nullptr;
    QLabel* Summary = nullptr;
    QTableView* Fields = nullptr;
    QLabel* Changed = nullptr;
    QCheckBox* Duplicates = nullptr;
    QLabel* Problem = nullptr;
    QProgressBar* Progress = nullptr;
    QPushButton* ImportBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace tavrin
