#include "InterpretingPause.h"

#include <algorithm>

namespace {

constexpr int kSyllablesPerSecond = 4;
constexpr int kStartMs = 500;

// Syllables of the Russian names of the digits 0 to 9: ноль, один, два, три, четыре,
// пять, шесть, семь, восемь, девять.
constexpr int kDigitSyllables[10] = {1, 2, 1, 1, 3, 1, 1, 1, 2, 2};

bool isRussianVowel(QChar c)
{
    static const QString vowels = QStringLiteral("аеёиоуыэюя");
    return vowels.contains(c.toLower());
}

} // namespace

int russianSyllables(const QString &text)
{
    int syllables = 0;
    for (const QChar c : text) {
        if (isRussianVowel(c))
            ++syllables;
        else if (c >= u'0' && c <= u'9')
            syllables += kDigitSyllables[c.unicode() - u'0'];
        else if (c.toLower() == u'w')
            syllables += 3; // "double u"
        else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            ++syllables;
    }
    return syllables;
}

int sayingTimeMs(const QString &russian)
{
    // Rounded up: the rule is "at least".
    return (russianSyllables(russian) * 1000 + kSyllablesPerSecond - 1) / kSyllablesPerSecond + kStartMs;
}

int interpretingPauseMs(const QString &russian, int phraseMs)
{
    return std::max(sayingTimeMs(russian), phraseMs);
}

void checkInterpretingPauses(const std::vector<TextLine> &text, const JoinedSound &sound)
{
    std::vector<const TextLine *> syntagms;
    for (const TextLine &line : text) {
        if (!line.isMarkup())
            syntagms.push_back(&line);
    }
    if (syntagms.size() != sound.spans.size())
        throw SourceError(QStringLiteral("the slow recording has %1 spoken pieces for %2 syntagms")
                              .arg(sound.spans.size())
                              .arg(syntagms.size()));
    for (size_t i = 0; i < syntagms.size(); ++i) {
        const SoundSpan &span = sound.spans[i];
        const qint32 next = i + 1 < syntagms.size() ? sound.spans[i + 1].startMs : sound.lengthMs;
        const int pauseMs = next - span.endMs;
        const int neededMs = interpretingPauseMs(syntagms[i]->russian, span.endMs - span.startMs);
        if (pauseMs < neededMs)
            throw SourceError(syntagms[i]->pos, QStringLiteral("the pause after this syntagm in the slow recording is "
                                                               "%1 ms; saying \"%2\" needs %3 ms")
                                                    .arg(pauseMs)
                                                    .arg(syntagms[i]->russian)
                                                    .arg(neededMs));
    }
}
