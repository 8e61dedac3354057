// The multimedia chooser TChooseMedia: browses the MEDIAS folder by kind, previews pictures and
// plays sounds, music and videos, and picks, adds, deletes and cleans multimedia entries. Opened
// by the title editor's "+" (editor mode) and by TOOLS "Manage List" (manage mode).
#pragma once

#include "editing/name_list_host.h"

#include <QDialog>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <string>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QModelIndex;
class QPushButton;
class QStringListModel;
class QVideoWidget;

namespace tavrin {

class MediaPlayer;
class NameListModel;
class TCleaning;

class TChooseMedia : public QDialog {
    Q_OBJECT

  public:
    enum class Mode { Editor, Manage };

    TChooseMedia(NameListHost& host, TCleaning& cleaning);
    ~TChooseMedia() override;
    void ApplyTexts();

    // The MEDIAS folder it browses.
    void SetFolder(std::filesystem::path medias) { medias_ = std::move(medias); }
    const std::filesystem::path& Folder() const { return medias_; }

    // Shows the chooser and disables the opener until it closes. Editor mode: OK gives the
    // picked or added entry to picked.
    void Open(Mode mode, std::function<void(int)> picked, QWidget* opener);
    Mode CurrentMode() const { return mode_; }

    // The handlers, also what the controls do.
    void FileComboChange(int item);
    void FileListBox1Click();
    void FileListBox1DblClick(const QModelIndex& index);
    void MediaListeClick(const QModelIndex& index);
    void BitBtn1Click();
    void MenuItem2Click();
    void MenuItem4Click();

  signals:
    // An entry was removed (deleted, or cleaned out: one signal per entry, in order, at the
    // position it had then).
    void EntryDeleted(tavrin::ListId list, int position);

  protected:
    void done(int result) override;

  private:
    void RefreshFiles();
    void Refill();
    void ShowCount();
    void HidePreview();
    void Preview();
    void Removed(const std::vector<int>& positions);
    int SelectedEntry() const;
    void SelectEntry(int entry);

    NameListHost& host_;
    TCleaning& cleaning_;
    std::filesystem::path medias_;
    Mode mode_ = Mode::Manage;
    std::function<void(int)> picked_;
    QPointer<QWidget> opener_;

    QListView* FileListBox1 = nullptr;
    QStringListModel* files_ = nullptr;
    QLineEdit* MediaName = nullptr;
    QComboBox* FileCombo = nullptr;
    QListView* MediaListe = nullptr;
    NameListModel* entries_ = nullptr;
    QMenu* MPopupMenu1 = nullptr;
    QAction *MenuItem2 = nullptr, *MenuItem4 = nullptr;
    QLineEdit* NbM = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* ZVIDEOPANEL = nullptr;
    QVideoWidget* video_ = nullptr;
    MediaPlayer* MMediaPlayer = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;
};

} // namespace tavrin
