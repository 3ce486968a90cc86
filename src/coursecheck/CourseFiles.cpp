#include "CourseFiles.h"

#include "WavLength.h"

#include "core/CoursePath.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

#include <QFile>
#include <QFileInfo>

bool isReadableFile(const QString &name, QString &why)
{
    const QFileInfo info(localPath(name));
    if (!info.exists())
        why = QStringLiteral("Файл не найден");
    else if (!info.isFile())
        why = QStringLiteral("это не файл");
    else
        return true;
    return false;
}

std::optional<QByteArray> readCourseFile(const QString &name, QString &why)
{
    if (!isReadableFile(name, why))
        return std::nullopt;
    QFile file(localPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("Не удается открыть файл");
        return std::nullopt;
    }
    // Read by the size the file has, up to the program's limit and one byte past it, so
    // that a file that grows while it is read is still caught.
    if (file.size() > MaxCourseFileBytes) {
        why = QStringLiteral("Файл слишком велик");
        return std::nullopt;
    }
    QByteArray bytes = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError) {
        why = QStringLiteral("Ошибка чтения: ") + fileErrorText(file.error());
        return std::nullopt;
    }
    if (bytes.size() > MaxCourseFileBytes) {
        why = QStringLiteral("Файл слишком велик");
        return std::nullopt;
    }
    return bytes;
}

namespace {

// Whether the bytes are valid UTF-8 (overlong forms and surrogates aside: a cp1251 text
// does not make those either) with at least one character beyond ASCII.
bool isUtf8BeyondAscii(const QByteArray &bytes)
{
    bool beyondAscii = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int continuation = 0;
        if (lead < 0x80)
            continuation = 0;
        else if (lead >= 0xC2 && lead <= 0xDF)
            continuation = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            continuation = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            continuation = 3;
        else
            return false;
        if (i + continuation >= bytes.size() && continuation > 0)
            return false;
        for (int k = 1; k <= continuation; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        beyondAscii = beyondAscii || continuation > 0;
        i += 1 + continuation;
    }
    return beyondAscii;
}

} // namespace

int firstUtf8Line(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return 1;
    if (!isUtf8BeyondAscii(bytes))
        return 0;
    const QList<QByteArray> lines = splitLines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (const char c : lines[i]) {
            if (static_cast<unsigned char>(c) >= 0x80)
                return int(i + 1);
        }
    }
    return 0;
}

std::optional<qint32> soundLengthMs(const QString &name, QString &why)
{
    const WavLength length = readWavLength(name);
    if (!length.problem.isEmpty()) {
        why = length.problem;
        return std::nullopt;
    }
    return length.ms;
}
