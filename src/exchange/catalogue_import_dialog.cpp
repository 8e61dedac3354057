#include "exchange/catalogue_import_dialog.h"

#include "exchange/catalogue_report_model.h"
#include "platform/accessible_names.h"
#include "platform/text.h"
#include "platform/window_placement.h"
#include "reports/table_columns.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace tavrin {

TCatalogueImport::TCatalogueImport(Changes changes, const MessageCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), changes_(changes), catalogue_(catalogue) {
    setObjectName(QStringLiteral("CatalogueImport"));
    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setWordWrap(true);
    Fields = new QTableView(this);
    Fields->setObjectName(QStringLiteral("Fields"));
    Fields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Fields->setSelectionMode(QAbstractItemView::NoSelection);
    Fields->verticalHeader()->hide();
    // A field by its name in the user's language, as the spreadsheet import shows it.
    reportModel_ = new CatalogueReportModel(
        catalogue_,
        [this](std::string_view field) {
            if (const auto known = TableFieldFromName(field))
                return QString::fromStdString(TableFieldLabel(*known, catalogue_.Language()));
            return QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
        },
        this);
    Fields->setModel(reportModel_);
    Fields->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Changed = new QLabel(this);
    Changed->setObjectName(QStringLiteral("Changed"));
    Changed->setWordWrap(true);
    Duplicates = new QCheckBox(this);
    Duplicates->setObjectName(QStringLiteral("Duplicates"));
    connect(Duplicates, &QCheckBox::toggled, this, &TCatalogueImport::KeepDuplicates);
    Problem = new QLabel(this);
    Problem->setObjectName(QStringLiteral("Problem"));
    Problem->setWordWrap(true);
    QPalette warning = Problem->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    Problem->setPalette(warning);
    Problem->hide();
    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->hide();

    ImportBtn = new QPushButton(this);
    ImportBtn->setObjectName(QStringLiteral("ImportBtn"));
    ImportBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(ImportBtn, &QPushButton::clicked, this, &TCatalogueImport::ImportBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* closing = new QHBoxLayout;
    closing->addWidget(Progress, 1);
    closing->addStretch();
    closing->addWidget(ImportBtn);
    closing->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Summary);
    layout->addWidget(Fields, 1);
    layout->addWidget(Changed);
    layout->addWidget(Duplicates);
    layout->addWidget(Problem);
    layout->addLayout(closing);
    resize(560, 520);
    ApplyTexts();
}

TCatalogueImport::~TCatalogueImport() {
    Fields->setModel(nullptr);
}

void TCatalogueImport::ApplyTexts() {
    const QString caption = QText(catalogue_, Msg::MsgImportFromAnotherProgram);
    setWindowTitle(fileName_.isEmpty() ? caption
                                       : caption + QStringLiteral(" - ") + QFileInfo(fileName_).fileName());
    Duplicates->setText(QText(catalogue_, Msg::MsgImportDuplicatesToo));
    ImportBtn->setText(QText(catalogue_, Msg::MsgTableImport));
    CancelBtn->setText(QText(catalogue_, Msg::MsgCancel));
    reportModel_->ApplyTexts();
    ShowPlan();
    NameControls(this);
}

void TCatalogueImport::Open(SourceCatalogue source, const QString& fileName,
                            const CatalogueImportOptions& options, const ImportFolders& folders,
                            const PictureCodec* codec, std::optional<std::size_t> current) {
    source_ = std::move(source);
    fileName_ = fileName;
    options_ = options;
    folders_ = folders;
    codec_ = codec;
    current_ = current;
    imported_.reset();
    {
        const QSignalBlocker blocker(Duplicates);
        Duplicates->setChecked(options_.keepDuplicates);
    }
    plan_ = PlanCatalogueImport(changes_.Data(), source_, options_);
    Problem->hide();
    Progress->hide();
    ApplyTexts();
    CentreOnScreen(this);
    open();
    ImportBtn->setFocus();
}

void TCatalogueImport::KeepDuplicates(bool keep) {
    options_.keepDuplicates = keep;
    plan_ = PlanCatalogueImport(changes_.Data(), source_, options_);
    Problem->hide();
    ShowPlan();
}

void TCatalogueImport::ShowPlan() {
    const CatalogueReport& r = plan_.report;
    const std::string_view format = CatalogueFormatName(r.format);
    Summary->setText(QText(catalogue_, Msg::MsgCatalogueFound)
                         .arg(QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size())))
                         .arg(r.titles)
                         .arg(r.duplicates)
                         .arg(r.coversFound)
                         .arg(r.coversMissing));
    const std::size_t letters = r.letters.size(), shortened = r.shortened.size();
    Changed->setText(QText(catalogue_, Msg::MsgCatalogueChanged).arg(shortened).arg(letters));
    Changed->setVisible(letters + shortened > 0);
    Duplicates->setVisible(r.duplicates > 0);
    reportModel_->Show(r);
    Fields->resizeColumnsToContents();
    Fields->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ImportBtn->setEnabled(r.imported > 0);
}

void TCatalogueImport::ImportBtnClick() {
    static const PictureCodec none;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Progress->setRange(0, static_cast<int>(std::max<std::size_t>(plan_.report.imported, 1)));
    Progress->setValue(0);
    Progress->show();
    QElapsedTimer sinceShown;
    sinceShown.start();
    const auto done = ImportCatalogue(changes_, plan_, folders_, codec_ ? *codec_ : none, current_,
                                      [&](std::size_t step, std::size_t) {
                                          // A repaint every 40 ms, not at each of thousands of titles.
                                          if (sinceShown.elapsed() < 40) return;
                                          Progress->setValue(static_cast<int>(step));
                                          QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                          sinceShown.restart();
                                      });
    QApplication::restoreOverrideCursor();
    Progress->hide();
    if (!done) {
        QString text = QText(catalogue_, CatalogueImportMessage(done.error()));
        if (done.error().error == CatalogueImportError::FileNotWritten) {
            const auto& detail = done.error().detail;
            const auto colon = detail.rfind(": ");
            text = text.arg(QString::fromStdString(detail.substr(0, colon)),
                            QString::fromStdString(colon == std::string::npos ? std::string()
                                                                              : detail.substr(colon + 2)));
        }
        Problem->setText(text);
        Problem->show();
        return;
    }
    imported_ = *done;
    accept();
}

} // namespace tavrin
