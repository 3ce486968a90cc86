#include "TempCourse.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <stdexcept>

TempCourse::TempCourse() : previousDir_(QDir::currentPath())
{
    if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
        throw std::runtime_error("cannot make a temporary course folder");
}

TempCourse::~TempCourse()
{
    QDir::setCurrent(previousDir_);
}

QString TempCourse::absolute(const QString &relativePath) const
{
    QString path = relativePath;
    path.replace(u'\\', u'/');
    return dir_.filePath(path);
}

void TempCourse::writeBytes(const QString &relativePath, const QByteArray &bytes) const
{
    const QString path = absolute(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

void TempCourse::writeLines(const QString &relativePath, std::initializer_list<QString> lines) const
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += cp1251(line) + "\r\n";
    writeBytes(relativePath, bytes);
}

void TempCourse::writeImage(const QString &relativePath, const QImage &image, const char *format) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        throw std::runtime_error("cannot encode test picture");
    writeBytes(relativePath, bytes);
}

QByteArray TempCourse::readBytes(const QString &relativePath) const
{
    QFile file(absolute(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}
