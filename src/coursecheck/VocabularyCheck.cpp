#include "VocabularyCheck.h"

#include "LineCounts.h"
#include "SegmentLines.h"

void checkVocabularyFiles(CheckContext &context, const NamedAt &at, const VocabularyFiles &files)
{
    const QList<QByteArray> *expressions = context.lines(files.expressions, at, QStringLiteral("Файл выражений"));
    const QList<QByteArray> *translations = context.lines(files.translations, at, QStringLiteral("Файл переводов"));
    if (expressions) {
        if (expressions->isEmpty())
            context.report(files.expressions, 0, QStringLiteral("файл выражений пуст: упражнению нечего показать"));
        for (qsizetype i = 0; i < expressions->size(); ++i) {
            if (expressions->at(i).trimmed().isEmpty())
                context.report(files.expressions, int(i + 1), QStringLiteral("пустое выражение"));
        }
    }
    if (translations) {
        for (qsizetype i = 0; i < translations->size(); ++i) {
            if (translations->at(i).trimmed().isEmpty())
                context.report(files.translations, int(i + 1), QStringLiteral("пустой перевод"));
        }
    }
    if (expressions && translations) {
        checkSameLength(context, files.expressions, expressions->size(), files.translations, translations->size(),
                        QStringLiteral("перевода"));
    }

    if (files.segments.isEmpty())
        return;
    const QList<QByteArray> *segments = context.lines(files.segments, at, QStringLiteral("Файл отрезков"));
    if (!segments)
        return;
    std::optional<qint32> soundMs;
    if (!files.sound.isEmpty())
        soundMs = context.soundMs(files.sound, at, QStringLiteral("Звук"));
    checkSegmentLines(context, files.segments, *segments, soundMs, files.sound);
    if (expressions) {
        checkSameLength(context, files.expressions, expressions->size(), files.segments, segments->size(),
                        QStringLiteral("отрезка звука"));
    }
}
