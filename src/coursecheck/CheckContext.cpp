#include "CheckContext.h"

#include "CourseFiles.h"

#include "core/CourseError.h"
#include "core/CoursePicture.h"
#include "core/LineReader.h"
#include "sound/SoundResult.h"
#include "sound/WavFile.h"

void CheckContext::checkEncoding(const QString &name, const QByteArray &bytes)
{
    if (const int line = firstUtf8Line(bytes); line > 0)
        report(name, line, QStringLiteral("файл записан в UTF-8, а программа читает cp1251: русские буквы будут искажены"));
}

const QList<QByteArray> *CheckContext::lines(const QString &name, const NamedAt &at, const QString &role)
{
    auto found = texts_.find(name);
    if (found == texts_.end()) {
        QString why;
        const std::optional<QByteArray> bytes = readCourseFile(name, why);
        if (bytes) {
            checkEncoding(name, *bytes);
            found = texts_.emplace(name, TextFile{splitLines(*bytes), {}}).first;
        } else {
            found = texts_.emplace(name, TextFile{std::nullopt, why}).first;
        }
    }
    // A file that cannot be read is reported at every entry that names it: each is a
    // place where the author may have to change the name.
    const TextFile &text = found->second;
    if (!text.lines) {
        report(at, QStringLiteral("%1 %2 не читается: %3").arg(role, name, text.why));
        return nullptr;
    }
    return &*text.lines;
}

std::optional<qint32> CheckContext::soundMs(const QString &name, const NamedAt &at, const QString &role)
{
    auto found = sounds_.find(name);
    if (found == sounds_.end()) {
        QString why;
        const std::optional<qint32> ms = soundLengthMs(name, why);
        found = sounds_.insert(name, SoundFile{ms, why});
    }
    if (!found->ms)
        report(at, QStringLiteral("%1 %2 не читается: %3").arg(role, name, found->why));
    return found->ms;
}

const std::vector<SoundStretch> *CheckContext::speechOf(const QString &name)
{
    auto found = speech_.find(name);
    if (found == speech_.end()) {
        std::optional<std::vector<SoundStretch>> speech;
        try {
            speech = SpeechActivity(readWavFile(name)).speech();
        } catch (const SoundFailure &) {
        }
        found = speech_.emplace(name, std::move(speech)).first;
    }
    return found->second ? &*found->second : nullptr;
}

bool CheckContext::pictureLoads(const QString &name, QString &why)
{
    auto found = pictures_.find(name);
    if (found == pictures_.end()) {
        QString error;
        if (isReadableFile(name, error)) {
            try {
                loadCoursePicture(name);
            } catch (const CourseError &e) {
                error = e.message();
            }
        }
        found = pictures_.insert(name, error);
    }
    why = *found;
    return why.isEmpty();
}
