#include "platform/user_prompts.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStringList>

namespace tavrin {
namespace {

QString RunFileDialog(QWidget* parent, const FileDialogOptions& dialogOptions, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, dialogOptions.title, QString(), dialogOptions.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(dialogOptions.defaultSuffix);
#ifndef Q_OS_WIN
    // Qt's own dialog matches the filter without regard to case, so "*.KXT" also lists the
    // ".kxt" files that other systems produce; a desktop's native dialog may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

} // namespace

QString QtUserPrompts::AskOpenFile(const FileDialogOptions& dialogOptions) {
    return RunFileDialog(parent_, dialogOptions, QFileDialog::AcceptOpen);
}

QString QtUserPrompts::AskSaveFile(const FileDialogOptions& dialogOptions) {
    return RunFileDialog(parent_, dialogOptions, QFileDialog::AcceptSave);
}

SaveAnswer QtUserPrompts::AskSaveChanges(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

bool QtUserPrompts::AskYesNo(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtUserPrompts::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    parent_);
    box.exec();
}

} // namespace tavrin
