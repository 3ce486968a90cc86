#include "CueFileWriter.h"

#include "core/ConfinedPath.h"
#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/FileSystem.h"

bool CueFileWriter::open(const QString &cueName)
{
    file_.close();
    cueName_ = cueName;
    lineOpen_ = false;
    QString work;
    try {
        work = confinedPath(workFileName(cueName));
    } catch (const CourseError &) {
        return false;
    }
    // Made anew, never opened through whatever has its name (a link would be written through).
    QFile::remove(work);
    file_.setFileName(work);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly))
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
    // Put in place as every save is: whole, on disk, in one step. The cue file only times
    // the recording, so a failure leaves the old one and the run goes on without a word.
    try {
        replaceFileAtomically(cueName_, readFileBytes(work));
    } catch (const CourseError &) {
    }
    QFile::remove(work);
}
