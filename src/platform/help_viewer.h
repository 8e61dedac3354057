// The help window: the program's help pages, shipped inside the program, in a browser window.
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace tavrin {

class HelpViewer : public QWidget {
    Q_OBJECT

  public:
    // The contents page of the help.
    static QUrl ContentsPage();

    explicit HelpViewer(const QString& caption, QWidget* parent = nullptr);

    // Shows the window at the contents page and brings it to the front.
    void ShowContents();
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

} // namespace tavrin
