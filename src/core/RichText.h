#pragma once

#include <QImage>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <vector>

class QTextDocument;

// A read-only formatted text kept compactly: one string of all paragraphs' characters,
// a start offset and a paragraph format for each paragraph, and runs of one character
// format each over the whole string. A description of tens of megabytes takes a few
// bytes more than its characters, where a QTextDocument would hold a fragment and a
// layout for every paragraph; a view lays out only the paragraphs it shows.
class RichText {
public:
    // Paragraphs are split at this many characters (at a space when there is one in the
    // last half): a file without line ends is laid out in pieces a view can afford.
    static constexpr qsizetype LongParagraph = 16384;

    // One empty paragraph in the default formats.
    RichText();

    // Plain text in the default formats; CR LF, a lone CR and a lone LF each end a paragraph.
    static RichText fromPlainText(QString text);

    // Building, in reading order. Formats are stored once each and named by index.
    int addCharFormat(const QTextCharFormat &format);
    int addBlockFormat(const QTextBlockFormat &format);
    void append(QStringView text, int charFormat);
    // A picture is one object character whose format names it (an image format).
    void appendPicture(const QImage &picture, QTextImageFormat format);
    void setBlockFormat(int blockFormat); // of the paragraph being built
    // Ends the paragraph being built; an empty new paragraph takes the character format
    // (its height), as a paragraph mark carries the format in force.
    void startParagraph(int charFormat);

    int paragraphCount() const { return int(paragraphs_.size()); }
    QStringView paragraphText(int paragraph) const;

    // Positions in the plain text, where every paragraph but the last ends with a "\n".
    qsizetype plainLength() const { return text_.size() + qsizetype(paragraphs_.size()) - 1; }
    qsizetype plainPosition(int paragraph, qsizetype offset) const;
    // The paragraph that holds the plain position (or ends at it).
    int paragraphAt(qsizetype plainPosition) const;
    QString plainText(qsizetype from, qsizetype to) const;

    // Replaces the document's content with paragraphs first to last (inclusive), their
    // pictures added as the document's resources. Pictures wider than maxPictureWidth
    // (when above 0) are shown scaled down to it.
    void writeParagraphs(QTextDocument &document, int first, int last, qreal maxPictureWidth = 0) const;

private:
    struct Paragraph {
        qint32 start;
        qint32 blockFormat;
    };
    struct Run {
        qint32 start;
        qint32 charFormat;
    };

    qsizetype paragraphEnd(int paragraph) const;
    // The run that covers the character at `position`.
    std::size_t runAt(qsizetype position) const;
    void splitLongParagraph();
    void useCharFormat(int charFormat);

    QString text_;
    std::vector<Paragraph> paragraphs_;
    std::vector<Run> runs_;
    std::vector<QTextCharFormat> charFormats_;
    std::vector<QTextBlockFormat> blockFormats_;
    std::vector<QImage> pictures_;
    std::size_t building_ = 0; // the first piece of the paragraph being built
};
