#include "editing/name_chooser_dialog.h"

#include "editing/change_base_dialog.h"
#include "editing/cleaning_window.h"
#include "editing/name_list_operations.h"
#include "platform/length_note.h"
#include "platform/text.h"
#include "platform/user_prompts.h"
#include "platform/window_placement.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrin {
NameChooser::NameChooser(NameListHost& host, TChangeBase& rename, TCleaning& cleaning,
                         const ChooserNames& names)
    : host_(host), rename_(rename), cleaning_(cleaning) {
    setObjectName(QLatin1String(names.window));
    setAttribute(Qt::WA_QuitOnClose, false);

    names_ = new NameListBox(this);
    names_->setObjectName(QLatin1String(names.list));
    lengthNote_ = new LengthNote(names_->Edit());
    count_ = new QLineEdit(this);
    count_->setObjectName(QLatin1String(names.count));
    count_->setReadOnly(true);
    count_->setMaximumWidth(80);
    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    // Enter in the edit line is OK through NameListBox::Accepted; no button may take it as well.
    for (auto* b : {BitBtn1, BitBtn2})
        b->setAutoDefault(false);

    menu_ = new QMenu(this);
    menu_->setObjectName(QLatin1String(names.menu));
    Modify1 = menu_->addAction(QString());
    Modify1->setObjectName(QStringLiteral("Modify1"));
    Delete1 = menu_->addAction(QString());
    Delete1->setObjectName(QStringLiteral("Delete1"));
    menu_->addSeparator();
    clean_ = menu_->addAction(QString());
    clean_->setObjectName(QLatin1String(names.clean));
    ApplyButtonTexts();
    names_->View()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(names_->View(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(names_->View()->viewport()->mapToGlobal(at)); });

    // The pop-up's commands as visible buttons too, so that they are found without a right click.
    const auto commandButton = [this](QAction* action, const char* name) {
        auto* button = new QPushButton(action->text(), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, button, [button, action] { button->setText(action->text()); });
        return button;
    };
    QPushButton* modifyButton = commandButton(Modify1, "ModifyButton");
    QPushButton* deleteButton = commandButton(Delete1, "DeleteButton");
    QPushButton* cleanButton = commandButton(clean_, "CleanButton");

    connect(BitBtn1, &QPushButton::clicked, this, &NameChooser::OkClick);
    connect(names_, &NameListBox::Accepted, this, &NameChooser::OkClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Modify1, &QAction::triggered, this, &NameChooser::Modify1Click);
    connect(Delete1, &QAction::triggered, this, &NameChooser::Delete1Click);
    connect(clean_, &QAction::triggered, this, &NameChooser::CleanClick);

    auto* commands = new QHBoxLayout;
    commands->addWidget(modifyButton);
    commands->addWidget(deleteButton);
    commands->addWidget(cleanButton);
    commands->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(count_);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(names_, 1);
    layout->addLayout(commands);
    layout->addLayout(bottom);
    resize(320, 380);
    CentreOnScreen(this);
}

void NameChooser::ApplyButtonTexts() {
    BitBtn1->setText(QText(host_.catalogue, Msg::MsgOk));
    BitBtn2->setText(QText(host_.catalogue, Msg::MsgCancel));
    Modify1->setText(QText(host_.catalogue, Msg::MsgModifyMenu));
    Delete1->setText(QText(host_.catalogue, Msg::MsgDeleteMenu));
    clean_->setText(QText(host_.catalogue, Msg::MsgCleanList));
}

void NameChooser::Open(Mode mode, ListId list, std::function<void(int)> picked, QWidget* opener) {
    // A chooser still open for another opener gives that one back first.
    if (opener_ && opener_ != opener) opener_->setEnabled(true);
    mode_ = mode;
    list_ = list;
    picked_ = std::move(picked);
    opener_ = opener;
    Refill();
    ShowCount();
    lengthNote_->ApplyTexts(host_.catalogue, QString()); // in the language of the moment
    if (opener) opener->setEnabled(false);
    CentreOnScreen(this);
    show();
    raise();
    activateWindow();
    names_->Edit()->setFocus();
}

void NameChooser::done(int result) {
    QDialog::done(result);
    picked_ = nullptr;
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
}

void NameChooser::OkClick() {
    switch (mode_) {
    case Mode::Editor:
        PickOrAdd();
        return;
    case Mode::Manage:
        accept();
        return;
    case Mode::Filter:
        PickForFilter();
        return;
    }
}

void NameChooser::PickOrAdd() {
    PickOrAddAndClose(host_, list_, *names_->Edit(), *this, picked_, [this] {
        ShowCount();
        Refill();
    });
}

void NameChooser::PickForFilter() {
    const int entry = Locate();
    if (entry < 0) {
        host_.prompts.ShowMessage(QText(host_.catalogue, Msg::MsgChooseSomethingFirst));
        return;
    }
    if (list_ == ListId::Actor) {
        if (!host_.addActorFilter || !host_.addActorFilter(entry)) {
            host_.prompts.ShowMessage(QText(host_.catalogue, Msg::MsgYouHaveAlreadyChoose));
            return;
        }
    } else if (host_.setNameFilter) {
        host_.setNameFilter(list_, entry);
    }
    accept();
}

int NameChooser::Locate() {
    QLineEdit* edit = names_->Edit();
    const QString upper = UpperStorable(edit->text());
    if (upper != edit->text()) edit->setText(upper);
    return names_->SelectedEntry();
}

void NameChooser::Modify1Click() {
    if (names_->SelectedEntry() < 0) return;
    const int entry = Locate();
    const ListId list = list_;
    rename_.OpenRename(list, entry, this, [this, list, entry] {
        names_->Fill(host_.collection.List(list));
        names_->SelectEntry(entry);
        emit EntryRenamed(list, entry);
        if (host_.entryRenamed) host_.entryRenamed(list, entry);
    });
}

void NameChooser::Delete1Click() {
    if (names_->SelectedEntry() < 0) return;
    const int p = Locate();
    const ListId list = list_;
    const std::string name(NameAt(host_.collection.List(list), p));
    const std::size_t uses = NameUseCount(host_.collection, list, p);
    if (!host_.prompts.AskYesNo(QText(host_.catalogue, DeleteCaption(list)),
                                QStringFromCp1252(DeleteQuestion(host_.catalogue, name, uses))))
        return;

    cleaning_.RunDeletion(host_.Edits(), list, p, *this);
    ShowCount();
    Refill();
    Removed(list, {p});
}

void NameChooser::CleanClick() {
    const ListId list = list_;
    if (host_.collection.List(list).empty()) return;
    if (!host_.prompts.AskYesNo(QText(host_.catalogue, Msg::MsgCleanList).toUpper(),
                                QText(host_.catalogue, Msg::MsgCleanUnusedEntries)))
        return;

    cleaning_.Begin();
    setEnabled(false);
    const QString prefix = QText(host_.catalogue, Msg::MsgCheckingEntry);
    const auto result = CleanList(host_.Edits(), list, [&](std::size_t remaining, std::string_view text) {
        if (cleaning_.ProgressDue())
            cleaning_.ShowChecking(prefix + QString::number(remaining) + QStringLiteral(" : ") +
                                   QStringFromCp1252(text));
    });
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(result.erased.size()));
    for (const auto& name : result.erased)
        lines << QStringFromCp1252(ErasedLine(host_.catalogue, name));
    cleaning_.AddCleaned(lines);
    Removed(list, result.removedAt);
    cleaning_.Finish(QText(host_.catalogue, Msg::MsgCleaningComplete));
    ShowCount();
    Refill();
    setEnabled(true);
}

void NameChooser::Removed(ListId list, const std::vector<int>& positions) {
    for (int p : positions)
        emit EntryDeleted(list, p);
    if (host_.entriesRemoved && !positions.empty()) host_.entriesRemoved(list, positions);
}

void NameChooser::ShowCount() {
    count_->setText(QString::number(host_.collection.List(list_).size()));
}

void NameChooser::Refill() {
    names_->Fill(host_.collection.List(list_));
}

bool RefuseUnstorableName(NameListHost& host, ListId list, QLineEdit& edit) {
    const QString refusal = UnstorableMessage(host.catalogue, ListFieldName(list), edit.text());
    if (refusal.isEmpty()) return false;
    host.prompts.ShowMessage(refusal);
    edit.setFocus();
    return true;
}

void PickOrAddAndClose(NameListHost& host, ListId list, QLineEdit& typed, QDialog& dialog,
                       std::function<void(int)>& picked, const std::function<void()>& added) {
    if (RefuseUnstorableName(host, list, typed)) return;
    const auto result = PickOrAddName(host.Edits(), list, Cp1252FromQString(typed.text()));
    if (!result) {
        host.prompts.ShowMessage(QText(host.catalogue, result.error()));
        return;
    }
    if (result->added) added();
    const auto callback = std::move(picked);
    picked = nullptr;
    dialog.accept();
    if (callback) callback(result->entry);
}

} // namespace tavrin
