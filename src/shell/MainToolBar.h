#pragma once

#include <QToolBar>
#include <QToolButton>

// The main window's toolbar: 71 px high, flat buttons of 113 x 56 with a 32 x 32 icon
// above a white caption in the course font.
class MainToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolBar(QWidget *parent = nullptr);

    // The course font's family becomes the captions' typeface once it is installed.
    void setCaptionFamily(const QString &family);

    QToolButton *newUserButton;
    QToolButton *selectUserButton;
    QToolButton *runButton;
    QToolButton *reportButton;
    QToolButton *aboutButton;
    QToolButton *exitButton;

    // 71 px high whatever the toolbar's own layout computes: the main window's layout asks
    // for these, and a fixed height alone is undone when the window adds the toolbar.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QToolButton *addButton(const char *name, const QString &caption, const QPixmap &icon);
};
