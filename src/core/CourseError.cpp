#include "CourseError.h"

#include "CoursePath.h"

CourseError::CourseError(const QString &message, const QString &file, int line)
    : std::runtime_error(message.toStdString()), message_(message), file_(file), line_(line)
{
}

CourseError CourseError::at(const QString &file, int line) const
{
    return CourseError(message_, file, line);
}

QString CourseError::userText() const
{
    const QString file = fileText();
    return file.isEmpty() ? message_ : message_ + QStringLiteral("\rФайл: ") + file;
}

QString CourseError::fileText() const
{
    if (file_.isEmpty())
        return {};
    QString text = toLocalSeparators(file_);
    if (line_ > 0)
        text += QStringLiteral(", строка ") + QString::number(line_);
    return text;
}
