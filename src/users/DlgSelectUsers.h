#pragma once

#include "UserList.h"

#include <QDialog>
#include <QListWidget>

class TBtnImgD1KL;
class TDlgPassWord;
class TOKBottomDlgNewUser;

// "Выбор имени": the list of learners, with creating and deleting learners.
class TOKBottomDlgSelectUsers : public QDialog {
    Q_OBJECT
public:
    TOKBottomDlgSelectUsers(UserRegistry &registry, TOKBottomDlgNewUser &newUser, TDlgPassWord &password,
                            QWidget *parent = nullptr);

    // The chosen learner's index; -1 with no line selected.
    int selectedIndex() const { return ListBoxUsers->currentRow(); }
    // Rebuilds the list from the user list and selects the first line.
    void rebuildList();

    QListWidget *ListBoxUsers;
    TBtnImgD1KL *BitBtnOk;
    TBtnImgD1KL *BitBtnCancel;
    TBtnImgD1KL *BitBtnNewUser;
    TBtnImgD1KL *BitBtnDelete;

    void BitBtnNewUserClick();
    void BitBtnDeleteClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    UserRegistry &registry_;
    TOKBottomDlgNewUser &newUser_;
    TDlgPassWord &password_;
};
