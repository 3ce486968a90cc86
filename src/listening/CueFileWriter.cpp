#include "CueFileWriter.h"

#include "core/CoursePath.h"

#include <cstdio>

CueFileWriter::~CueFileWriter()
{
    // A window closed without finishing (it cannot, but an exception might) leaves the work
    // file as it stands: the lines written so far, for whoever looks.
    file_.close();
}

bool CueFileWriter::open(const QString &cueName)
{
    file_.close();
    cueName_ = cueName;
    lineOpen_ = false;
    file_.setFileName(localPath(workFileName(cueName)));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    separator();
    return true;
}

void CueFileWriter::write(const QByteArray &bytes)
{
    if (!file_.isOpen())
        return;
    file_.write(bytes);
    file_.flush();
}

void CueFileWriter::separator()
{
    write(QByteArrayLiteral("#\t#\r\n"));
}

void CueFileWriter::begin(qint32 ms)
{
    if (!file_.isOpen())
        return;
    write(QByteArray::number(ms) + '\t');
    lineOpen_ = true;
}

void CueFileWriter::end(qint32 ms)
{
    if (!lineOpen_)
        return;
    write(QByteArray::number(ms) + "\r\n");
    lineOpen_ = false;
}

void CueFileWriter::finish(qint32 ms, bool keep)
{
    if (!file_.isOpen())
        return;
    end(ms);
    const QString work = file_.fileName();
    file_.close();
    if (!keep) {
        QFile::remove(work);
        return;
    }
    // rename() replaces the old cue file in one step, as a save does.
    const QByteArray target = QFile::encodeName(localPath(cueName_));
    if (std::rename(QFile::encodeName(work).constData(), target.constData()) != 0)
        QFile::remove(work);
}
