#include "CourseError.h"

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
    QString text = message_;
    if (!file_.isEmpty()) {
        text += QStringLiteral("\rФайл: ") + file_;
        if (line_ > 0)
            text += QStringLiteral(", строка ") + QString::number(line_);
    }
    return text;
}
