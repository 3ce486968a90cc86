#include "SpeechCache.h"

#include "SourceError.h"
#include "ToolProcess.h"
#include "WavHeader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <vector>

namespace {

// Everything that shapes a clip; changing any of it makes new clips.
const QString kVoice = QStringLiteral("voice_cmu_us_slt_arctic_hts");
const QStringList kShaping = {
    // Trim the silence before and after the speech, keep a breath of it (40 ms before,
    // 60 ms after) so that no soft consonant is cut, and bring every clip to the same peak.
    QStringLiteral("silence"), QStringLiteral("1"), QStringLiteral("0.01"), QStringLiteral("-45d"),
    QStringLiteral("reverse"),
    QStringLiteral("silence"), QStringLiteral("1"), QStringLiteral("0.01"), QStringLiteral("-45d"),
    QStringLiteral("reverse"),
    QStringLiteral("pad"), QStringLiteral("0.04"), QStringLiteral("0.06"),
    QStringLiteral("gain"), QStringLiteral("-n"), QStringLiteral("-2"),
};
// Two synthesisers at a time: the build runs on two cores.
constexpr int kParallel = 2;

QString schemeString(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw SourceError({path}, QStringLiteral("cannot write: ") + file.errorString());
}

// sox's options for output in the clips' format; -D and -R keep it free of dither
// noise and repeatable, so the same text always gives the same bytes.
QStringList clipFormat()
{
    return {QStringLiteral("-r"), QString::number(SpeechCache::kRate), QStringLiteral("-b"), QStringLiteral("16"),
            QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-t"), QStringLiteral("wav")};
}

} // namespace

qint64 framesOfSound(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError({path}, QStringLiteral("cannot read the sound: ") + file.errorString());
    const auto shape = wavShape(file.readAll());
    if (!shape || shape->rate != SpeechCache::kRate || shape->channels != 1 || shape->bitsPerSample != 16)
        throw SourceError({path}, QStringLiteral("not a mono 16-bit %1 Hz WAV file").arg(SpeechCache::kRate));
    return shape->frames;
}

SpeechCache::SpeechCache(const QString &folder)
    : folder_(QDir(folder).absolutePath())
{
    if (!QDir().mkpath(folder_ + QStringLiteral("/clips")) || !QDir().mkpath(folder_ + QStringLiteral("/raw")))
        throw SourceError({folder_}, QStringLiteral("cannot make the speech cache folder"));
    sox_ = findTool(QStringLiteral("sox"));
}

QString SpeechCache::clipPath(const QString &text) const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(kVoice.toUtf8());
    hash.addData(kShaping.join(QLatin1Char(' ')).toUtf8());
    hash.addData(QByteArray::number(kRate));
    hash.addData(text.toUtf8());
    return folder_ + QStringLiteral("/clips/") + QString::fromLatin1(hash.result().toHex().left(24)) + QStringLiteral(".wav");
}

void SpeechCache::prepare(const QStringList &texts)
{
    QStringList missing;
    for (const QString &text : texts) {
        if (!QFile::exists(clipPath(text)) && !missing.contains(text))
            missing << text;
    }
    if (!missing.isEmpty())
        synthesise(missing);
}

void SpeechCache::synthesise(const QStringList &texts)
{
    const QString festival = findTool(QStringLiteral("festival"));
    const QString rawFolder = folder_ + QStringLiteral("/raw");

    // One script per synthesiser, each saving its share of the clips as raw WAV files.
    const int batches = std::min<int>(kParallel, int(texts.size()));
    std::vector<QStringList> commands;
    std::vector<QString> raws(size_t(texts.size()));
    for (int b = 0; b < batches; ++b) {
        QByteArray script = "(" + kVoice.toUtf8() + ")\n";
        for (qsizetype i = b; i < texts.size(); i += batches) {
            raws[size_t(i)] = rawFolder + QStringLiteral("/clip%1.wav").arg(i);
            QFile::remove(raws[size_t(i)]);
            script += "(utt.save.wave (SynthText " + schemeString(texts[i]).toUtf8() + ") "
                      + schemeString(raws[size_t(i)]).toUtf8() + " 'riff)\n";
        }
        const QString scriptPath = rawFolder + QStringLiteral("/batch%1.scm").arg(b);
        writeFile(scriptPath, script);
        commands.push_back({QStringLiteral("-b"), scriptPath});
    }
    runToolsTogether(festival, commands, rawFolder);

    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString &raw = raws[size_t(i)];
        if (!QFile::exists(raw))
            throw SourceError(QStringLiteral("festival made no sound for \"%1\"").arg(texts[i]));
        // Written aside and renamed, so an interrupted build leaves no half clip in the cache.
        const QString target = clipPath(texts[i]);
        const QString part = target + QStringLiteral(".part");
        runTool(sox_, QStringList{QStringLiteral("-D"), QStringLiteral("-R"), raw} + clipFormat() + QStringList{part} + kShaping,
                rawFolder);
        QFile::remove(target);
        if (!QFile::rename(part, target))
            throw SourceError({target}, QStringLiteral("cannot store the clip"));
        QFile::remove(raw);
        ++made_;
    }
}

SpeechClip SpeechCache::clip(const QString &text) const
{
    const auto known = known_.constFind(text);
    if (known != known_.constEnd())
        return *known;
    const QString path = clipPath(text);
    if (!QFile::exists(path))
        throw SourceError(QStringLiteral("no clip for \"%1\"; prepare() it first").arg(text));
    const SpeechClip clip{path, framesOfSound(path)};
    known_.insert(text, clip);
    return clip;
}

SpeechClip SpeechCache::silence(qint64 frames)
{
    const QString path = folder_ + QStringLiteral("/clips/silence%1.wav").arg(frames);
    if (!QFile::exists(path)) {
        const QString part = path + QStringLiteral(".part");
        runTool(sox_,
                QStringList{QStringLiteral("-D"), QStringLiteral("-R"), QStringLiteral("-r"), QString::number(kRate),
                            QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-n")}
                    + clipFormat()
                    + QStringList{part, QStringLiteral("trim"), QStringLiteral("0"), QString::number(frames) + QLatin1Char('s')},
                folder_);
        QFile::remove(path);
        if (!QFile::rename(part, path))
            throw SourceError({path}, QStringLiteral("cannot store the silence"));
    }
    const SpeechClip clip{path, framesOfSound(path)};
    if (clip.frames != frames)
        throw SourceError({path}, QStringLiteral("sox made %1 frames of silence, not %2").arg(clip.frames).arg(frames));
    return clip;
}
