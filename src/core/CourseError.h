#pragma once

#include <QString>

#include <stdexcept>

// The one road for file and conversion errors: thrown where the failure happens,
// caught where the program reports it (an exercise loader, start-up, the top level).
class CourseError : public std::runtime_error {
public:
    explicit CourseError(const QString &message, const QString &file = {}, int line = 0);

    QString message() const { return message_; }
    QString file() const { return file_; }
    int line() const { return line_; }

    // The same error with the file and line it came from, for errors raised by
    // helpers that do not know where their text was read.
    CourseError at(const QString &file, int line) const;

    // Text for the user: the message, then the file and line when known, "\r"-separated
    // as the message window breaks lines there.
    QString userText() const;
    // The file as this system writes it ("____Data/lesson1/text.txt"), with ", строка N"
    // when the line is known; empty when the file is not.
    QString fileText() const;

private:
    QString message_;
    QString file_;
    int line_;
};
