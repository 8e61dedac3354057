// The title editor window: every field of one title, bound to a TitleEditorModel. Opened by the
// main window's Add, Edit and Duplicate commands; OK saves into the collection.
#pragma once

#include "editing/title_editor_model.h"
#include "lang/catalogue.h"
#include "store/collection.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace tavrin {
class UpDown;
}

namespace tavrin {

class TChooseActor;
class TChooseElement;
class TChooseMedia;
class TDVDPanel;
class TMIMAGE;
class LengthNote;
class UserPrompts;

// What the editor works with besides its own controls; given by the main window.
struct TitleEditorHost {
    OpenCollection& document;     // every change goes through it
    const Collection& collection; // the document's collection, as it stands
    UserPrompts& prompts;
    std::function<DayNumber()> today;
    std::function<int()> videoPreference; // the medium a new title starts with
    std::function<bool()> saveText;       // the "Save Text" option
    std::filesystem::path textFolder;
    std::filesystem::path mediaFolder; // where files dropped on the multimedia slots are copied
    TDVDPanel& dvdPanel;
    TMIMAGE& review;
    TChooseElement* chooseElement = nullptr;
    TChooseActor* chooseActor = nullptr;
    TChooseMedia* chooseMedia = nullptr;
};

class TAjouteF : public QDialog {
    Q_OBJECT

  public:
    enum class Purpose { Add, Edit, Duplicate };

    explicit TAjouteF(const MessageCatalogue& catalogue);
    ~TAjouteF() override;
    void ApplyTexts();

    void Bind(TitleEditorHost host);
    bool IsBound() const { return host_.has_value(); }

    // Clears (Add) or loads record (Edit, Duplicate), shows the editor and disables the opener
    // until it closes.
    void OpenFor(Purpose purpose, std::optional<std::size_t> record, QWidget* opener);
    Purpose CurrentPurpose() const { return purpose_; }

    // The editor's operations, also what its buttons do.
    void ClearEditor();
    void LoadTitleIntoEditor(std::size_t record);
    void SaveEditor();  // OK (BitBtn2)
    void CancelClick(); // Cancel (BitBtn1)

    const TitleEditorModel& Model() const { return model_; }
    // The outcome of the last opening: the saved title, or nothing after Cancel or a refusal.
    const std::optional<SavedTitle>& LastSave() const { return lastSave_; }
    bool Cancelled() const { return cancelled_; }

  public slots:
    // A chooser removed or renamed an entry of a list the editor refers to.
    void EntryDeleted(tavrin::ListId list, int position);
    void EntryRenamed(tavrin::ListId list, int position);

  signals:
    void Closed();

  protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The edits whose text the field checks read, with their fields.
    std::array<std::pair<QLineEdit*, EditorField>, 11> FieldEdits() const;
    void BuildControls();
    void FillVocabulary();
    void ShowModel();
    void ShowReference(EditorRef ref);
    void ShowMedia();
    void ShowMedium();
    void ChooseReference(EditorRef ref);
    // True when the field did not convert and was reset.
    bool FieldExit(EditorField field);
    void TSupportChange();
    void ADVDButtonClick();
    void SpeedButton1Click();
    void ClearMedia();
    void Button12Click(); // "+": a multimedia file into the next free slot
    void Button14Click(); // "-": the selected slot removed
    // A multimedia file dropped on AMedia: copied into MEDIAS, its new entry in the slot of the
    // line dropped on, or in the next free slot.
    void MediaDropped(const QString& file, const QPoint& at);
    int CurrentYear() const;
    QLineEdit* FieldEdit(EditorField field) const;

    const MessageCatalogue& catalogue_;
    std::optional<TitleEditorHost> host_;
    TitleEditorModel model_;
    std::optional<std::size_t> opened_; // the record the editor opened on, if any
    Purpose purpose_ = Purpose::Add;
    std::optional<SavedTitle> lastSave_;
    bool cancelled_ = false;
    bool showing_ = false; // the model is being shown: control signals are not edits
    QPointer<QWidget> opener_;

    QLineEdit *ATitre = nullptr, *AAnnee = nullptr, *ADuree = nullptr, *ACAV = nullptr, *ACLV = nullptr,
              *APrix = nullptr, *ANbVision = nullptr;
    QLineEdit *ADateVisionJ = nullptr, *ADateVisionM = nullptr, *ADateVisionA = nullptr;
    QLineEdit *ADateAchatJ = nullptr, *ADateAchatM = nullptr, *ADateAchatA = nullptr;
    QComboBox *AAspectRatio = nullptr, *AGenre = nullptr, *AGenre2 = nullptr, *AMPAA = nullptr,
              *AStandard = nullptr, *ASound = nullptr, *ASupport = nullptr, *AZone = nullptr,
              *AAVendre = nullptr, *AColor = nullptr;
    QScrollBar *ANoteFilm = nullptr, *ANoteImage = nullptr, *ANoteSon = nullptr;
    QProgressBar *ProgressBar1 = nullptr, *ProgressBar2 = nullptr, *ProgressBar3 = nullptr;
    QLabel *ACLVLabel = nullptr, *ACAVLabel = nullptr;
    QLabel *TitleLabel = nullptr, *YearLabel = nullptr, *LengthLabel = nullptr, *GenreLabel = nullptr,
           *PriceLabel = nullptr, *ViewingsLabel = nullptr;
    QGroupBox *Side = nullptr, *Watch = nullptr, *Buy = nullptr, *Other = nullptr, *Extras = nullptr,
              *GroupBox2 = nullptr, *GroupBox5 = nullptr, *GroupBox6 = nullptr, *GroupBox7 = nullptr,
              *GroupBox8 = nullptr;
    std::array<QLineEdit*, EditorRefCount> refEdits_{};
    std::array<QToolButton*, EditorRefCount> refButtons_{};
    std::array<QCheckBox*, EditorFlagCount> flagBoxes_{};
    std::vector<std::pair<LengthNote*, std::optional<Msg>>> lengthNotes_; // each with its edit's hint
    QListWidget* AMedia = nullptr;
    QToolButton *Button12 = nullptr, *Button14 = nullptr;
    UpDown* upDown_ = nullptr; // UpDown1
    QPushButton *ADVDButton = nullptr, *SpeedButton1 = nullptr, *BitBtn1 = nullptr, *BitBtn2 = nullptr;
};

} // namespace tavrin
