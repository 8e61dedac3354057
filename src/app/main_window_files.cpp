// What keeps a collector's work safe beyond Save: the collections opened last in the FILES menu,
// and the recovery copy written while there are unsaved changes, offered again after a crash.
#include "app/main_window.h"

#include "platform/menu_mnemonics.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "store/files/collection_file.h"
#include "store/files/recovery_copy.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTimer>

#include <chrono>

namespace tavrin {
namespace {

// A crash loses at most this much work.
constexpr std::chrono::minutes RecoveryInterval{2};

QString LockPath(const QString& folder, const QString& id) {
    return folder + QStringLiteral("/") + id + QStringLiteral(".lock");
}

// The lock of a run: held while it lives. The age of the lock never makes it stale, only the
// end of the run that holds it.
std::unique_ptr<QLockFile> RunLock(const QString& folder, const QString& id) {
    auto lock = std::make_unique<QLockFile>(LockPath(folder, id));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

// ---- Recent files ----

void TLDF1::BuildRecentFiles() {
    for (std::size_t i = 0; i < recentItems_.size(); ++i) {
        QAction* item = FILES1->addAction(QString());
        item->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        item->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i))));
        connect(item, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
        recentItems_[i] = item;
    }
    recentSeparator_ = FILES1->addSeparator();
    recentFiles_ = settingsStore_->RecentFiles();
    ShowRecentFiles();
}

void TLDF1::ShowRecentFiles() {
    for (std::size_t i = 0; i < recentItems_.size(); ++i) {
        QAction* item = recentItems_[i];
        const bool shown = i < recentFiles_.size();
        item->setVisible(shown);
        if (!shown) continue;
        item->setText(QStringLiteral("%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(QString::fromStdString(recentFiles_[i]))));
    }
    recentSeparator_->setVisible(!recentFiles_.empty());
    // Their numbers as their keyboard letters, the texts read as they are.
    MarkMnemonics(menuBar());
}

void TLDF1::RememberFile(const QString& fileName) {
    recentFiles_ =
        WithRecentFile(std::move(recentFiles_), QFileInfo(fileName).absoluteFilePath().toStdString());
    settingsStore_->WriteRecentFiles(recentFiles_);
    ShowRecentFiles();
}

void TLDF1::OpenRecentFile(std::size_t index) {
    if (index >= recentFiles_.size() || !ConfirmChanges()) return;
    const QString fileName = QString::fromStdString(recentFiles_[index]);
    if (!QFileInfo::exists(fileName)) {
        recentFiles_.erase(recentFiles_.begin() + static_cast<std::ptrdiff_t>(index));
        settingsStore_->WriteRecentFiles(recentFiles_);
        ShowRecentFiles();
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgRecentFileGone) + QDir::toNativeSeparators(fileName));
        return;
    }
    LoadCollection(fileName);
}

// ---- The recovery copy ----

QString TLDF1::RecoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

void TLDF1::KeepRecoveryCopy() {
    if (!document_.Modified()) {
        DropRecoveryCopy();
        return;
    }
    const QString folder = RecoveryFolder();
    if (!recoveryLock_) {
        MakeRecoveryFolder(PathFromQString(folder)); // the lock below tells if it failed
        recoveryId_ = QStringLiteral("%1-%2")
                          .arg(QCoreApplication::applicationPid())
                          .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        recoveryLock_ = RunLock(folder, recoveryId_);
        // Without its lock the copy would pass for one left by a crash: better none at all.
        if (!recoveryLock_->tryLock(0)) {
            recoveryLock_.reset();
            return;
        }
    }
    // Nothing changed since the last copy: it still holds every change.
    if (recoveryGeneration_ == document_.History().Generation()) return;
    // A copy that cannot be written is left to the next turn: the collection itself is untouched.
    if (WriteRecoveryCopy(collection_, PathFromQString(folder), recoveryId_.toStdString()))
        recoveryGeneration_ = document_.History().Generation();
}

void TLDF1::DropRecoveryCopy() {
    if (!recoveryLock_) return;
    RemoveRecoveryCopy(PathFromQString(RecoveryFolder()), recoveryId_.toStdString());
    recoveryLock_.reset(); // unlocks and removes the lock file
    recoveryGeneration_.reset();
}

bool TLDF1::OfferRecovery() {
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(RecoveryInterval);
    connect(recoveryTimer_, &QTimer::timeout, this, &TLDF1::KeepRecoveryCopy);
    recoveryTimer_->start();

    const QString folder = RecoveryFolder();
    for (const RecoveryCopy& copy : FindRecoveryCopies(PathFromQString(folder))) {
        const QString id = QString::fromStdString(copy.id);
        if (id == recoveryId_) continue;
        // A copy whose run still holds its lock belongs to a program still running.
        const auto lock = RunLock(folder, id);
        if (!lock->tryLock(0)) continue;
        const QString fileName = QString::fromStdString(copy.fileName);
        const QString shown =
            fileName.isEmpty() ? QText(catalogue_, Msg::MsgNewFile) : QDir::toNativeSeparators(fileName);
        const bool recover = prompts_->AskYesNo(QText(catalogue_, Msg::MsgConfirmation),
                                                QText(catalogue_, Msg::MsgRecoverChanges).arg(shown));
        if (!recover) {
            RemoveRecoveryCopy(PathFromQString(folder), copy.id);
            continue;
        }
        auto loaded = LoadCollectionFile(copy.collection, OtherName());
        if (!loaded) {
            // Kept for the next start: a copy that cannot be read now may be readable then.
            ShowFileFailure(loaded.error(), QStringFromPath(copy.collection));
            return false;
        }
        // Unsaved until saved, whatever is undone of the changes made to it from here. Its file is
        // guarded as when opened; another run holding it makes it read-only, without a question.
        FileState file;
        if (!fileName.isEmpty()) file = *LockFile(fileName, false);
        ShowLoadedCollection(std::move(loaded->collection), fileName, Origin::Recovered, std::move(file));
        // This run's own copy takes over before the one recovered goes.
        KeepRecoveryCopy();
        RemoveRecoveryCopy(PathFromQString(folder), copy.id);
        return true;
    }
    return false;
}

} // namespace tavrin
