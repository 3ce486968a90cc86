#include "RichText.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace {

constexpr char16_t ObjectCharacter = u'\uFFFC';

QString pictureName(std::size_t index)
{
    return QStringLiteral("rtf-picture:%1").arg(index + 1);
}

// Where a paragraph that runs past RichText::LongParagraph from `start` is cut: after the
// last space of the piece's second half, else at the limit (never inside a surrogate pair).
qsizetype cutPoint(const QString &text, qsizetype start)
{
    const qsizetype limit = start + RichText::LongParagraph;
    for (qsizetype i = limit - 1; i >= start + RichText::LongParagraph / 2; --i) {
        if (text[i] == u' ')
            return i + 1;
    }
    return text[limit - 1].isHighSurrogate() ? limit - 1 : limit;
}

} // namespace

RichText::RichText()
{
    charFormats_.emplace_back();
    blockFormats_.emplace_back();
    paragraphs_.push_back({0, 0});
    runs_.push_back({0, 0});
}

RichText RichText::fromPlainText(QString text)
{
    // Offsets are kept in 32 bits: course files are far smaller than 2 GB.
    Q_ASSERT(text.size() < (qsizetype(1) << 31));
    RichText result;
    result.paragraphs_.clear();
    // Line ends are taken out in one pass, each marking where a paragraph starts:
    // QString::replace would move the rest of the text for every line.
    QChar *out = text.data();
    const qsizetype size = text.size();
    qsizetype kept = 0;
    qsizetype start = 0;
    const auto addParagraph = [&](qsizetype end) {
        for (;;) {
            result.paragraphs_.push_back({qint32(start), 0});
            if (end - start <= LongParagraph)
                break;
            start = cutPoint(text, start);
        }
        start = end;
    };
    for (qsizetype i = 0; i < size; ++i) {
        if (out[i] == u'\r' || out[i] == u'\n') {
            if (out[i] == u'\r' && i + 1 < size && out[i + 1] == u'\n')
                ++i;
            addParagraph(kept);
        } else {
            out[kept++] = out[i];
        }
    }
    text.truncate(kept);
    addParagraph(kept);
    result.text_ = std::move(text);
    return result;
}

int RichText::addCharFormat(const QTextCharFormat &format)
{
    charFormats_.push_back(format);
    return int(charFormats_.size() - 1);
}

int RichText::addBlockFormat(const QTextBlockFormat &format)
{
    blockFormats_.push_back(format);
    return int(blockFormats_.size() - 1);
}

void RichText::append(QStringView text, int charFormat)
{
    if (text.isEmpty())
        return;
    useCharFormat(charFormat);
    text_ += text;
    splitLongParagraph();
}

void RichText::appendPicture(const QImage &picture, QTextImageFormat format)
{
    format.setName(pictureName(pictures_.size()));
    pictures_.push_back(picture);
    append(QStringView(&ObjectCharacter, 1), addCharFormat(format));
}

void RichText::setBlockFormat(int blockFormat)
{
    for (auto it = paragraphs_.begin() + building_; it != paragraphs_.end(); ++it)
        it->blockFormat = blockFormat;
}

void RichText::startParagraph(int charFormat)
{
    paragraphs_.push_back({qint32(text_.size()), paragraphs_.back().blockFormat});
    building_ = paragraphs_.size() - 1;
    useCharFormat(charFormat);
}

// The characters appended from here on take the format.
void RichText::useCharFormat(int charFormat)
{
    if (runs_.back().charFormat == charFormat)
        return;
    if (runs_.back().start == text_.size())
        runs_.back().charFormat = charFormat; // the old format never held a character
    else
        runs_.push_back({qint32(text_.size()), charFormat});
}

void RichText::splitLongParagraph()
{
    while (text_.size() - paragraphs_.back().start > LongParagraph)
        paragraphs_.push_back({qint32(cutPoint(text_, paragraphs_.back().start)), paragraphs_.back().blockFormat});
}

QStringView RichText::paragraphText(int paragraph) const
{
    const qsizetype start = paragraphs_[std::size_t(paragraph)].start;
    return QStringView(text_).mid(start, paragraphEnd(paragraph) - start);
}

qsizetype RichText::plainPosition(int paragraph, qsizetype offset) const
{
    return paragraphs_[std::size_t(paragraph)].start + paragraph + offset;
}

int RichText::paragraphAt(qsizetype plainPosition) const
{
    int low = 0;
    int high = paragraphCount() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (this->plainPosition(middle, 0) <= plainPosition)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

QString RichText::plainText(qsizetype from, qsizetype to) const
{
    from = std::clamp<qsizetype>(from, 0, plainLength());
    to = std::clamp<qsizetype>(to, from, plainLength());
    QString text;
    text.reserve(to - from);
    for (int p = paragraphAt(from); p < paragraphCount(); ++p) {
        const qsizetype start = plainPosition(p, 0);
        if (start > from) { // the line end before this paragraph
            if (start - 1 >= to)
                break;
            text += u'\n';
        }
        if (start >= to)
            break;
        const qsizetype first = std::max(from, start) - start;
        text += paragraphText(p).mid(first, to - start - first);
    }
    return text;
}

qsizetype RichText::paragraphEnd(int paragraph) const
{
    const std::size_t next = std::size_t(paragraph) + 1;
    return next < paragraphs_.size() ? paragraphs_[next].start : text_.size();
}

std::size_t RichText::runAt(qsizetype position) const
{
    const auto after = std::upper_bound(runs_.begin(), runs_.end(), position,
                                        [](qsizetype p, const Run &run) { return p < run.start; });
    return std::size_t(after - runs_.begin()) - 1;
}

void RichText::writeParagraphs(QTextDocument &document, int first, int last, qreal maxPictureWidth) const
{
    // The text is read-only: its writing is nothing to undo.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (int p = first; p <= last; ++p) {
        const qsizetype start = paragraphs_[std::size_t(p)].start;
        const qsizetype end = paragraphEnd(p);
        std::size_t run = runAt(start);
        const QTextCharFormat &markFormat = charFormats_[std::size_t(runs_[run].charFormat)];
        if (p > first)
            cursor.insertBlock(blockFormats_[std::size_t(paragraphs_[std::size_t(p)].blockFormat)], markFormat);
        else {
            cursor.setBlockFormat(blockFormats_[std::size_t(paragraphs_[std::size_t(p)].blockFormat)]);
            cursor.setBlockCharFormat(markFormat);
        }
        for (qsizetype from = start; from < end; ++run) {
            const qsizetype to = run + 1 < runs_.size() ? std::min<qsizetype>(runs_[run + 1].start, end) : end;
            QTextCharFormat format = charFormats_[std::size_t(runs_[run].charFormat)];
            if (format.isImageFormat()) {
                QTextImageFormat picture = format.toImageFormat();
                const std::size_t index = std::size_t(picture.name().section(u':', 1).toLongLong() - 1);
                if (index < pictures_.size())
                    document.addResource(QTextDocument::ImageResource, QUrl(picture.name()), pictures_[index]);
                if (maxPictureWidth > 0 && picture.width() > maxPictureWidth) {
                    picture.setHeight(picture.height() * maxPictureWidth / picture.width());
                    picture.setWidth(maxPictureWidth);
                }
                format = picture;
            }
            cursor.insertText(QStringView(text_).mid(from, to - from).toString(), format);
            from = to;
        }
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}
