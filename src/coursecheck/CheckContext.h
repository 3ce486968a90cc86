#pragma once

#include "CourseProblem.h"

#include "authoring/SpeechActivity.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <unordered_map>
#include <vector>

// The catalogue line that names a course file: where a file that is missing or cannot
// be read is reported, since that is where the author can fix the name.
struct NamedAt {
    QString catalogue;
    int line = 0;
};

// What the rules of one course check share: the problems found, and every course file
// read once however many exercises name it. A file that cannot be read is reported at
// every catalogue line that names it; what is wrong inside a file, at the file itself.
class CheckContext {
public:
    explicit CheckContext(ProblemList &problems) : problems_(problems) {}

    void report(const QString &file, int line, const QString &message) { problems_.add(file, line, message); }
    void report(const NamedAt &at, const QString &message) { problems_.add(at.catalogue, at.line, message); }
    void warn(const QString &file, int line, const QString &message) { problems_.add(file, line, message, true); }

    // The lines of a course text file; nullptr when it cannot be read, which is reported
    // at `at` naming the file's `role` ("Текст", "Тайминг" ...). A file in UTF-8 rather
    // than cp1251 is reported at its first line that shows it. The lines stay valid as long
    // as the context.
    const QList<QByteArray> *lines(const QString &name, const NamedAt &at, const QString &role);
    // Reports a file in UTF-8 rather than cp1251 (firstUtf8Line).
    void checkEncoding(const QString &name, const QByteArray &bytes);
    // The length of a sound in ms; empty when it cannot be read, which is reported at `at`.
    std::optional<qint32> soundMs(const QString &name, const NamedAt &at, const QString &role);
    // The stretches of speech in a sound (SpeechActivity); nullptr when the sound cannot be
    // decoded (what is wrong with it is reported where its length is read).
    const std::vector<SoundStretch> *speechOf(const QString &name);
    // Whether a picture loads; the reason in `why` when it does not.
    bool pictureLoads(const QString &name, QString &why);

private:
    struct TextFile {
        std::optional<QList<QByteArray>> lines;
        QString why; // when it cannot be read
    };
    struct SoundFile {
        std::optional<qint32> ms;
        QString why;
    };

    ProblemList &problems_;
    // Node-based, so that the lines handed out stay where they are while more files are read
    // (a QHash moves its values when it grows).
    std::unordered_map<QString, TextFile> texts_;
    QHash<QString, SoundFile> sounds_;
    // Only the stretches are kept: a sound's loudness curve is not needed once they are found.
    std::unordered_map<QString, std::optional<std::vector<SoundStretch>>> speech_;
    QHash<QString, QString> pictures_; // name -> why it does not load, empty when it does
};
