#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>

// A throw-away course folder that is also the process's working directory for the
// lifetime of the object, since the program opens every course file relative to it.
class TempCourse {
public:
    TempCourse();
    ~TempCourse();
    TempCourse(const TempCourse &) = delete;
    TempCourse &operator=(const TempCourse &) = delete;

    QString root() const { return dir_.path(); }
    QString absolute(const QString &relativePath) const;

    // Writes raw bytes; folders on the way are created. Backslashes in the name are folder separators.
    void writeBytes(const QString &relativePath, const QByteArray &bytes) const;
    // Writes text as cp1251 with each line ended by CR LF.
    void writeLines(const QString &relativePath, std::initializer_list<QString> lines) const;
    // Encodes a picture in the given format ("BMP", "JPEG") and writes it.
    void writeImage(const QString &relativePath, const QImage &image, const char *format) const;
    QByteArray readBytes(const QString &relativePath) const;

private:
    QTemporaryDir dir_;
    QString previousDir_;
};

// Encodes a Unicode string to cp1251 bytes, for building test files.
QByteArray cp1251(const QString &text);
