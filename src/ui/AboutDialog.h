#pragma once

#include <QDialog>

class PictureButton;
class QLabel;
class QTabWidget;
class QTextEdit;

// "О программе": what the program is, and who made it, on two tab pages, each with its
// own OK button.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    QTabWidget *pages;
    QLabel *pictureLabel;
    QTextEdit *descriptionText;
    QLabel *rolesColumn;
    QLabel *entriesColumn;
    PictureButton *programOkButton;
    PictureButton *developersOkButton;

protected:
    void showEvent(QShowEvent *event) override;
};
