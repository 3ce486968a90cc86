#pragma once

#include "UserList.h"

#include <QDialog>
#include <QListWidget>

class PictureButton;
class PasswordDialog;
class NewUserDialog;

// "Выбор имени": the list of learners, with creating and deleting learners.
class SelectUserDialog : public QDialog {
    Q_OBJECT
public:
    SelectUserDialog(UserRegistry &registry, NewUserDialog &newUser, PasswordDialog &password,
                            QWidget *parent = nullptr);

    // The chosen learner's index; -1 with no line selected.
    int selectedIndex() const { return userList->currentRow(); }
    // Rebuilds the list from the user list and selects the first line.
    void rebuildList();

    QListWidget *userList;
    PictureButton *okButton;
    PictureButton *cancelButton;
    PictureButton *newUserButton;
    PictureButton *deleteButton;
    PictureButton *helpButton;

    void addNewUser();
    void deleteSelectedUser();

signals:
    // A learner was added or deleted: the list is to be saved at once.
    void listChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    UserRegistry &registry_;
    NewUserDialog &newUser_;
    PasswordDialog &password_;
};
