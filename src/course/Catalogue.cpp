#include "Catalogue.h"

#include "core/CourseError.h"
#include "core/Cp1251.h"
#include "core/DecimalInt.h"
#include "core/LineReader.h"

#include <cstring>

namespace {

// Field extraction of the catalogue: the text before the first TAB is the field and is
// removed with its TAB; with no TAB left the field is empty and nothing is removed.
class FieldCutter {
public:
    explicit FieldCutter(QByteArrayView line) : rest_(line) {}

    QByteArrayView next()
    {
        const qsizetype tab = rest_.indexOf('\t');
        if (tab < 0)
            return {};
        const QByteArrayView field = rest_.first(tab);
        rest_ = rest_.sliced(tab + 1);
        return field;
    }
    QByteArrayView rest() const { return rest_; }

private:
    QByteArrayView rest_;
};

} // namespace

QString CatalogueEntry::text(TextField field) const
{
    qsizetype offset = 0;
    for (int i = 0; i < field; ++i)
        offset += lengths_[size_t(i)];
    return fromCp1251(QByteArrayView(texts_).sliced(offset, lengths_[size_t(field)]));
}

void CatalogueEntry::setTexts(const std::array<QByteArrayView, TextCount> &bytes)
{
    qsizetype total = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        lengths_[i] = quint8(qMin<qsizetype>(bytes[i].size(), MaxCatalogueText));
        total += lengths_[i];
    }
    // Allocated at its exact size: a block grown by appends would keep spare room.
    texts_ = total == 0 ? QByteArray() : QByteArray(total, Qt::Uninitialized);
    char *out = texts_.data();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (lengths_[i] == 0)
            continue; // an empty view may have no data at all
        memcpy(out, bytes[i].data(), lengths_[i]);
        out += lengths_[i];
    }
}

void CatalogueEntry::setText(TextField field, const QString &text)
{
    std::array<QByteArray, TextCount> copies;
    std::array<QByteArrayView, TextCount> views;
    qsizetype offset = 0;
    for (size_t i = 0; i < copies.size(); ++i) {
        copies[i] = i == size_t(field) ? toCp1251(text) : texts_.sliced(offset, lengths_[i]);
        offset += lengths_[i];
        views[i] = copies[i];
    }
    setTexts(views);
}

CatalogueEntry parseCatalogueLine(QByteArrayView line)
{
    FieldCutter fields(line);
    CatalogueEntry entry;
    std::array<QByteArrayView, CatalogueEntry::TextCount> texts;
    texts[CatalogueEntry::TitleText] = fields.next();
    entry.IsChild = fields.next() != QByteArrayView("0");
    entry.Link = toInt32(fields.next());
    entry.InfoKind = toByte(fields.next());
    texts[CatalogueEntry::InfoFileText] = fields.next();
    entry.ExerciseKind = toByte(fields.next());
    texts[CatalogueEntry::File1Text] = fields.next();
    texts[CatalogueEntry::File2Text] = fields.next();
    texts[CatalogueEntry::File3Text] = fields.next();
    texts[CatalogueEntry::File4Text] = fields.next();
    texts[CatalogueEntry::File5Text] = fields.rest();
    entry.setTexts(texts);
    return entry;
}

Catalogue parseCatalogue(QByteArrayView fileBytes, const QString &fileName)
{
    // Counted first, so that the array is made at its size rather than grown with spare room.
    qsizetype lineCount = 0;
    for (LineReader counter(fileBytes); !counter.atEnd(); counter.next())
        ++lineCount;
    Catalogue catalogue(1); // entry 0: empty
    catalogue.reserve(lineCount + 1);
    LineReader lines(fileBytes);
    int lineNumber = 0;
    while (!lines.atEnd()) {
        const QByteArrayView line = lines.next();
        ++lineNumber;
        try {
            catalogue.append(parseCatalogueLine(line));
        } catch (const CourseError &error) {
            throw error.at(fileName, lineNumber);
        }
    }
    return catalogue;
}
