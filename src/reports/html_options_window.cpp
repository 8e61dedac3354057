#include "reports/html_options_window.h"

#include "platform/text.h"
#include "platform/window_placement.h"
#include "reports/html_export.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavrin {
namespace {

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// At most this many file names in the failure message.
constexpr int FailuresShown = 10;

} // namespace

StoredColour StoredFromQColor(const QColor& colour) {
    return ColourFromRgb(colour.red(), colour.green(), colour.blue());
}

THTMLCHOIX::THTMLCHOIX(const MessageCatalogue& catalogue, UserPrompts& prompts)
    : catalogue_(catalogue), prompts_(prompts) {
    setObjectName(QStringLiteral("THTMLCHOIX"));
    setAttribute(Qt::WA_QuitOnClose, false);
    askColour = [this](const QColor& initial, const QString& title) {
        return QColorDialog::getColor(initial, this, title);
    };

    GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
    HTMLEdit = Named(new QLineEdit(QStringLiteral("TAVRIN"), GroupBox1), "HTMLEdit");
    HTMLEdit->setReadOnly(true);
    HTMLEdit->setAlignment(Qt::AlignCenter);
    Button2 = Named(new QPushButton(GroupBox1), "Button2");
    Button1 = Named(new QPushButton(GroupBox1), "Button1");
    auto* colours = new QHBoxLayout(GroupBox1);
    colours->addWidget(HTMLEdit, 1);
    colours->addWidget(Button2);
    colours->addWidget(Button1);

    GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
    IMGBACK = Named(new QLineEdit(GroupBox2), "IMGBACK");
    IMGBACK->installEventFilter(this);
    (new QHBoxLayout(GroupBox2))->addWidget(IMGBACK);

    HTMLMultiP = Named(new QCheckBox(this), "HTMLMultiP");
    HTMLFrames = Named(new QCheckBox(this), "HTMLFrames");
    HTMLMedia = Named(new QCheckBox(this), "HTMLMedia");
    HTMLImage = Named(new QGroupBox(this), "HTMLImage");
    ImageNone = Named(new QRadioButton(HTMLImage), "ImageNone");
    ImageRight = Named(new QRadioButton(HTMLImage), "ImageRight");
    ImageLeft = Named(new QRadioButton(HTMLImage), "ImageLeft");
    ImageRight->setChecked(true);
    auto* places = new QVBoxLayout(HTMLImage);
    places->addWidget(ImageNone);
    places->addWidget(ImageRight);
    places->addWidget(ImageLeft);

    BitBtn1 = Named(new QPushButton(this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = Named(new QPushButton(this), "BitBtn2");

    auto* boxes = new QVBoxLayout;
    boxes->addWidget(HTMLMultiP);
    boxes->addWidget(HTMLFrames);
    boxes->addWidget(HTMLMedia);
    boxes->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QGridLayout(this);
    layout->addWidget(GroupBox1, 0, 0, 1, 2);
    layout->addWidget(GroupBox2, 1, 0, 1, 2);
    layout->addLayout(boxes, 2, 0);
    layout->addWidget(HTMLImage, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);

    connect(Button1, &QPushButton::clicked, this, &THTMLCHOIX::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &THTMLCHOIX::Button2Click);
    connect(HTMLMultiP, &QCheckBox::clicked, this, &THTMLCHOIX::HTMLMultiPClick);
    connect(BitBtn1, &QPushButton::clicked, this, &THTMLCHOIX::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &THTMLCHOIX::reject);

    ApplyTexts();
    ShowColours();
    HTMLFrames->setEnabled(false);
    resize(420, 300);
    CentreOnScreen(this);
}

void THTMLCHOIX::ApplyTexts() {
    const auto text = [this](Msg m) { return QCaptionText(catalogue_, m); };
    setWindowTitle(QStringLiteral("HTML"));
    GroupBox1->setTitle(text(Msg::MsgHtmlColours));
    Button2->setText(text(Msg::MsgHtmlText));
    Button1->setText(text(Msg::MsgHtmlBackground));
    GroupBox2->setTitle(text(Msg::MsgHtmlBackgroundImage));
    HTMLMultiP->setText(text(Msg::MsgHtmlMultiPage));
    HTMLFrames->setText(text(Msg::MsgHtmlFrames));
    HTMLMedia->setText(text(Msg::MsgHtmlImage));
    HTMLImage->setTitle(text(Msg::MsgHtmlCenterImage));
    ImageNone->setText(text(Msg::MsgNone));
    ImageRight->setText(text(Msg::MsgHtmlToRight));
    ImageLeft->setText(text(Msg::MsgHtmlToLeft));
    BitBtn1->setText(text(Msg::MsgOk));
    BitBtn2->setText(text(Msg::MsgCancel));
}

void THTMLCHOIX::Open(QWidget* opener, HtmlExportJob job) {
    if (opener_ && opener_ != opener) opener_->setEnabled(true);
    opener_ = opener;
    job_ = std::move(job);
    if (opener) opener->setEnabled(false);
    show();
    raise();
    activateWindow();
}

void THTMLCHOIX::showEvent(QShowEvent* event) {
    HTMLMultiP->setChecked(false);
    HTMLFrames->setEnabled(false);
    QDialog::showEvent(event);
}

void THTMLCHOIX::done(int result) {
    QDialog::done(result);
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
    job_.collection = nullptr;
    emit Closed();
}

bool THTMLCHOIX::eventFilter(QObject* watched, QEvent* event) {
    if (watched == IMGBACK && event->type() == QEvent::MouseButtonDblClick) {
        IMGBACK->clear();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

HtmlOptions THTMLCHOIX::Options() const {
    HtmlOptions options;
    options.textColour = StoredFromQColor(HTMLEdit->palette().color(QPalette::Text));
    options.backgroundColour = StoredFromQColor(HTMLEdit->palette().color(QPalette::Base));
    options.backgroundImage = Cp1252FromQString(IMGBACK->text());
    options.multiPage = HTMLMultiP->isChecked();
    options.frames = options.multiPage && HTMLFrames->isEnabled() && HTMLFrames->isChecked();
    options.pictures = HTMLMedia->isChecked();
    options.place = ImageNone->isChecked()   ? PicturePlace::None
                    : ImageLeft->isChecked() ? PicturePlace::Left
                                             : PicturePlace::Right;
    options.mailAddress = mailAddress_;
    return options;
}

void THTMLCHOIX::ShowColours() {
    QPalette palette = HTMLEdit->palette();
    palette.setColor(QPalette::Text, textColour_);
    palette.setColor(QPalette::Base, backgroundColour_);
    HTMLEdit->setPalette(palette);
}

void THTMLCHOIX::Button2Click() {
    const QColor chosen = askColour(Qt::black, Button2->text());
    textColour_ = chosen.isValid() ? chosen : QColor(Qt::black);
    ShowColours();
}

void THTMLCHOIX::Button1Click() {
    const QColor chosen = askColour(Qt::white, Button1->text());
    backgroundColour_ = chosen.isValid() ? chosen : QColor(Qt::white);
    ShowColours();
}

void THTMLCHOIX::HTMLMultiPClick() {
    // One page per title needs the details: with just the titles there is nothing to put on them.
    if (job_.choices.kind != ExportKind::OtherInformations) HTMLMultiP->setChecked(false);
    HTMLFrames->setEnabled(HTMLMultiP->isChecked());
}

void THTMLCHOIX::BitBtn1Click() {
    if (!job_.collection) {
        accept();
        return;
    }
    const HtmlOptions options = Options();
    const QString fileName =
        prompts_.AskSaveFile({QText(catalogue_, Msg::MsgSave).toUpper(),
                              QStringLiteral("Fichier HTML (*.htm *.HTM)"), QStringLiteral("htm")});
    if (fileName.isEmpty()) {
        accept();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportTexts texts(catalogue_);
    const ReportContext context{*job_.collection, texts, job_.dates};
    const HtmlExportResult result =
        WriteHtmlExport(PathFromQString(fileName), context, job_.browse, job_.choices, options, job_.folders);
    QApplication::restoreOverrideCursor();

    QStringList failed;
    for (const FileFailure& failure : result.failures)
        failed << WriteFailureText(catalogue_, failure);
    failed += CopyPictures(result.pictures, QFileInfo(fileName).absolutePath());
    if (!failed.isEmpty()) {
        if (failed.size() > FailuresShown) {
            failed = failed.mid(0, FailuresShown);
            failed << QStringLiteral("...");
        }
        prompts_.ShowMessage(failed.join(QLatin1Char('\n')));
    }
    accept();
}

QStringList THTMLCHOIX::CopyPictures(const std::vector<CoverPicture>& pictures, const QString& folder) {
    QStringList failed;
    std::unique_ptr<QProgressDialog> progress;
    if (pictures.size() > static_cast<std::size_t>(ProgressFrom)) {
        progress = std::make_unique<QProgressDialog>(QText(catalogue_, Msg::MsgHtmlImage), QString(), 0,
                                                     static_cast<int>(pictures.size()), this);
        progress->setObjectName(QStringLiteral("PictureProgress"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
    }
    const auto copied = [&progress](std::size_t done) {
        if (progress) progress->setValue(static_cast<int>(done));
    };
    for (const FileFailure& failure :
         tavrin::CopyPictures(pictures, PathFromQString(folder), job_.codec, catalogue_, copied))
        failed << WriteFailureText(catalogue_, failure);
    if (progress) progress->setValue(static_cast<int>(pictures.size()));
    return failed;
}

} // namespace tavrin
