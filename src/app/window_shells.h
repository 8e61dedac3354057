// The program's secondary windows, created once at start-up and owned by the main window. Most
// are still empty: each gets its controls, in a file of its own, with the feature it serves.
#pragma once

#include "app/about_window.h"
#include "editing/dvd_panel.h"
#include "lang/catalogue.h"

#include <QDialog>
#include <QWidget>

#include <memory>

namespace tavrin {

// Title editor.
class TAjouteF : public QDialog {
    Q_OBJECT
  public:
    explicit TAjouteF(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Actor chooser.
class TChooseActor : public QDialog {
    Q_OBJECT
  public:
    explicit TChooseActor(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Rename dialog of the name lists.
class TChangeBase : public QDialog {
    Q_OBJECT
  public:
    explicit TChangeBase(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Statistics charts.
class TStatsForm : public QWidget {
    Q_OBJECT
  public:
    explicit TStatsForm(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Progress of list cleaning.
class TCleaning : public QDialog {
    Q_OBJECT
  public:
    explicit TCleaning(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Multimedia file chooser.
class TChooseMedia : public QDialog {
    Q_OBJECT
  public:
    explicit TChooseMedia(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Review text and picture viewer; its caption is set each time it opens.
class TMIMAGE : public QDialog {
    Q_OBJECT
  public:
    TMIMAGE();
};

// Export and print window.
class TEXPORTLIST : public QWidget {
    Q_OBJECT
  public:
    explicit TEXPORTLIST(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Name-list chooser.
class TChooseElement : public QDialog {
    Q_OBJECT
  public:
    explicit TChooseElement(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// HTML export options.
class THTMLCHOIX : public QDialog {
    Q_OBJECT
  public:
    explicit THTMLCHOIX(const MessageCatalogue& catalogue);
    void ApplyTexts();

  private:
    const MessageCatalogue& catalogue_;
};

// Every secondary window, one instance each. They have no Qt parent: disabling the main window
// while one of them is open must leave that one usable.
struct Windows {
    std::unique_ptr<TAjouteF> ajouteF;
    std::unique_ptr<TChooseActor> chooseActor;
    std::unique_ptr<TChangeBase> changeBase;
    std::unique_ptr<TStatsForm> statsForm;
    std::unique_ptr<TKXTAbout> kxtAbout;
    std::unique_ptr<TCleaning> cleaning;
    std::unique_ptr<TChooseMedia> chooseMedia;
    std::unique_ptr<TMIMAGE> mImage;
    std::unique_ptr<TDVDPanel> dvdPanel;
    std::unique_ptr<TEXPORTLIST> exportList;
    std::unique_ptr<TChooseElement> chooseElement;
    std::unique_ptr<THTMLCHOIX> htmlChoix;

    // Creates them in the program's start-up order.
    static Windows Create(const MessageCatalogue& catalogue);
    // Re-labels them after a language change.
    void ApplyTexts();
    // Closes whichever are open (the program is ending).
    void CloseAll();
};

} // namespace tavrin
