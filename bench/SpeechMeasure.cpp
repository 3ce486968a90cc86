// The pieces of the slowed speech's intelligibility measurement (bench/speech-wer.sh drives
// them with an offline recogniser, which is never part of the program):
//   speech_measure render SOUND.wav PERCENT OUT.wav
//       plays SOUND through the sound device and its stretch at PERCENT, on the virtual card,
//       so that what is written is exactly what the program hands its output; mixed to mono
//       and resampled to 16 kHz, the recogniser's rate, as a 16-bit WAV.
//   speech_measure reference TEXT.tsv
//       the words spoken of a sample course's text source (its syntagms, the spoken form
//       where one is given), one line, normalised.
//   speech_measure wer REFERENCE.txt HYPOTHESIS.txt
//       prints "errors words": the word-level edit distance between the two texts, both
//       normalised (lower case, without punctuation), and the reference's word count.
#include "sound/Resampler.h"
#include "sound/SoundDevice.h"
#include "sound/VirtualAudioBackend.h"
#include "sound/WavFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

constexpr int RecogniserRate = 16000;

int render(const QString &soundFile, int percent, const QString &outFile)
{
    VirtualAudioBackend card;
    SoundDevice device(card);
    device.FileName = QFileInfo(soundFile).absoluteFilePath();
    device.Open();
    device.setSpeedPercent(percent);
    device.Play();
    while (device.Mode() == SoundMode::Playing)
        card.advance(100);
    const VirtualAudioBackend::OutputLog &log = card.outputs().back();

    Resampler resampler(log.rate, log.channels, RecogniserRate, 1);
    const qint64 sourceFrames = qint64(log.samples.size()) / log.channels;
    const qint64 frames = sourceFrames * RecogniserRate / log.rate;
    // The filter looks ahead: the source runs on into silence.
    std::vector<qint16> source(log.samples);
    source.resize(size_t(resampler.sourceFramesNeeded(int(frames)) + resampler.framesAhead() + 1) *
                      size_t(log.channels),
                  0);
    std::vector<float> mono(size_t(frames), 0.0f);
    resampler.mixInto(mono.data(), int(frames), source.data());

    SoundData sound;
    sound.format = {RecogniserRate, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16};
    sound.samples.resize(mono.size());
    std::transform(mono.begin(), mono.end(), sound.samples.begin(),
                   [](float v) { return qint16(std::clamp(std::lround(v * 32768.0f), -32768L, 32767L)); });
    QFile out(outFile);
    if (!out.open(QIODevice::WriteOnly) || out.write(encodeWav(sound)) < 0)
        throw std::runtime_error(("cannot write " + outFile).toStdString());
    return 0;
}

QStringList normalisedWords(QString text)
{
    text = text.toLower();
    text.replace(QChar(0x2019), u'\'');
    // Hyphenated numbers and letters spoken one by one are separate words to a recogniser.
    text.replace(QRegularExpression(QStringLiteral("[^a-z0-9']+")), QStringLiteral(" "));
    QStringList words;
    for (QString word : text.split(u' ', Qt::SkipEmptyParts)) {
        while (word.startsWith(u'\''))
            word.remove(0, 1);
        while (word.endsWith(u'\''))
            word.chop(1);
        if (!word.isEmpty())
            words << word;
    }
    return words;
}

QString readText(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + name).toStdString());
    return QString::fromUtf8(file.readAll());
}

int reference(const QString &textSource)
{
    QStringList spoken;
    for (const QString &line : readText(textSource).split(u'\n')) {
        // Headings, paragraph breaks, pictures and story pictures are not spoken.
        if (line.trimmed().isEmpty() || line.startsWith(u'#') || line.startsWith(u'!'))
            continue;
        QString english = line.section(u'\t', 0, 0);
        // "{written|spoken}" is said as its spoken form.
        english.replace(QRegularExpression(QStringLiteral("\\{[^|}]*\\|([^}]*)\\}")), QStringLiteral("\\1"));
        spoken << normalisedWords(english);
    }
    std::printf("%s\n", qPrintable(spoken.join(u' ')));
    return 0;
}

int wordErrors(const QStringList &reference, const QStringList &hypothesis)
{
    std::vector<int> row(size_t(hypothesis.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= reference.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= hypothesis.size(); ++j) {
            const int substitution = diagonal + (reference[i - 1] == hypothesis[j - 1] ? 0 : 1);
            diagonal = row[size_t(j)];
            row[size_t(j)] = std::min({substitution, row[size_t(j)] + 1, row[size_t(j - 1)] + 1});
        }
    }
    return row.back();
}

int wer(const QString &referenceFile, const QString &hypothesisFile)
{
    const QStringList reference = normalisedWords(readText(referenceFile));
    const QStringList hypothesis = normalisedWords(readText(hypothesisFile));
    std::printf("%d %lld\n", wordErrors(reference, hypothesis), qlonglong(reference.size()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 4 && args[0] == u"render")
            return render(args[1], args[2].toInt(), args[3]);
        if (args.size() == 2 && args[0] == u"reference")
            return reference(args[1]);
        if (args.size() == 3 && args[0] == u"wer")
            return wer(args[1], args[2]);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "speech_measure: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: speech_measure render SOUND.wav PERCENT OUT.wav\n"
                         "       speech_measure reference TEXT.tsv\n"
                         "       speech_measure wer REFERENCE.txt HYPOTHESIS.txt\n");
    return 2;
}
