#pragma once

#include <QString>
#include <QStringList>

// The safety copies the sound device leaves in the working directory when a recording could
// not be saved ("vestoria-rec-XXXXXX.tmp", each a playable WAV), and their recovery into the
// learner's recording. Other "*.tmp" files are never touched: they are not ours.
namespace RecordingLeftovers {

// The safety copies now in the working directory, sorted by name.
QStringList present();

// True when `recording` holds no sound a learner could lose: no file, an empty file, or a
// WAV without frames (the bare template). An unreadable file of some other kind is kept.
bool holdsNoSound(const QString &recording);

// After a run: when the recording holds no sound and the run left a safety copy (one not in
// `before`), the newest such copy replaces the recording and is removed. Copies that are
// not recovered stay where they are. True when a copy was recovered.
bool recover(const QString &recording, const QStringList &before);

} // namespace RecordingLeftovers
