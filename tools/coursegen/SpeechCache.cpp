#include "SpeechCache.h"

#include "SourceError.h"
#include "ToolProcess.h"
#include "WavHeader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <vector>

namespace {

// Everything that shapes a clip; changing any of it makes new clips.
const QString kVoice = QStringLiteral("voice_cmu_us_slt_arctic_hts");
// Trim the silence before and after the speech. The threshold lies below the soft onsets
// and endings of "th", "h" and "f" (at -45 dBFS their first 20 to 40 ms were cut, and a
// recogniser heard "Thank you." as "and here") and above the synthesiser's noise floor
// (about -73 dBFS).
const QStringList kTrim = {
    QStringLiteral("silence"), QStringLiteral("1"), QStringLiteral("0.01"), QStringLiteral("-60d"),
    QStringLiteral("reverse"),
    QStringLiteral("silence"), QStringLiteral("1"), QStringLiteral("0.01"), QStringLiteral("-60d"),
    QStringLiteral("reverse"),
};
// Slow clips keep their pitch: the voice speaks longer, not lower. A word of 0.4 s
// becomes one of 0.5 s, time enough to hear it out before repeating it.
const QStringList kSlow = {QStringLiteral("tempo"), QStringLiteral("-s"), QStringLiteral("0.8")};
// Every clip's speech is brought to this RMS level. Peak normalisation left the clips
// up to 8 dB apart in loudness, since a short word peaks as high as a long sentence
// while carrying less sound; the RMS of the speech follows what the ear hears. At this
// level the synthesiser's peaks stay below the ceiling; a clip whose peak would pass it
// is made only as loud as the ceiling allows rather than clipped or limited.
constexpr double kSpeechRmsDb = -20.0;
constexpr double kPeakCeilingDb = -1.0;
// Keep a breath of silence (40 ms before, 60 ms after) so that no soft consonant is cut.
const QStringList kPad = {QStringLiteral("pad"), QStringLiteral("0.04"), QStringLiteral("0.06")};
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

QString SpeechCache::clipPath(const SpeechRequest &request) const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(kVoice.toUtf8());
    hash.addData(kTrim.join(QLatin1Char(' ')).toUtf8());
    if (request.pace == SpeechPace::Slow)
        hash.addData(kSlow.join(QLatin1Char(' ')).toUtf8());
    hash.addData(QByteArray::number(kSpeechRmsDb, 'f', 2) + ' ' + QByteArray::number(kPeakCeilingDb, 'f', 2));
    hash.addData(kPad.join(QLatin1Char(' ')).toUtf8());
    hash.addData(QByteArray::number(kRate));
    hash.addData(request.text.toUtf8());
    return folder_ + QStringLiteral("/clips/") + QString::fromLatin1(hash.result().toHex().left(24)) + QStringLiteral(".wav");
}

void SpeechCache::prepare(const std::vector<SpeechRequest> &requests)
{
    std::vector<SpeechRequest> missing;
    QSet<QString> paths;
    for (const SpeechRequest &request : requests) {
        const QString path = clipPath(request);
        if (!QFile::exists(path) && !paths.contains(path)) {
            paths.insert(path);
            missing.push_back(request);
        }
    }
    if (!missing.empty())
        synthesise(missing);
}

struct SoundLevels {
    double rmsDb = 0;
    double peakDb = 0;
};

// The RMS and peak levels of a sound in dB, as sox's statistics give them.
static SoundLevels levelsOf(const QString &sox, const QString &path, const QString &folder)
{
    const QString stats = runToolForOutput(sox, {path, QStringLiteral("-n"), QStringLiteral("stats")}, folder);
    static const QRegularExpression rms(QStringLiteral("^RMS lev dB\\s+(-?[0-9.]+)"), QRegularExpression::MultilineOption);
    static const QRegularExpression peak(QStringLiteral("^Pk lev dB\\s+(-?[0-9.]+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch rmsMatch = rms.match(stats);
    const QRegularExpressionMatch peakMatch = peak.match(stats);
    if (!rmsMatch.hasMatch() || !peakMatch.hasMatch())
        throw SourceError({path}, QStringLiteral("sox gave no levels: %1").arg(stats.left(200)));
    return {rmsMatch.captured(1).toDouble(), peakMatch.captured(1).toDouble()};
}

void SpeechCache::shape(const QString &raw, const SpeechRequest &request, const QString &target) const
{
    const QString folder = folder_ + QStringLiteral("/raw");
    const QString trimmed = raw + QStringLiteral(".trim.wav");
    QStringList effects = kTrim;
    if (request.pace == SpeechPace::Slow)
        effects += kSlow;
    runTool(sox_, QStringList{QStringLiteral("-D"), QStringLiteral("-R"), raw} + clipFormat() + QStringList{trimmed} + effects,
            folder);
    // The gain is written with two decimals, so that the same clip always gets the same bytes.
    const SoundLevels levels = levelsOf(sox_, trimmed, folder);
    const double gainDb = std::min(kSpeechRmsDb - levels.rmsDb, kPeakCeilingDb - levels.peakDb);
    // Written aside and renamed, so an interrupted build leaves no half clip in the cache.
    const QString part = target + QStringLiteral(".part");
    runTool(sox_,
            QStringList{QStringLiteral("-D"), QStringLiteral("-R"), trimmed} + clipFormat()
                + QStringList{part, QStringLiteral("gain"), QString::number(gainDb, 'f', 2)} + kPad,
            folder);
    QFile::remove(trimmed);
    QFile::remove(target);
    if (!QFile::rename(part, target))
        throw SourceError({target}, QStringLiteral("cannot store the clip"));
}

void SpeechCache::synthesise(const std::vector<SpeechRequest> &requests)
{
    // A text asked for at both paces is synthesised once.
    QStringList texts;
    for (const SpeechRequest &request : requests) {
        if (!texts.contains(request.text))
            texts << request.text;
    }
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
        if (!QFile::exists(raws[size_t(i)]))
            throw SourceError(QStringLiteral("festival made no sound for \"%1\"").arg(texts[i]));
    }
    for (const SpeechRequest &request : requests) {
        shape(raws[size_t(texts.indexOf(request.text))], request, clipPath(request));
        ++made_;
    }
    for (const QString &raw : raws)
        QFile::remove(raw);
}

SpeechClip SpeechCache::clip(const QString &text, SpeechPace pace) const
{
    const QString path = clipPath({text, pace});
    const auto known = known_.constFind(path);
    if (known != known_.constEnd())
        return *known;
    if (!QFile::exists(path))
        throw SourceError(QStringLiteral("no clip for \"%1\"; prepare() it first").arg(text));
    const SpeechClip clip{path, framesOfSound(path)};
    known_.insert(path, clip);
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
