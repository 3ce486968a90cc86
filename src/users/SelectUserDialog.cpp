#include "SelectUserDialog.h"

#include "LearnerLock.h"
#include "NewUserDialog.h"
#include "PasswordDialog.h"

#include "controls/PictureButton.h"
#include "ui/DialogFrame.h"
#include "ui/Mnemonics.h"
#include "ui/MessageWindow.h"

SelectUserDialog::SelectUserDialog(UserRegistry &registry, NewUserDialog &newUser,
                                                 PasswordDialog &password, QWidget *parent)
    : QDialog(parent), registry_(registry), newUser_(newUser), password_(password)
{
    setObjectName("selectUserDialog");
    setupDialogFrame(*this, QSize(545, 381), QStringLiteral("Выбор имени"));
    setProperty("helpContext", 30);

    auto *heading = new QLabel(QStringLiteral("Выберите имя"), this);
    heading->setFont(arialFont(16, true));
    heading->setGeometry(20, 12, 505, 24);

    userList = new QListWidget(this);
    userList->setObjectName("userList");
    userList->setGeometry(20, 42, 505, 240);
    userList->setFont(arialFont(15));
    userList->setUniformItemSizes(true);
    userList->setStyleSheet(QStringLiteral("QListWidget::item { height: 17px; }"));
    userList->setAccessibleName(QStringLiteral("Выберите имя"));
    heading->setBuddy(userList);

    using SkinArt::ButtonSymbol;
    const int y = 296;
    okButton = addCaptionedButton(this, QPoint(32, y), QStringLiteral("Подтверждение"), ButtonSymbol::Confirm).button;
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    cancelButton = addCaptionedButton(this, QPoint(132, y), QStringLiteral("Отмена"), ButtonSymbol::Cancel).button;
    cancelButton->setObjectName("cancelButton");
    cancelButton->setCancel(true);
    newUserButton = addCaptionedButton(this, QPoint(232, y), QStringLiteral("Новое имя"), ButtonSymbol::NewUser).button;
    newUserButton->setObjectName("newUserButton");
    deleteButton = addCaptionedButton(this, QPoint(332, y), QStringLiteral("Удалить имя"), ButtonSymbol::DeleteUser).button;
    deleteButton->setObjectName("deleteButton");
    helpButton = addHelpButton(this, QPoint(432, y), QStringLiteral("SelUser"));

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(newUserButton, &QPushButton::clicked, this, &SelectUserDialog::addNewUser);
    connect(deleteButton, &QPushButton::clicked, this, &SelectUserDialog::deleteSelectedUser);
    connect(userList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    assignMnemonics(*this);
}

void SelectUserDialog::rebuildList()
{
    userList->clear();
    for (const UserRecord &user : registry_.Users)
        userList->addItem(userListLine(user));
    userList->setCurrentRow(userList->count() > 0 ? 0 : -1);
}

void SelectUserDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    rebuildList();
    userList->setFocus();
}

void SelectUserDialog::addNewUser()
{
    if (!runNewUser(newUser_, registry_))
        return;
    userList->addItem(userListLine(registry_.Users.last()));
    userList->setCurrentRow(userList->count() - 1);
    emit listChanged();
}

void SelectUserDialog::deleteSelectedUser()
{
    if (password_.exec() != QDialog::Accepted)
        return;
    if (registry_.Users.isEmpty()) {
        showMessageBox(QStringLiteral("Удалять больше нечего"), QString(), 64);
        return;
    }
    const int k = selectedIndex();
    if (k < 0 || k > registry_.LastUser())
        return;
    if (password_.password() != registry_.Users[k].Password()) {
        showMessageBox(QStringLiteral("Неправильный пароль"), QStringLiteral("Внимание"), 48);
        return;
    }
    const QString progressFile = userProgressFile(registry_.Users[k]);
    if (!progressFile.isEmpty() && LearnerLock::heldElsewhere(progressFile)) {
        showMessageBox(LearnerLock::heldElsewhereText(registry_.Users[k].Name()), QStringLiteral("Внимание"), 48);
        return;
    }
    deleteUser(registry_, k);
    emit listChanged();
    delete userList->takeItem(k);
    // A neighbouring line stays selected, so confirming and deleting always have one.
    userList->setCurrentRow(qMin(k, userList->count() - 1));
}
