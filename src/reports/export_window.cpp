#include "reports/export_window.h"

#include "platform/printer.h"
#include "platform/system_dates.h"
#include "platform/text.h"
#include "platform/user_prompts.h"
#include "platform/window_placement.h"
#include "reports/detail_block.h"
#include "reports/list_export.h"
#include "reports/print_layout.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>

namespace tavrin {
namespace {

// Captions from the catalogue where it has them, fixed otherwise.
struct BoxCaption {
    DetailBox box;
    std::optional<Msg> entry;
    const char* fixed;
};
constexpr BoxCaption BoxCaptions[DetailBoxCount] = {
    {DetailBox::DT, Msg::MsgDirector, nullptr},
    {DetailBox::AT, Msg::MsgActor, nullptr},
    {DetailBox::CT, Msg::MsgComposer, nullptr},
    {DetailBox::GT, Msg::MsgGenre, nullptr},
    {DetailBox::EdiT, Msg::MsgPublisher, nullptr},
    {DetailBox::ST, Msg::MsgSound, nullptr},
    {DetailBox::SubT, Msg::MsgSubtitled, nullptr},
    {DetailBox::SideT, Msg::MsgSide, nullptr},
    {DetailBox::RatioT, Msg::MsgAspectRatios, nullptr},
    {DetailBox::LT, Msg::MsgLength, nullptr},
    {DetailBox::MPAAT, std::nullopt, "MPAA"},
    {DetailBox::TT, std::nullopt, "THX - Director's Cut - Etc..."},
    {DetailBox::BT, Msg::MsgBoxAndMultiple, nullptr},
    {DetailBox::ET, std::nullopt, "Extras"},
    {DetailBox::OtherT, Msg::MsgOtherInformations, nullptr},
    {DetailBox::MT, Msg::MsgMark, nullptr},
    {DetailBox::PT, Msg::MsgPurchaseInfo, nullptr},
    {DetailBox::WT, Msg::MsgWatchInfo, nullptr},
    {DetailBox::TextT, std::nullopt, "Text"},
};

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

void TEXPORTLIST::SetDatePattern(std::string_view pattern) {
    dates_ = DateFormat(pattern, SystemDateNames());
}

TEXPORTLIST::TEXPORTLIST(const MessageCatalogue& catalogue)
    : QWidget(nullptr, Qt::Window), catalogue_(catalogue),
      dates_(SystemShortDatePattern(), SystemDateNames()) {
    setObjectName(QStringLiteral("TEXPORTLIST"));
    setAttribute(Qt::WA_QuitOnClose, false);
    BuildControls();
    ApplyTexts();
    // The form's own caption until an opening names its mode.
    ShowMode();
    setWindowTitle(QStringLiteral("EXPORT"));
    adjustSize();
    CentreOnScreen(this);
}

TEXPORTLIST::~TEXPORTLIST() = default;

void TEXPORTLIST::BuildControls() {
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    NomTexte = new QLineEdit(GroupBox1);
    NomTexte->setObjectName(QStringLiteral("NomTexte"));
    NomTexte->setMaxLength(static_cast<int>(ListNameLimit));
    // Upper case as it is typed, the caret kept where it was.
    connect(NomTexte, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int caret = NomTexte->cursorPosition();
        NomTexte->setText(QStringFromCp1252(ListNameFromTyped(Cp1252FromQString(text))));
        NomTexte->setCursorPosition(caret);
    });
    (new QVBoxLayout(GroupBox1))->addWidget(NomTexte);

    KText = new QGroupBox(this);
    KText->setObjectName(QStringLiteral("KText"));
    JustTheTitles = new QRadioButton(KText);
    JustTheTitles->setObjectName(QStringLiteral("JustTheTitles"));
    OtherInformations = new QRadioButton(KText);
    OtherInformations->setObjectName(QStringLiteral("OtherInformations"));
    kinds_ = new QButtonGroup(this);
    kinds_->addButton(JustTheTitles, 0);
    kinds_->addButton(OtherInformations, 1);
    auto* kindLayout = new QVBoxLayout(KText);
    kindLayout->addWidget(JustTheTitles);
    kindLayout->addWidget(OtherInformations);
    connect(kinds_, &QButtonGroup::idClicked, this, [this](int) { KTextClick(); });

    OIText = new QGroupBox(this);
    OIText->setObjectName(QStringLiteral("OIText"));
    auto* grid = new QGridLayout(OIText);
    for (std::size_t i = 0; i < DetailBoxCount; ++i) {
        const std::string name(DetailBoxName(BoxCaptions[i].box));
        auto* box = new QCheckBox(OIText);
        box->setObjectName(QString::fromStdString(name));
        boxes_[static_cast<std::size_t>(BoxCaptions[i].box)] = box;
        grid->addWidget(box, static_cast<int>(i % 10), static_cast<int>(i / 10));
    }

    ETEXT = Button(this, "ETEXT", QStringLiteral("TEXT"));
    ETEXTSPREAD = Button(this, "ETEXTSPREAD", QStringLiteral("TXT SPREAD"));
    EHTML = Button(this, "EHTML", QStringLiteral("HTML"));
    ETELLICO = Button(this, "ETELLICO", QStringLiteral("Tellico"));
    PrintList = Button(this, "PrintList", {});
    Preview = Button(this, "Preview", {});
    PrintSetup = Button(this, "PrintSetup", {});
    BitBtn1 = Button(this, "BitBtn1", {});
    connect(ETEXT, &QPushButton::clicked, this, &TEXPORTLIST::ETEXTClick);
    connect(ETEXTSPREAD, &QPushButton::clicked, this, &TEXPORTLIST::ETEXTSPREADClick);
    connect(EHTML, &QPushButton::clicked, this, &TEXPORTLIST::EHTMLClick);
    connect(ETELLICO, &QPushButton::clicked, this, &TEXPORTLIST::ETELLICOClick);
    connect(PrintList, &QPushButton::clicked, this, &TEXPORTLIST::PrintListClick);
    connect(Preview, &QPushButton::clicked, this, &TEXPORTLIST::PreviewClick);
    connect(PrintSetup, &QPushButton::clicked, this, &TEXPORTLIST::PrintSetupClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);

    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox1);
    left->addWidget(KText);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(OIText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {ETEXT, ETEXTSPREAD, EHTML, ETELLICO, PrintList, Preview, PrintSetup, BitBtn1})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
}

void TEXPORTLIST::ApplyTexts() {
    GroupBox1->setTitle(QCaptionText(catalogue_, Msg::MsgListName));
    KText->setTitle(QCaptionText(catalogue_, Msg::MsgKindOfExport));
    OtherInformations->setText(QCaptionText(catalogue_, Msg::MsgOtherInformations));
    OIText->setTitle(QCaptionText(catalogue_, Msg::MsgOtherInformations));
    for (const auto& c : BoxCaptions) {
        QCheckBox* box = boxes_[static_cast<std::size_t>(c.box)];
        box->setText(c.entry ? QCaptionText(catalogue_, *c.entry)
                             : QString::fromUtf8(c.fixed).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    PrintList->setText(QCaptionText(catalogue_, Msg::MsgPrint));
    JustTheTitles->setText(QCaptionText(catalogue_, Msg::MsgJustTheTitles));
    Preview->setText(QCaptionText(catalogue_, Msg::MsgPreview));
    PrintSetup->setText(QCaptionText(catalogue_, Msg::MsgPrinterSetup));
    BitBtn1->setText(QCaptionText(catalogue_, Msg::MsgClose));
}

void TEXPORTLIST::Bind(ExportWindowHost host) {
    host_ = std::move(host);
    ETELLICO->setVisible(mode_ == Mode::Export && host_.writeTellico);
}

void TEXPORTLIST::ShowMode() {
    const bool print = mode_ == Mode::Print;
    setWindowTitle(QText(catalogue_, print ? Msg::MsgPrintingCaption : Msg::MsgExportListCaption));
    for (auto* b : {PrintList, Preview, PrintSetup})
        b->setVisible(print);
    for (auto* b : {ETEXT, ETEXTSPREAD, EHTML})
        b->setVisible(!print);
    ETELLICO->setVisible(!print && host_.writeTellico);
}

void TEXPORTLIST::OpenFor(Mode mode, QWidget* opener) {
    mode_ = mode;
    ShowMode();
    NomTexte->setText(
        QString::fromLatin1(DefaultListName.data(), static_cast<qsizetype>(DefaultListName.size())));
    JustTheTitles->setChecked(true);
    KTextClick();
    opener_ = opener;
    if (opener_) opener_->setEnabled(false);
    show();
    raise();
    activateWindow();
}

void TEXPORTLIST::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
    emit Closed();
}

void TEXPORTLIST::KTextClick() {
    const bool details = OtherInformations->isChecked();
    OIText->setEnabled(details);
    if (details)
        for (QCheckBox* box : boxes_)
            box->setChecked(true);
}

ExportChoices TEXPORTLIST::Choices() const {
    ExportChoices c;
    c.listName = ListNameFromTyped(Cp1252FromQString(NomTexte->text()));
    c.kind = OtherInformations->isChecked() ? ExportKind::OtherInformations : ExportKind::JustTheTitles;
    for (DetailBox box : AllDetailBoxes)
        c.details.Set(box, boxes_[static_cast<std::size_t>(box)]->isChecked());
    return c;
}

template <class Write> void TEXPORTLIST::ExportToChosenFile(Write write) {
    if (!IsBound()) return;
    const QString fileName =
        host_.prompts->AskSaveFile({QText(catalogue_, Msg::MsgSave).toUpper(),
                                    QStringLiteral("Fichier Texte (*.TXT)"), QStringLiteral("TXT")});
    if (fileName.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportTexts texts(catalogue_);
    const ReportContext context{*host_.collection, texts, dates_};
    const auto written = write(PathFromQString(fileName), context, std::span(*host_.browse));
    QApplication::restoreOverrideCursor();
    if (!written) host_.prompts->ShowMessage(WriteFailureText(catalogue_, written.error()));
}

void TEXPORTLIST::ETEXTClick() {
    const ExportChoices choices = Choices();
    ExportToChosenFile([&](const std::filesystem::path& path, const ReportContext& context,
                           std::span<const std::uint16_t> browse) {
        return WriteTextExport(path, context, browse, choices);
    });
}

void TEXPORTLIST::ETEXTSPREADClick() {
    const ExportChoices choices = Choices();
    // The spreadsheet has nothing to say with the titles alone.
    if (choices.kind != ExportKind::OtherInformations) return;
    ExportToChosenFile([&](const std::filesystem::path& path, const ReportContext& context,
                           std::span<const std::uint16_t> browse) {
        return WriteSpreadsheetExport(path, context, browse, choices.details);
    });
}

void TEXPORTLIST::EHTMLClick() {
    emit HtmlRequested();
}

void TEXPORTLIST::ETELLICOClick() {
    if (!IsBound() || !host_.writeTellico) return;
    const QString fileName = host_.prompts->AskSaveFile(
        {QText(catalogue_, Msg::MsgSave).toUpper(), QStringLiteral("Tellico (*.tc)"), QStringLiteral("tc")});
    if (fileName.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto written = host_.writeTellico(PathFromQString(fileName), *host_.browse, Choices());
    QApplication::restoreOverrideCursor();
    if (!written) {
        host_.prompts->ShowMessage(WriteFailureText(catalogue_, written.error()));
        return;
    }
    if (!written->empty()) {
        QStringList names;
        for (const std::string& name : *written)
            names << QStringFromUtf8(name);
        host_.prompts->ShowMessage(
            QText(catalogue_, Msg::MsgCoversNotExported).arg(names.join(QLatin1Char('\n'))));
    }
}

QPrinter& TEXPORTLIST::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TEXPORTLIST::SetPrintConfirmation(std::function<bool(QPrinter&)> confirm) {
    confirmPrint_ = std::move(confirm);
}

void TEXPORTLIST::PrintListClick() {
    if (!IsBound()) return;
    QPrinter& printer = Printer();
    const bool confirmed = confirmPrint_ ? confirmPrint_(printer) : [&] {
        QPrintDialog PrintDialog1(&printer, this);
        return PrintDialog1.exec() == QDialog::Accepted;
    }();
    if (!confirmed) return;
    if (!PrintOn(printer)) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        host_.prompts->ShowMessage(QText(catalogue_, Msg::MsgCannotWriteFile) + target);
        return;
    }
    close();
}

void TEXPORTLIST::PrintSetupClick() {
    QPageSetupDialog PrinterSetupDialog1(&Printer(), this);
    PrinterSetupDialog1.exec();
}

void TEXPORTLIST::PreviewClick() {
    if (!IsBound()) return;
    QPrintPreviewDialog preview(&Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintOn(*printer); });
    preview.exec();
}

bool TEXPORTLIST::PrintOn(QPrinter& printer) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportTexts texts(catalogue_);
    const ReportContext context{*host_.collection, texts, dates_};
    const ExportChoices choices = Choices();
    const bool printed = PrintPages(printer, [&](const PrinterMeasures& measures, PrintedLineSink& sink) {
        return LayOutPrintedList(context, *host_.browse, choices, measures, sink);
    });
    QApplication::restoreOverrideCursor();
    return printed;
}

} // namespace tavrin
