#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The course's help as the builder reads it to check it: the HTML help file is a list of
// topics, each an <h2> heading with its anchors (a context number, a key) and the text
// up to the next heading; the contents before the first topic link to them.
struct HelpTopic {
    QStringList names; // the anchors of the heading: "150", "WorkText"
    QString heading;   // the heading as shown
    QString text;      // the topic's text as shown, without its "back to the contents" link
    int line = 0;      // of the heading in the help file

    int wordCount() const;
};

struct HelpLink {
    QString target; // the anchor linked to
    QString title;  // the link's text
};

struct HelpSource {
    QString file;
    std::vector<HelpTopic> topics;
    std::vector<HelpLink> contents;

    // The topic with the anchor `name`, or nullptr.
    const HelpTopic *topic(const QString &name) const;
};

// Reads the help file (UTF-8 HTML); fails on a file that cannot be read.
HelpSource readHelpSource(const QString &path);

// The text a reader sees of a piece of HTML: tags dropped, entities and white space made
// plain.
QString plainTextOfHtml(const QString &html);

// The text a reader sees of a rich-text source (the course's RTF, Cyrillic written as it
// is): groups of the font and colour tables dropped, control words dropped, paragraphs
// on lines of their own.
QString plainTextOfRichText(const QString &rtf);
