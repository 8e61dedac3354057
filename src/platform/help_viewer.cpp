#include "platform/help_viewer.h"

#include "platform/window_placement.h"

#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

// The pages live in a resource of the window library; a static library's resource must be
// registered by hand, and only outside any namespace.
static void RegisterHelpResource() {
    Q_INIT_RESOURCE(help);
}

namespace tavrin {

QUrl HelpViewer::ContentsPage() {
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

HelpViewer::HelpViewer(const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    RegisterHelpResource();
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(caption);
    setAttribute(Qt::WA_QuitOnClose, false);

    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    browser_->document()->setDocumentMargin(12);

    auto* bar = new QToolBar(this);
    QAction* contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString());
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QAction::triggered, browser_, &QTextBrowser::home);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    resize(640, 560);
    CentreOnScreen(this);
}

void HelpViewer::ShowContents() {
    browser_->setSource(ContentsPage());
    show();
    raise();
    activateWindow();
}

} // namespace tavrin
