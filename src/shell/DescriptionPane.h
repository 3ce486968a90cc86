#pragma once

#include "course/Catalogue.h"
#include "ui/RichTextView.h"

#include <QLabel>
#include <QWidget>

// The right pane of the main window: the description of the selected node, either a
// picture (`pictureLabel`) or a text (`descriptionText`), exactly one of them visible,
// and the link label `webLinkLabel` to the maker's web site at the bottom right, hidden
// while there is no site.
class DescriptionPane : public QWidget {
    Q_OBJECT
public:
    explicit DescriptionPane(QWidget *parent = nullptr);

    // Shows the entry's description file (data folder + InfoFile) by its InfoKind:
    // 0 a rich or plain text, 1 a BMP or JPEG picture, any other value keeps the pane.
    // On a missing or damaged file the view is switched and left empty, then CourseError
    // is thrown for the caller to report.
    void showDescription(const CatalogueEntry &entry, const QString &dataFolder);

    // A plain notice in the text view (for a course that could not be loaded); CR, LF and
    // CR LF each end a paragraph.
    void showNotice(const QString &text);

    QLabel *pictureLabel;
    RichTextView *descriptionText;
    QLabel *webLinkLabel;

    // The site the link opens, shown by its host name; an empty address hides the link.
    // The pane starts with the project's own.
    void setWebSite(const QString &address);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPicture(const QImage &picture);
    void fitPicture();

    QImage picture_;
    QString webSite_;
};
