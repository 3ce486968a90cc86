#include "Catalogue.h"

#include "core/CourseError.h"
#include "core/Cp1251.h"
#include "core/DecimalInt.h"
#include "core/LineReader.h"

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

QString text(QByteArrayView field)
{
    return fromCp1251(field.first(qMin<qsizetype>(field.size(), MaxCatalogueText)));
}

} // namespace

CatalogueEntry parseCatalogueLine(QByteArrayView line)
{
    FieldCutter fields(line);
    CatalogueEntry entry;
    entry.Title = text(fields.next());
    entry.IsChild = fields.next() != QByteArrayView("0");
    entry.Link = toInt32(fields.next());
    entry.InfoKind = toByte(fields.next());
    entry.InfoFile = text(fields.next());
    entry.ExerciseKind = toByte(fields.next());
    entry.File1 = text(fields.next());
    entry.File2 = text(fields.next());
    entry.File3 = text(fields.next());
    entry.File4 = text(fields.next());
    entry.File5 = text(fields.rest());
    return entry;
}

Catalogue parseCatalogue(QByteArrayView fileBytes, const QString &fileName)
{
    Catalogue catalogue(1); // entry 0: empty
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
