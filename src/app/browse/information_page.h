// The INFORMATION page: the current title field by field, read-only, with "Watched Today".
#pragma once

#include "app/browse/browse_page_host.h"

#include <QString>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QToolButton;

namespace tavrin {

class CoverWidget;

class TInformationPage : public QWidget {
    Q_OBJECT

  public:
    TInformationPage(BrowseHost host, QWidget* parent);
    void ApplyTexts();

    // Every field of that record's title.
    void ShowTitle(std::size_t record);
    // Empties every field (no collection, or a new one).
    void Clear();
    // The TEXT button: the title has a text file.
    void ShowTextButton(bool visible);
    // The MEDIA button: the title has a file in slot 1.
    void ShowMediaButton(bool visible);

  private:
    void Build();
    void WatchedTodayClicked();
    // The title's cover beside the marks: its first multimedia file when that is a picture,
    // shown once decoded; nothing for a title without one or whose file cannot be read.
    void ShowCover(std::size_t record);
    void ShowCoverImage();
    void CoverClicked();

    BrowseHost host_;

    QLineEdit *Titre = nullptr, *Annee = nullptr, *Duree = nullptr, *AspectRatio = nullptr,
              *Director = nullptr, *Composer = nullptr, *Boutique = nullptr, *Support = nullptr,
              *Zone = nullptr, *MPAA = nullptr, *CAV = nullptr, *CLV = nullptr, *Standard = nullptr,
              *Sound = nullptr, *Color = nullptr, *NomBox = nullptr, *NomInfo = nullptr, *NomInfo2 = nullptr,
              *NbVision = nullptr, *DateVision = nullptr, *Prix = nullptr, *DateAchat = nullptr,
              *Editeur = nullptr, *Genre = nullptr, *Genre2 = nullptr, *AVendre = nullptr;
    QListWidget *LDActorList = nullptr, *Other = nullptr, *ExtrasBox = nullptr;
    QProgressBar *NoteFilm = nullptr, *NoteImage = nullptr, *NoteSon = nullptr;
    QLabel *CLVLabel = nullptr, *CAVLabel = nullptr, *TitleLabel = nullptr, *YearLabel = nullptr,
           *LengthLabel = nullptr, *DirectorLabel = nullptr, *ComposerLabel = nullptr, *ActorLabel = nullptr,
           *GenreLabel = nullptr;
    QCheckBox* Used = nullptr;
    QGroupBox *Side = nullptr, *Notes = nullptr, *GroupBox3 = nullptr, *GroupBox4 = nullptr, *Watch = nullptr,
              *Buy = nullptr, *GroupBox1 = nullptr, *GroupBox8 = nullptr, *GroupBox18 = nullptr,
              *OtherBox = nullptr, *Extras = nullptr;
    QToolButton *ATxtButton = nullptr, *DVDButton = nullptr, *SpeedButton9 = nullptr;
    QToolButton* MediaButton = nullptr; // visible when the title has a file in slot 1
    CoverWidget* Cover = nullptr;
    QString coverKey_; // the cover's entry name ("" for none)
};

} // namespace tavrin
