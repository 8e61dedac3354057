#include "app/about_window.h"

#include "app/app_identity.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtGlobal>

namespace tavrin {

TKXTAbout::TKXTAbout(QWidget* parent) : QWidget(parent, Qt::Window), text_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("TKXTAbout"));
    setWindowTitle(QStringLiteral("About this version of TAVRIN"));
    setAttribute(Qt::WA_QuitOnClose, false);

    text_->setObjectName(QStringLiteral("Memo1"));
    text_->setReadOnly(true);
    text_->setFrameShape(QFrame::NoFrame);
    const QString html = QStringLiteral("<p align=center><b><font size=+3>%1</font></b></p>"
                                        "<p align=center>Version %2</p>"
                                        "<p align=center>A catalogue for collectors of LaserDiscs, DVDs, "
                                        "VHS tapes and Video CDs.</p>"
                                        "<p align=center>%3</p>"
                                        "<p align=center>Qt %4</p>")
                             .arg(QLatin1String(ApplicationTitle), QLatin1String(ApplicationVersion),
                                  QLatin1String(ApplicationCredits), QLatin1String(qVersion()));
    text_->setHtml(html);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    resize(360, 220);
    CentreOnScreen(this);
}

void TKXTAbout::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

} // namespace tavrin
