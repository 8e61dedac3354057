// The DVD panel: the audio and subtitle languages of a DVD title, 8 language groups of 10
// formats. The main window opens it to show the current title, the editor to change it.
#pragma once

#include "editing/dvd_flags.h"
#include "lang/catalogue.h"
#include "store/collection.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace tavrin {

class TDVDPanel : public QDialog {
    Q_OBJECT

  public:
    explicit TDVDPanel(const MessageCatalogue& catalogue);
    void ApplyTexts();

    // Shows the languages of a record (none: every box clear). A record that is not a DVD has its
    // DVD bytes cleared in the collection and leaves the boxes as they were.
    void LoadDvdPanel(const Collection& c, std::optional<std::size_t> record);
    // Writes the record's ten DVD bytes from the boxes, or zeros when support is not DVD.
    void PackDvdFlags(TitleRecord& r, int support) const;

    DvdTicks Ticks() const;
    void SetTicks(const DvdTicks& ticks);
    // True while the boxes can be changed (opened from the editor).
    bool Editable() const;

    // Shows the panel read-only and disables the opener until it closes.
    void OpenForViewing(QWidget* opener);
    // Shows the panel editable and disables the opener until it closes.
    void OpenForEditing(QWidget* opener);

  signals:
    void Closed();

  protected:
    void done(int result) override;

  private:
    void Open(QWidget* opener, bool editable);

    const MessageCatalogue& catalogue_;
    QWidget* DVDACTIVE = nullptr;
    std::array<QGroupBox*, DvdLanguageCount> groups_{};
    std::array<std::array<QCheckBox*, DvdLanguageCount>, DvdFormatCount> boxes_{};
    QPushButton* BitBtn1 = nullptr;
    QPointer<QWidget> opener_;
};

} // namespace tavrin
