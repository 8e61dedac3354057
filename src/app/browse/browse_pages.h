// The controls of the main window's browse pages: SORT TITLES and GADGET (the filters),
// INFORMATION and TEXT (the current title). The widgets belong to their pages; these structs only
// name them for the handlers.
#pragma once

#include "app/browse/browse_filters.h"
#include "store/collection.h"

#include <QString>

#include <array>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QVideoWidget;
class QWidget;

namespace tavrin {

class MediaPlayer;
class UpDown;

// A name filter: the field showing the choice, its "..." and "ALL" buttons.
struct NameFilterControls {
    ListId list;
    QLineEdit* field = nullptr;
    QToolButton* choose = nullptr;
    QToolButton* all = nullptr;
};

// A check box filter and the member of BrowseFilters it sets.
struct FlagControl {
    bool BrowseFilters::*member;
    QCheckBox* box = nullptr;
};

// A radio group: its frame and the buttons in item order.
struct RadioGroup {
    QGroupBox* frame = nullptr;
    QButtonGroup* buttons = nullptr;
    std::array<QRadioButton*, 3> items{};
};

struct SortPageControls {
    QComboBox *TSupport = nullptr, *TStandard = nullptr, *TAspectRatio = nullptr, *TSound = nullptr,
              *TColor = nullptr, *TGenre = nullptr, *TAVendre = nullptr, *TMPAA = nullptr, *TZone = nullptr;
    QGroupBox *GroupBox2 = nullptr, *GroupBox5 = nullptr, *GroupBox6 = nullptr, *GroupBox12 = nullptr;
    QLineEdit *TAnnee1 = nullptr, *TAnnee2 = nullptr;
    UpDown *AUpDown1 = nullptr, *AUpDown2 = nullptr;
    std::vector<FlagControl> flags;
    QGroupBox* ActorBox = nullptr;
    std::array<NameFilterControls, 7> names{};
    QListWidget* TActor = nullptr;
    QToolButton *SpeedButton5 = nullptr, *SpeedButton6 = nullptr, *SpeedButton2 = nullptr;
    QToolButton* SpeedButton16 = nullptr;
};

// A mark range: low and high bars with their mirrors.
struct MarkRange {
    QGroupBox* frame = nullptr;
    QScrollBar *low = nullptr, *high = nullptr;
    QProgressBar *lowMirror = nullptr, *highMirror = nullptr;
    int BrowseFilters::*lowMember;
    int BrowseFilters::*highMember;
};

struct DvdFilterControl {
    DvdFilter filter;
    QGroupBox* frame = nullptr;
    QComboBox* combo = nullptr;
};

struct GadgetPageControls {
    QGroupBox* GroupBox16 = nullptr;
    std::array<MarkRange, 3> marks{};
    QGroupBox *GroupBox17 = nullptr, *TRIDATEBOX = nullptr;
    QLineEdit *TDateAJ1 = nullptr, *TDateAM1 = nullptr, *TDateAA1 = nullptr;
    QToolButton* SpeedButton18 = nullptr;
    RadioGroup Watched, TWatched;
    QGroupBox* GroupBox21 = nullptr;
    std::array<DvdFilterControl, DvdFilterCount> dvd{};
    RadioGroup PageFlipping, RadioSaveTXT, VideoPref;
    QToolButton* SpeedButton17 = nullptr;
    bool checkingDate = false; // a message box of the date check must not check again
};

// The GADGET page's "Russian Roulette" and price groups.
struct SelectionControls {
    QGroupBox *GroupBox10 = nullptr, *GroupBox9 = nullptr;
    QToolButton *SpeedButton14 = nullptr, *SpeedButton15 = nullptr;
    QLineEdit *TotalPrice = nullptr, *NbDisc = nullptr, *PriceZero = nullptr;
};

struct InformationPageControls {
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
};

struct MediaPageControls {
    std::array<QToolButton*, 4> BMedia{};
    QButtonGroup* slotButtons = nullptr;
    QLineEdit* Media = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Image22 = nullptr;
    QLabel* ZVIDEOPANEL2 = nullptr; // the black panel's captions, and the video inside it
    QVideoWidget* video = nullptr;
    MediaPlayer* MediaPlayer1 = nullptr;
    RadioGroup MediaLoad, VideoScreen;
    // The shown file: its current media type ("" when none) and path.
    QString type;
    QString file;
    // What the page last showed for the title view, so that coming back to the window does not
    // interrupt what plays.
    QString shownKey;
};

struct TextPageControls {
    QPlainTextEdit* Review = nullptr;
};

struct BrowsePages {
    SortPageControls sort;
    GadgetPageControls gadget;
    SelectionControls selections;
    InformationPageControls info;
    TextPageControls text;
    MediaPageControls media;
};

} // namespace tavrin
