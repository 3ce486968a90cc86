#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

// The shape of a PCM WAV file as sox writes it: enough to add up the lengths of the
// clips a course sound is joined from.
struct WavShape {
    int rate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    qint64 frames = 0;
};

// The shape of the bytes of a PCM WAV file; empty when they are not one.
std::optional<WavShape> wavShape(QByteArrayView bytes);
