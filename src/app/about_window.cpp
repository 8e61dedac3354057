#include "app/about_window.h"

#include "app/app_identity.h"
#include "platform/text.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtGlobal>

namespace tavrin {

TKXTAbout::TKXTAbout(QWidget* parent) : QWidget(parent, Qt::Window), text_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("TKXTAbout"));
    setAttribute(Qt::WA_QuitOnClose, false);

    text_->setObjectName(QStringLiteral("Memo1"));
    text_->setReadOnly(true);
    text_->setFrameShape(QFrame::NoFrame);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    resize(360, 220);
    CentreOnScreen(this);
}

void TKXTAbout::ApplyTexts(const MessageCatalogue& catalogue) {
    setWindowTitle(QText(catalogue, Msg::MsgAboutThisVersion));
    const QString html =
        QStringLiteral("<p align=center><b><font size=+3>%1</font></b></p><p align=center>%2</p>"
                       "<p align=center>%3</p><p align=center>%4</p><p align=center>Qt %5</p>")
            .arg(QLatin1String(ApplicationTitle),
                 QText(catalogue, Msg::MsgVersion).arg(QLatin1String(ApplicationVersion)).toHtmlEscaped(),
                 QText(catalogue, Msg::MsgAboutDescription).toHtmlEscaped(),
                 QLatin1String(ApplicationCredits), QLatin1String(qVersion()));
    text_->setHtml(html);
}

void TKXTAbout::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

} // namespace tavrin
