#pragma once

#include "HelpDesk.h"
#include "HelpFile.h"

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

// The program's help viewer: the topics of the application's HTML help in a browser with
// back, forward, contents and search. A missing help file or topic is reported in the
// viewer itself, so the window that asked goes on unchanged.
class HelpViewer : public QWidget, public HelpDesk {
    Q_OBJECT
public:
    // `helpFile` is the application's help file, "LRX_HELP.HLP" in the program.
    explicit HelpViewer(const QString &helpFile, QWidget *parent = nullptr);


    void showTopic(int contextNumber) override;
    void showTopic(const QString &key) override;

    // The anchor asked for last, and what kept it from showing (empty when it showed).
    QString requestedTopic() const { return requestedTopic_; }
    QString problem() const { return problem_; }

    void showContents();
    void findText();

    QPushButton *backButton;
    QPushButton *forwardButton;
    QPushButton *contentsButton;
    QLineEdit *searchField;
    QPushButton *searchButton;
    QLabel *problemLabel;
    QTextBrowser *browser;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openTopic(const QString &topic);
    void report(const QString &problem);
    void bringUp();

    QString helpFile_;
    HelpFile file_;
    QString requestedTopic_;
    QString problem_;
    bool stale_ = true;
};
