// The export window: the browse list written as a text list, as detail blocks, as spreadsheet
// text or as a Tellico file, or printed. The main window opens it in export or print mode and is
// disabled meanwhile.
#pragma once

#include "lang/catalogue.h"
#include "reports/date_format.h"
#include "reports/report_choices.h"
#include "store/collection.h"
#include "store/expected.h"
#include "store/files/file_access.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace tavrin {

class UserPrompts;

// Writes the browse list as a Tellico file: the export lives above the reports, so the main
// window hands it down. Gives the multimedia entries (UTF-8) whose covers were left out, or why
// the file could not be written.
using TellicoFileWriter = std::function<Expected<std::vector<std::string>, FileFailure>(
    const std::filesystem::path& file, std::span<const std::uint16_t> browse, const ExportChoices& choices)>;

// What the window reads: the open collection and the browse list, owned by the main window.
struct ExportWindowHost {
    const Collection* collection = nullptr;
    const std::vector<std::uint16_t>* browse = nullptr;
    UserPrompts* prompts = nullptr;
    TellicoFileWriter writeTellico; // none: no Tellico button
};

class TEXPORTLIST : public QWidget {
    Q_OBJECT

  public:
    enum class Mode { Export, Print };

    explicit TEXPORTLIST(const MessageCatalogue& catalogue);
    ~TEXPORTLIST() override;
    void ApplyTexts();

    void Bind(ExportWindowHost host);
    bool IsBound() const { return host_.collection != nullptr; }
    // Shows the window in a mode with the name and kind reset; disables opener until it closes.
    void OpenFor(Mode mode, QWidget* opener);
    Mode CurrentMode() const { return mode_; }

    // The list name, the kind of export and the ticked boxes, as the controls hold them now.
    ExportChoices Choices() const;
    // How dates are written: the system's short date format, with its month and weekday names.
    const DateFormat& Dates() const { return dates_; }
    // Another pattern, with the system's names.
    void SetDatePattern(std::string_view pattern);

    void KTextClick();
    void ETEXTClick();
    void ETEXTSPREADClick();
    void EHTMLClick();
    void ETELLICOClick();
    void PrintListClick();
    void PrintSetupClick();
    void PreviewClick();

    // The printer "Print", "Preview" and "Printer Setup" share, kept while the program runs.
    QPrinter& Printer();
    // Replaces the print dialog (tests answer it): true prints on the printer as it is set.
    void SetPrintConfirmation(std::function<bool(QPrinter&)> confirm);

  signals:
    // "HTML": the HTML export's options window takes over from here.
    void HtmlRequested();
    // The window closed; its opener is enabled again.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void ShowMode();
    // Writes the bytes of an export into a file the user chooses; reports a failure.
    template <class Write> void ExportToChosenFile(Write write);
    bool PrintOn(QPrinter& printer);

    const MessageCatalogue& catalogue_;
    ExportWindowHost host_;
    Mode mode_ = Mode::Export;
    QWidget* opener_ = nullptr;
    DateFormat dates_;
    std::unique_ptr<QPrinter> printer_;
    std::function<bool(QPrinter&)> confirmPrint_;

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* NomTexte = nullptr;
    QGroupBox* KText = nullptr;
    QRadioButton* JustTheTitles = nullptr;
    QRadioButton* OtherInformations = nullptr;
    QButtonGroup* kinds_ = nullptr;
    QGroupBox* OIText = nullptr;
    std::array<QCheckBox*, DetailBoxCount> boxes_{};
    QPushButton* ETEXT = nullptr;
    QPushButton* ETEXTSPREAD = nullptr;
    QPushButton* EHTML = nullptr;
    QPushButton* ETELLICO = nullptr;
    QPushButton* PrintList = nullptr;
    QPushButton* PrintSetup = nullptr;
    QPushButton* Preview = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace tavrin
