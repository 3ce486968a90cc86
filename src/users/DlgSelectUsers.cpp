#include "DlgSelectUsers.h"

#include "DlgNewUser.h"
#include "DlgPassWord.h"

#include "controls/BtnImgD1KL.h"
#include "ui/DialogFrame.h"
#include "ui/DlgMessage.h"

TOKBottomDlgSelectUsers::TOKBottomDlgSelectUsers(UserRegistry &registry, TOKBottomDlgNewUser &newUser,
                                                 TDlgPassWord &password, QWidget *parent)
    : QDialog(parent), registry_(registry), newUser_(newUser), password_(password)
{
    setObjectName("OKBottomDlgSelectUsers");
    setupDialogFrame(*this, QSize(545, 381), QStringLiteral("Выбор имени"));
    setProperty("helpContext", 30);

    auto *heading = new QLabel(QStringLiteral("Выберите имя"), this);
    heading->setFont(arialFont(16, true));
    heading->setGeometry(20, 12, 505, 24);

    ListBoxUsers = new QListWidget(this);
    ListBoxUsers->setObjectName("ListBoxUsers");
    ListBoxUsers->setGeometry(20, 42, 505, 240);
    ListBoxUsers->setFont(arialFont(15));
    ListBoxUsers->setUniformItemSizes(true);
    ListBoxUsers->setStyleSheet(QStringLiteral("QListWidget::item { height: 17px; }"));
    ListBoxUsers->setAccessibleName(QStringLiteral("Выберите имя"));
    heading->setBuddy(ListBoxUsers);

    using SkinArt::ButtonSymbol;
    const int y = 296;
    BitBtnOk = addCaptionedButton(this, QPoint(52, y), QStringLiteral("Подтверждение"), ButtonSymbol::Confirm).button;
    BitBtnOk->setObjectName("BitBtnOk");
    BitBtnOk->setDefault(true);
    BitBtnCancel = addCaptionedButton(this, QPoint(172, y), QStringLiteral("Отмена"), ButtonSymbol::Cancel).button;
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setCancel(true);
    BitBtnNewUser = addCaptionedButton(this, QPoint(292, y), QStringLiteral("Новое имя"), ButtonSymbol::NewUser).button;
    BitBtnNewUser->setObjectName("BitBtnNewUser");
    BitBtnDelete = addCaptionedButton(this, QPoint(412, y), QStringLiteral("Удалить имя"), ButtonSymbol::DeleteUser).button;
    BitBtnDelete->setObjectName("BitBtnDelete");

    connect(BitBtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnNewUser, &QPushButton::clicked, this, &TOKBottomDlgSelectUsers::BitBtnNewUserClick);
    connect(BitBtnDelete, &QPushButton::clicked, this, &TOKBottomDlgSelectUsers::BitBtnDeleteClick);
    connect(ListBoxUsers, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TOKBottomDlgSelectUsers::rebuildList()
{
    ListBoxUsers->clear();
    for (const TUserRec &user : registry_.Users)
        ListBoxUsers->addItem(userListLine(user));
    ListBoxUsers->setCurrentRow(ListBoxUsers->count() > 0 ? 0 : -1);
}

void TOKBottomDlgSelectUsers::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    rebuildList();
    ListBoxUsers->setFocus();
}

void TOKBottomDlgSelectUsers::BitBtnNewUserClick()
{
    if (!RunNewUser(newUser_, registry_))
        return;
    ListBoxUsers->addItem(userListLine(registry_.Users.last()));
    ListBoxUsers->setCurrentRow(ListBoxUsers->count() - 1);
}

void TOKBottomDlgSelectUsers::BitBtnDeleteClick()
{
    if (password_.exec() != QDialog::Accepted)
        return;
    if (registry_.Users.isEmpty()) {
        ShowMessageBox(QStringLiteral("Удалять больше нечего"), QString(), 64);
        return;
    }
    const int k = selectedIndex();
    if (k < 0 || k > registry_.LastUser())
        return;
    if (password_.password() != registry_.Users[k].Password()) {
        ShowMessageBox(QStringLiteral("Неправильный пароль"), QStringLiteral("Внимание"), 48);
        return;
    }
    DeleteUser(registry_, k);
    delete ListBoxUsers->takeItem(k);
    // A neighbouring line stays selected, so confirming and deleting always have one.
    ListBoxUsers->setCurrentRow(qMin(k, ListBoxUsers->count() - 1));
}
