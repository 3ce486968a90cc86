#pragma once

#include <QByteArray>
#include <QString>

// The application's help file. Ours is HTML: the named file itself when it holds our HTML
// help, otherwise the file of the same base name with ".htm" or ".html" beside it (a help
// file of another format may keep the name). Topics are anchors named by their context
// number ("10") or key ("NewUser"); number 0 stands for the contents.
class HelpFile {
public:
    // Finds and reads the HTML help for `helpFile` (a course name, any letter case).
    // Returns false, with problem() set, when there is none or it cannot be read.
    bool open(const QString &helpFile);

    bool isOpen() const { return !html_.isEmpty(); }
    // The path of the HTML file read, and its text.
    QString path() const { return path_; }
    QString html() const { return html_; }
    // What went wrong with the last open, in the learner's words.
    QString problem() const { return problem_; }

    // True when the help has an anchor of that name (names are compared exactly).
    bool hasTopic(const QString &topic) const;

    // The anchor a context number opens; 0 opens the contents.
    static QString topicOfNumber(int contextNumber);
    static QString contentsTopic() { return QStringLiteral("contents"); }

    // Whether the bytes are HTML (what our help is), not a help file of another kind.
    static bool isHtml(const QByteArray &bytes);

private:
    QString path_;
    QString html_;
    QString problem_;
};
