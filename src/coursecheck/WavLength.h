#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// The length of a WAV sound, found from its headers alone, without decoding it: the fmt
// chunk gives the frame size and rate, the data chunk the bytes, or a fact chunk the frame
// count of a compressed sound. A data chunk that claims more bytes
// than the file holds is a file cut short, reported as such.
struct WavLength {
    qint32 ms = 0;
    QString problem; // empty when the length was found
};

// From the bytes of the whole file, or of its beginning with `fileSize` the size of
// the whole file.
WavLength wavLength(QByteArrayView bytes, qint64 fileSize);

// Reads what it needs of the file of a course name (regular files only, so a pipe or a
// device cannot hang the check).
WavLength readWavLength(const QString &name);
